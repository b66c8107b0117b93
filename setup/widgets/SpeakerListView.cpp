#include "setup/widgets/SpeakerListView.h"

#include "platform/MimeTransfer.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

SpeakerListView::SpeakerListView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderLabels({QStringLiteral("Name")});
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    viewport()->setAcceptDrops(true);
    header()->setStretchLastSection(true);
}

int SpeakerListView::rowAt(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.row() + 1 : 0;
}

int SpeakerListView::currentRowNumber() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

void SpeakerListView::selectRow(int row, bool focusAndScroll)
{
    QTreeWidgetItem* item = row >= 1 ? topLevelItem(row - 1) : nullptr;
    if (!item) {
        setCurrentItem(nullptr);
        clearSelection();
        return;
    }
    setCurrentItem(item);
    if (focusAndScroll) {
        scrollToItem(item);
        setFocus();
    }
}

void SpeakerListView::setDropHighlight(int row)
{
    if (m_dropHighlight == row)
        return;
    for (int r : {m_dropHighlight, row}) {
        if (QTreeWidgetItem* item = r >= 1 ? topLevelItem(r - 1) : nullptr)
            item->setBackground(0, r == row ? palette().brush(QPalette::AlternateBase) : QBrush());
    }
    m_dropHighlight = row;
}

void SpeakerListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (MimeTransfer::hasFileList(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SpeakerListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!MimeTransfer::hasFileList(event->mimeData())) {
        event->ignore();
        return;
    }
    setDropHighlight(rowAt(event->position().toPoint()));
    event->acceptProposedAction();
}

void SpeakerListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    setDropHighlight(0);
    QTreeWidget::dragLeaveEvent(event);
}

void SpeakerListView::dropEvent(QDropEvent* event)
{
    setDropHighlight(0);
    const QStringList files = MimeTransfer::fileList(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(files);
}

void SpeakerListView::mousePressEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    setDropHighlight(row);
    if (row >= 1)
        selectRow(row, false);
    if (event->button() == Qt::RightButton) {
        emit contextMenuAt(row, event->globalPosition().toPoint());
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void SpeakerListView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || topLevelItemCount() == 0)
        return;
    viewport()->setCursor(Qt::DragMoveCursor);
    const int target = rowAt(event->position().toPoint());
    const int source = currentRowNumber();
    if (target >= 1 && source >= 1 && target != source)
        emit dragMoved(source, target);
}

void SpeakerListView::mouseReleaseEvent(QMouseEvent* event)
{
    viewport()->unsetCursor();
    QTreeWidget::mouseReleaseEvent(event);
}

void SpeakerListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (rowAt(event->position().toPoint()) >= 1)
        emit showRequested();
}

void SpeakerListView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse)
        return; // handled where the button went down
    openMenuAtCurrentRow();
}

void SpeakerListView::openMenuAtCurrentRow()
{
    const int row = currentRowNumber();
    const QRect rect = row >= 1 ? visualItemRect(topLevelItem(row - 1)) : QRect();
    emit contextMenuAt(row, viewport()->mapToGlobal(rect.center()));
}

void SpeakerListView::keyPressEvent(QKeyEvent* event)
{
    setDropHighlight(0);
    // The list's own Copy would put the row's text on the clipboard, not the speaker's file.
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    // Not every platform turns these keys into a context menu event by itself; once the menu
    // is up, such an event goes to the menu and opens nothing more.
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        openMenuAtCurrentRow();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        emit removeRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit showRequested();
        return;
    case Qt::Key_F2:
        emit renameRequested();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}
