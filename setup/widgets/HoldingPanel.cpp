#include "setup/widgets/HoldingPanel.h"

#include "document/EventDocument.h"
#include "platform/MimeTransfer.h"
#include "setup/HoldingSlide.h"
#include "setup/widgets/WidgetNames.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

HoldingPanel::HoldingPanel(HoldingSlide& holding, EventDocument& doc, QWidget* parent)
    : QGroupBox(QStringLiteral("Holding Slide"), parent), m_holding(holding), m_doc(doc),
      m_imgHolding(new QLabel(this)), m_toolbar(new QToolBar(this)),
      m_menu(new QMenu(QStringLiteral("Edit"), this))
{
    WidgetNames::set(this, title(), QStringLiteral("PicConHolding"));
    WidgetNames::set(m_imgHolding, QStringLiteral("Holding slide"), QStringLiteral("ImgHolding"));
    WidgetNames::set(m_toolbar, QStringLiteral("Holding slide tools"),
                     QStringLiteral("TBarHolding"));
    m_menu->setObjectName(QStringLiteral("MnuEdit"));
    m_imgHolding->setAlignment(Qt::AlignCenter);
    m_imgHolding->setMinimumSize(240, 135);
    m_imgHolding->setFrameShape(QFrame::StyledPanel);
    m_imgHolding->setAcceptDrops(true);
    m_imgHolding->setFocusPolicy(Qt::StrongFocus);
    m_imgHolding->installEventFilter(this);

    QAction* open = WidgetNames::action(this, QStringLiteral("Open"), QStringLiteral("Open"));
    open->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    QAction* cutButton = WidgetNames::action(this, QStringLiteral("Cut"), QStringLiteral("Cut"));
    cutButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_toolbar->addAction(open);
    m_toolbar->addAction(cutButton);
    connect(open, &QAction::triggered, &m_holding, &HoldingSlide::Open);
    connect(cutButton, &QAction::triggered, &m_holding, &HoldingSlide::cut);

    m_cut = WidgetNames::action(m_menu, QStringLiteral("Cut"), QStringLiteral("MnuCut"));
    m_copy = WidgetNames::action(m_menu, QStringLiteral("Copy"), QStringLiteral("MnuCopy"));
    m_paste = WidgetNames::action(m_menu, QStringLiteral("Paste"), QStringLiteral("MnuPaste"));
    m_menu->addActions({m_cut, m_copy, m_paste});
    connect(m_cut, &QAction::triggered, &m_holding, &HoldingSlide::cut);
    connect(m_copy, &QAction::triggered, &m_holding, &HoldingSlide::copy);
    connect(m_paste, &QAction::triggered, &m_holding, &HoldingSlide::paste);
    connect(&m_holding, &HoldingSlide::changed, this, &HoldingPanel::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_imgHolding, 0, Qt::AlignHCenter);
    refresh();
}

void HoldingPanel::refresh()
{
    m_imgHolding->setPixmap(QPixmap::fromImage(m_doc.ImgHolding));
    if (m_doc.ImgHolding.isNull())
        m_imgHolding->setText(QStringLiteral("No holding slide"));
}

void HoldingPanel::MnuEdit_Popup(const QPoint& globalPos)
{
    const HoldingSlide::MenuState state = m_holding.contextMenuState();
    m_cut->setEnabled(state.cut);
    m_copy->setEnabled(state.copy);
    m_paste->setEnabled(state.paste);
    m_menu->popup(globalPos);
}

bool HoldingPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_imgHolding)
        return QGroupBox::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (MimeTransfer::hasFileList(drag->mimeData()) ||
            MimeTransfer::hasPicture(drag->mimeData()))
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_holding.drop(drop->mimeData());
        QApplication::restoreOverrideCursor();
        return true;
    }
    case QEvent::ContextMenu:
        MnuEdit_Popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return false;
    }
}
