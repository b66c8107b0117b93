#include "setup/widgets/QuickLaunchPanel.h"

#include "platform/MimeTransfer.h"
#include "setup/FileIcons.h"
#include "setup/QuickLaunchBar.h"
#include "setup/widgets/WidgetNames.h"
#include "setup/widgets/frmQLProperties.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolBar>

namespace {

constexpr int kIconPx = 32;
const QString kTitleCaption = QStringLiteral("Quick Launch file");

} // namespace

QuickLaunchPanel::QuickLaunchPanel(QuickLaunchBar& bar, PresentationApp& presentations,
                                   std::function<QString()> dialogFolder, QWidget* parent)
    : QGroupBox(QStringLiteral("Quick Launch"), parent), m_bar(bar), m_properties(presentations),
      m_dialogFolder(std::move(dialogFolder))
{
    WidgetNames::set(this, title(), QStringLiteral("FrameQLaunch"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setAcceptDrops(true);

    m_picQLaunch = new QLabel(this);
    WidgetNames::set(m_picQLaunch, QStringLiteral("Quick Launch icon"),
                     QStringLiteral("PicQLaunch"));
    m_picQLaunch->setFixedSize(kIconPx + 4, kIconPx + 4);
    m_picQLaunch->setAlignment(Qt::AlignCenter);

    m_labQLFileTitle = new QLabel(this);
    // Read out with what it shows: the file's name or "Unassigned" (set by refresh).
    WidgetNames::set(m_labQLFileTitle, kTitleCaption, QStringLiteral("labQLFileTitle"));
    m_labQLFileTitle->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_labQLFileTitle->setMinimumWidth(120);

    m_tbarQLaunch = new QToolBar(this);
    WidgetNames::set(m_tbarQLaunch, QStringLiteral("Quick Launch toolbar"),
                     QStringLiteral("TbarQLaunch"));
    m_tbarQLaunch->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_tbarQLaunch->setIconSize(QSize(16, 16));
    const QStyle* s = style();
    const QList<std::pair<QString, QIcon>> buttons = {
        {QStringLiteral("Open"), s->standardIcon(QStyle::SP_DialogOpenButton)},
        {QStringLiteral("Cut"), s->standardIcon(QStyle::SP_DialogDiscardButton)},
        {QStringLiteral("Properties"), s->standardIcon(QStyle::SP_FileDialogDetailedView)},
        {QStringLiteral("Show"), s->standardIcon(QStyle::SP_MediaPlay)},
    };
    for (const auto& [key, icon] : buttons) {
        QAction* action = m_tbarQLaunch->addAction(icon, key);
        action->setData(key);
        action->setObjectName(QStringLiteral("TbarQLaunch_") + key);
        m_buttons.insert(key, action);
        // Tool bar buttons take no focus by default; these are the frame's only controls.
        QWidget* button = m_tbarQLaunch->widgetForAction(action);
        button->setFocusPolicy(Qt::StrongFocus);
        WidgetNames::set(button, key, QStringLiteral("TbarQLaunch_") + key);
        connect(action, &QAction::triggered, this,
                [this, key = key] { TbarQLaunch_ButtonClick(key); });
    }

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_picQLaunch);
    layout->addWidget(m_labQLFileTitle, 1);
    layout->addWidget(m_tbarQLaunch);

    connect(&m_bar, &QuickLaunchBar::changed, this, &QuickLaunchPanel::refresh);
    refresh();
}

QAction* QuickLaunchPanel::button(const QString& key) const
{
    return m_buttons.value(key);
}

void QuickLaunchPanel::refresh()
{
    WidgetNames::showData(m_labQLFileTitle, kTitleCaption, m_bar.title());
    m_labQLFileTitle->setToolTip(m_bar.file());
    switch (m_bar.icon()) {
    case QuickLaunchBar::Icon::None:
        m_picQLaunch->clear();
        break;
    case QuickLaunchBar::Icon::Presentation:
        m_picQLaunch->setPixmap(FileIcons::presentation().pixmap(kIconPx));
        break;
    case QuickLaunchBar::Icon::Show:
        m_picQLaunch->setPixmap(FileIcons::show().pixmap(kIconPx));
        break;
    }
    button(QStringLiteral("Properties"))->setEnabled(m_bar.canShowProperties());
}

void QuickLaunchPanel::TbarQLaunch_ButtonClick(const QString& key)
{
    if (key == QLatin1String("Open"))
        m_bar.Open_Click(m_dialogFolder ? m_dialogFolder() : QString());
    else if (key == QLatin1String("Cut"))
        m_bar.Cut_Click();
    else if (key == QLatin1String("Properties"))
        showProperties();
    else if (key == QLatin1String("Show"))
        m_bar.Show_Click();
}

void QuickLaunchPanel::showProperties()
{
    if (!m_bar.canShowProperties())
        return;
    frmQLProperties properties(m_properties, m_bar.file(), window());
    properties.exec();
}

void QuickLaunchPanel::dragEnterEvent(QDragEnterEvent* event)
{
    const QStringList files = MimeTransfer::fileList(event->mimeData());
    if (!files.isEmpty() && QuickLaunchBar::hasAcceptedEnding(files.first())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void QuickLaunchPanel::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void QuickLaunchPanel::dropEvent(QDropEvent* event)
{
    const QStringList files = MimeTransfer::fileList(event->mimeData());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    m_bar.drop(files);
}
