#include "setup/widgets/PopUpsPanel.h"

#include "document/EventDocument.h"
#include "platform/MimeTransfer.h"
#include "setup/PopUpSlots.h"
#include "setup/widgets/WidgetNames.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 5;
const QSize kSlotSize(160, 90);

// Slots are known by the key that flashes them.
QString popUpCaption(int slot)
{
    return QStringLiteral("Pop-up ") + EventDocument::popUpNumber(slot);
}

} // namespace

PopUpsPanel::PopUpsPanel(PopUpSlots& popUps, EventDocument& doc, QWidget* parent)
    : QWidget(parent), m_slots(popUps), m_doc(doc), m_area(new QScrollArea(this)),
      m_txtRename(new QLineEdit), m_menu(new QMenu(QStringLiteral("Pop Ups"), this))
{
    WidgetNames::set(m_area, QStringLiteral("Pop Ups"), QStringLiteral("PicConPopUps"));
    WidgetNames::set(m_area->verticalScrollBar(), QStringLiteral("Scroll pop ups"),
                     QStringLiteral("VScroll"));
    WidgetNames::set(m_txtRename, QStringLiteral("Pop up name"), QStringLiteral("txtRename"));
    m_menu->setObjectName(QStringLiteral("MnuPEdit"));

    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    for (int slot = 0; slot < EventDocument::PopUpSlotCount; ++slot) {
        const QString number = EventDocument::popUpNumber(slot);
        auto* picture = new QLabel;
        WidgetNames::set(picture, popUpCaption(slot), QStringLiteral("ImgPopUps(%1)").arg(slot));
        picture->setFixedSize(kSlotSize);
        picture->setAlignment(Qt::AlignCenter);
        picture->setScaledContents(false);
        picture->setAcceptDrops(true);
        picture->setFocusPolicy(Qt::StrongFocus);
        picture->installEventFilter(this);
        auto* numberLabel = new QLabel(number);
        WidgetNames::set(numberLabel, WidgetNames::dataName(QStringLiteral("Key"), number),
                         QStringLiteral("labPopUpNum(%1)").arg(slot));
        auto* nameLabel = new QLabel;
        WidgetNames::set(nameLabel, popUpCaption(slot),
                         QStringLiteral("labPopUpName(%1)").arg(slot));
        nameLabel->setFocusPolicy(Qt::StrongFocus);
        nameLabel->installEventFilter(this);
        // One cell a slot: the picture, its name under it and the key number at its right.
        auto* cell = new QWidget;
        cell->setFixedWidth(kSlotSize.width());
        auto* cellLayout = new QVBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->setSpacing(2);
        cellLayout->addWidget(picture);
        auto* labels = new QHBoxLayout;
        labels->addWidget(nameLabel, 1);
        labels->addWidget(numberLabel);
        cellLayout->addLayout(labels);
        layout->addWidget(cell, slot / kColumns, slot % kColumns);
        m_pictures[size_t(slot)] = picture;
        m_numbers[size_t(slot)] = numberLabel;
        m_names[size_t(slot)] = nameLabel;
    }
    layout->setHorizontalSpacing(24);
    layout->setVerticalSpacing(16);
    layout->setRowStretch(EventDocument::PopUpSlotCount / kColumns, 1);
    layout->setColumnStretch(kColumns, 1);
    m_txtRename->setParent(grid);
    m_txtRename->hide();
    m_txtRename->installEventFilter(this);
    m_area->setWidget(grid);
    m_area->setWidgetResizable(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_area);

    m_cut = WidgetNames::action(m_menu, QStringLiteral("Cut"), QStringLiteral("MnuPCut"));
    m_copy = WidgetNames::action(m_menu, QStringLiteral("Copy"), QStringLiteral("MnuPCopy"));
    m_paste = WidgetNames::action(m_menu, QStringLiteral("Paste"), QStringLiteral("MnuPPaste"));
    m_rename = WidgetNames::action(m_menu, QStringLiteral("Rename"), QStringLiteral("MnuPRename"));
    m_clear = WidgetNames::action(m_menu, QStringLiteral("Clear all Pop Ups"),
                                  QStringLiteral("MnuClrPopUps"));
    // Shown beside the commands; the slots take these keys themselves (slotKeyPress).
    m_cut->setShortcut(QKeySequence::Cut);
    m_copy->setShortcut(QKeySequence::Copy);
    m_paste->setShortcut(QKeySequence::Paste);
    m_rename->setShortcut(Qt::Key_F2);
    m_menu->addActions({m_cut, m_copy, m_paste});
    m_menu->addSeparator();
    m_menu->addAction(m_rename);
    m_menu->addSeparator();
    m_menu->addAction(m_clear);
    connect(m_cut, &QAction::triggered, &m_slots, &PopUpSlots::cut);
    connect(m_copy, &QAction::triggered, &m_slots, &PopUpSlots::copy);
    connect(m_paste, &QAction::triggered, &m_slots, &PopUpSlots::paste);
    connect(m_rename, &QAction::triggered, this,
            [this] { labPopUpName_Click(m_slots.selected()); });
    connect(m_clear, &QAction::triggered, &m_slots, &PopUpSlots::clearAll);
    connect(&m_slots, &PopUpSlots::changed, this, &PopUpsPanel::refresh);
    refresh();
}

void PopUpsPanel::refresh()
{
    for (int slot = 0; slot < EventDocument::PopUpSlotCount; ++slot) {
        const PopUpSlot& popUp = m_doc.PopUps[size_t(slot)];
        QLabel* picture = m_pictures[size_t(slot)];
        if (popUp.isUsed())
            picture->setPixmap(QPixmap::fromImage(
                popUp.Thumb.scaled(kSlotSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        else
            picture->setText(QStringLiteral("(Empty)"));
        // The frame marks the selected slot.
        picture->setStyleSheet(slot == m_slots.selected()
                                   ? QStringLiteral("border: 3px solid palette(highlight);")
                                   : QStringLiteral("border: 1px solid palette(mid);"));
        WidgetNames::showData(m_names[size_t(slot)], popUpCaption(slot), popUp.Name);
    }
}

int PopUpsPanel::slotOf(QObject* object) const
{
    for (int slot = 0; slot < EventDocument::PopUpSlotCount; ++slot) {
        if (object == m_pictures[size_t(slot)] || object == m_names[size_t(slot)])
            return slot;
    }
    return -1;
}

void PopUpsPanel::ImgPopUps_Click(int slot)
{
    m_slots.select(slot);
    m_txtRename->hide();
    refresh();
}

void PopUpsPanel::labPopUpName_Click(int slot)
{
    ImgPopUps_Click(slot);
    if (!m_slots.startRename(slot))
        return;
    commitRename(); // a rename still open elsewhere ends first
    m_renaming = slot;
    QLabel* name = m_names[size_t(slot)];
    m_txtRename->setGeometry(
        QRect(name->mapTo(m_txtRename->parentWidget(), QPoint(0, 0)), name->size()));
    m_txtRename->setText(m_doc.PopUps[size_t(slot)].Name);
    m_txtRename->show();
    m_txtRename->raise();
    m_txtRename->setFocus();
    m_txtRename->selectAll();
}

void PopUpsPanel::commitRename()
{
    if (m_renaming < 0)
        return;
    const int slot = m_renaming;
    m_renaming = -1;
    m_txtRename->hide();
    m_slots.finishRename(slot, m_txtRename->text());
    m_pictures[size_t(slot)]->setFocus();
}

void PopUpsPanel::MnuPEdit_Popup(const QPoint& globalPos)
{
    const PopUpSlots::MenuState state = m_slots.contextMenuState();
    m_cut->setEnabled(state.cut);
    m_copy->setEnabled(state.copy);
    m_rename->setEnabled(state.rename);
    m_paste->setEnabled(state.paste);
    m_clear->setEnabled(state.clearAll);
    m_menu->popup(globalPos);
}

bool PopUpsPanel::slotKeyPress(int slot, bool onPicture, QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return) {
        onPicture ? ImgPopUps_Click(slot) : labPopUpName_Click(slot);
        return true;
    }
    // The menu's commands by their usual keys, on the slot that has the focus.
    const std::pair<QKeySequence::StandardKey, void (PopUpSlots::*)()> commands[] = {
        {QKeySequence::Cut, &PopUpSlots::cut},
        {QKeySequence::Copy, &PopUpSlots::copy},
        {QKeySequence::Paste, &PopUpSlots::paste}};
    for (const auto& [keys, command] : commands) {
        if (event->matches(keys)) {
            ImgPopUps_Click(slot);
            (m_slots.*command)();
            return true;
        }
    }
    if (key == Qt::Key_F2) {
        labPopUpName_Click(slot);
        return true;
    }
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        ImgPopUps_Click(slot);
        QLabel* picture = m_pictures[size_t(slot)];
        MnuPEdit_Popup(picture->mapToGlobal(picture->rect().center()));
        return true;
    }
    return false;
}

bool PopUpsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtRename) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape)
                m_txtRename->clear(); // an empty name keeps the old one
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                commitRename();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            commitRename();
        }
        return false;
    }
    const int slot = slotOf(watched);
    if (slot < 0)
        return QWidget::eventFilter(watched, event);
    const bool isPicture = watched == m_pictures[size_t(slot)];
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (isPicture)
            ImgPopUps_Click(slot);
        else
            labPopUpName_Click(slot);
        return false;
    case QEvent::KeyPress:
        return slotKeyPress(slot, isPicture, static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
        ImgPopUps_Click(slot);
        MnuPEdit_Popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (isPicture && (MimeTransfer::hasFileList(drag->mimeData()) ||
                          MimeTransfer::hasPicture(drag->mimeData())))
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop:
        if (isPicture) {
            auto* drop = static_cast<QDropEvent*>(event);
            drop->acceptProposedAction();
            m_slots.drop(slot, drop->mimeData());
        }
        return true;
    default:
        return false;
    }
}
