#include "show/widgets/frmLaunch.h"

#include "document/EventDocument.h"
#include "platform/X11ShowWindows.h"
#include "show/LaunchController.h"
#include "show/ThreadedShowPort.h"
#include "show/VirtualKeys.h"
#include "show/widgets/LiveCastPanel.h"
#include "show/widgets/frmSyncRecord.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>

#include <thread>

namespace {

QLabel* overlayLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setAccessibleDescription(name);
    label->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background: rgba(0, 0, 0, 160); padding: 6px; font-size: 20pt; }"));
    label->hide();
    return label;
}

} // namespace

frmLaunch::frmLaunch(LaunchController& controller, const EventDocument& doc, const ShowClock& clock,
                     QWidget* parent)
    : QWidget(parent), m_controller(&controller), m_doc(doc), m_clock(clock)
{
    setWindowTitle(EventDocument::ProductName);
    setAccessibleName(EventDocument::ProductName);
    setAccessibleDescription(QStringLiteral("frmLaunch"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);

    m_labSName = overlayLabel(this, QStringLiteral("LabSName"));
    m_labTimings = overlayLabel(this, QStringLiteral("LabTimings"));
    m_labAutoRun = overlayLabel(this, QStringLiteral("LabAutoRun"));
    m_labResolution = overlayLabel(this, QStringLiteral("LabResolution"));
    m_picRecordIcon = overlayLabel(this, QStringLiteral("PicRecordIcon"));
    m_picRecordIcon->setText(QStringLiteral("\u25CF REC"));
    m_picRecordIcon->setAccessibleName(QStringLiteral("Time mark logged"));
    m_picPPLoading = overlayLabel(this, QStringLiteral("PicPPLoading"));
    m_picPPLoading->setText(QStringLiteral("Loading\u2026"));
    m_picPPLoading->setAccessibleName(m_picPPLoading->text());
    // The operator's line at the foot of the screen: which talk could not be shown, and why.
    m_labStatus = overlayLabel(this, QStringLiteral("LabStatus"));
    m_liveCastPanel = new LiveCastPanel(this);
    connect(m_liveCastPanel, &LiveCastPanel::viewChosen, m_controller,
            &LaunchController::ComboViewLC_Click);
    connect(m_liveCastPanel, &LiveCastPanel::scaleChanged, m_controller,
            &LaunchController::HScrollLC_Change);
    connect(m_liveCastPanel, &LiveCastPanel::rollingClicked, m_controller,
            &LaunchController::ChkRolling_Click);

    if (QScreen* screen = this->screen())
        m_controller->setScreenSize(screen->size());
    connect(m_controller, &LaunchController::changed, this, &frmLaunch::refresh);
    connect(m_controller, &LaunchController::overlayFlashed, this, [this] {
        m_timSpeaker.start();
        refresh();
    });
    connect(m_controller, &LaunchController::exitRequested, this, [this] {
        if (m_ended)
            return;
        m_ended = true;
        emit playModeEnded();
        close();
    });
    connect(m_controller, &LaunchController::launcherMenuRequested, this,
            [this] { popUpLauncherMenu(mapToGlobal(rect().center())); });
    connect(m_controller, &LaunchController::beepRequested, this, [] { QApplication::beep(); });
    connect(m_controller, &LaunchController::syncRecordRequested, this, [this] {
        frmSyncRecord sync(m_doc.DesktopFolder, m_clock, this);
        sync.exec();
    });

    m_timer1.setInterval(200);
    connect(&m_timer1, &QTimer::timeout, this, [this] {
        m_controller->setLaunchScreenActive(isActiveWindow());
        m_controller->Timer1_Timer();
    });
    m_timAutoRun.setInterval(1000);
    connect(&m_timAutoRun, &QTimer::timeout, m_controller, &LaunchController::TimAutoRun_Timer);
    m_timSpeaker.setInterval(1000);
    m_timSpeaker.setSingleShot(true);
    connect(&m_timSpeaker, &QTimer::timeout, m_controller, &LaunchController::TimSpeaker_Timer);
    m_timer1.start();
    m_timAutoRun.start();
    refresh();
}

frmLaunch::~frmLaunch()
{
    m_timer1.stop();
    m_timAutoRun.stop();
    m_timSpeaker.stop();
}

void frmLaunch::Build_Screen()
{
    update();
}

void frmLaunch::refresh()
{
    const LaunchController& c = *m_controller;
    const LaunchController::Overlays& overlays = c.overlays();
    m_labSName->setText(c.LabSName());
    m_labTimings->setText(c.LabTimings());
    m_labAutoRun->setText(c.LabAutoRun());
    m_labResolution->setText(c.LabResolution());
    for (QLabel* label : {m_labSName, m_labTimings, m_labAutoRun, m_labResolution})
        label->setAccessibleName(label->text());
    m_labSName->setVisible(overlays.speakerName);
    m_labTimings->setVisible(overlays.timings);
    m_labAutoRun->setVisible(overlays.autoRun);
    m_labResolution->setVisible(overlays.resolution);
    m_picRecordIcon->setVisible(overlays.recordIcon);
    m_picPPLoading->setVisible(c.loadingPicture() != LaunchController::NoLoadingPicture);
    m_labStatus->setText(c.statusLine());
    m_labStatus->setAccessibleName(c.statusLine());
    m_labStatus->setVisible(!c.statusLine().isEmpty());
    const LiveCastHooks::PlayerOptions& options = c.playerOptions();
    m_liveCastPanel->showOptions(options.view, options.scale, options.rolling, c.scaleEnabled());
    m_liveCastPanel->setVisible(c.liveCastControlsShown());
    // The operator's pointer while the controls are up, the screen's own otherwise.
    setCursor(c.liveCastControlsShown() ? Qt::ArrowCursor : Qt::BlankCursor);
    layOutOverlays();
    Build_Screen();
    const bool showing = c.showRunning() || c.launching();
    if (m_showing && !showing)
        takeKeysBack();
    m_showing = showing;
}

void frmLaunch::takeKeysBack()
{
    raise();
    activateWindow();
    // The window manager may refuse our own request, the last key having gone to the office;
    // asked the way a pager asks, it grants it. That waits on the window manager, so not here.
    if (windowHandle() && QGuiApplication::platformName() == QStringLiteral("xcb")) {
        std::thread([id = quint32(winId())] { X11ShowWindows::activate(id, 2000); }).detach();
    }
}

void frmLaunch::layOutOverlays()
{
    int y = 20;
    for (QLabel* label : {m_labSName, m_labTimings, m_labAutoRun, m_labResolution}) {
        label->adjustSize();
        label->move(20, y);
        y += label->height() + 8;
    }
    m_picRecordIcon->adjustSize();
    m_picRecordIcon->move(width() - m_picRecordIcon->width() - 20, 20);
    m_picPPLoading->adjustSize();
    m_picPPLoading->move((width() - m_picPPLoading->width()) / 2,
                         (height() - m_picPPLoading->height()) / 2);
    m_labStatus->setMaximumWidth(width() - 40);
    m_labStatus->adjustSize();
    m_labStatus->move(20, height() - m_labStatus->height() - 20);
    // The LiveCast controls sit in the lower right corner, out of the overlays' way.
    m_liveCastPanel->adjustSize();
    m_liveCastPanel->move(width() - m_liveCastPanel->width() - 20,
                          height() - m_liveCastPanel->height() - 20);
}

void frmLaunch::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (QScreen* screen = this->screen())
        m_controller->setScreenSize(screen->size());
    layOutOverlays();
}

void frmLaunch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_controller->blanked())
        return;
    QImage picture = m_doc.ImgHoldingFull;
    if (const int slot = m_controller->title(); slot != LaunchController::HoldingTitle) {
        const PopUpSlot& popUp = m_doc.PopUps[size_t(slot)];
        picture = popUp.Full.isNull() ? popUp.Thumb : popUp.Full;
    }
    if (!picture.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture);
    }
}

void frmLaunch::keyPressEvent(QKeyEvent* event)
{
    const int code = VirtualKeys::fromQt(event->key());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_controller->Form_KeyDown(code, event->modifiers().testFlag(Qt::ShiftModifier) ? 1 : 0);
}

void frmLaunch::mouseDoubleClickEvent(QMouseEvent*)
{
    m_controller->Form_KeyDown(LaunchController::KeyEnter, 0);
}

void frmLaunch::contextMenuEvent(QContextMenuEvent* event)
{
    popUpLauncherMenu(event->globalPos());
}

void frmLaunch::popUpLauncherMenu(const QPoint& globalPosition)
{
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Launcher"));
    menu.setAccessibleDescription(QStringLiteral("MenuLauncher"));
    buildLauncherMenu(menu);
    menu.exec(globalPosition);
}

void frmLaunch::buildLauncherMenu(QMenu& menu)
{
    const LauncherMenuState& state = m_controller->menu();
    LaunchController* c = m_controller;
    auto addKey = [&](QMenu& into, const QString& caption, const QString& name, int key) {
        QAction* action = into.addAction(caption);
        action->setObjectName(name);
        action->setToolTip(name);
        connect(action, &QAction::triggered, c, [c, key] { c->Form_KeyDown(key, 0); });
        return action;
    };

    QMenu* presentations = menu.addMenu(QStringLiteral("Presentations"));
    presentations->menuAction()->setObjectName(QStringLiteral("MnuPresentations"));
    presentations->setEnabled(state.presentationsEnabled);
    presentations->menuAction()->setVisible(state.presentationsVisible);
    for (int i = 0; i < state.speakers.size(); ++i) {
        if (!state.speakers[i].visible)
            continue;
        QAction* action = presentations->addAction(state.speakers[i].caption);
        action->setObjectName(QStringLiteral("MnuSpeaker"));
        connect(action, &QAction::triggered, c, [c, i] { c->MnuSpeaker_Click(i); });
    }
    addKey(menu, QStringLiteral("Holding Slide"), QStringLiteral("MnuTitleSlide"),
           LaunchController::KeyBackspace)
        ->setVisible(state.titleSlideVisible);
    QMenu* popUps = menu.addMenu(QStringLiteral("Pop Ups"));
    popUps->menuAction()->setObjectName(QStringLiteral("MnuPopUps"));
    popUps->setEnabled(state.popUpsEnabled);
    popUps->menuAction()->setVisible(state.popUpsVisible);
    for (int slot = 0; slot < state.popUps.size(); ++slot) {
        if (!state.popUps[slot].visible)
            continue;
        QAction* action = popUps->addAction(state.popUps[slot].caption);
        action->setObjectName(QStringLiteral("MnuPopUp"));
        connect(action, &QAction::triggered, c, [c, slot] { c->MnuPopUp_Click(slot); });
    }
    QAction* promo = addKey(menu, QStringLiteral("Quick Launch"), QStringLiteral("MenuPromo"),
                            LaunchController::KeyQ);
    promo->setEnabled(state.promoEnabled);
    promo->setVisible(state.promoVisible);
    menu.addSeparator();
    addKey(menu, state.blankScreenCaption, QStringLiteral("MnuBlankScreen"), LaunchController::KeyB)
        ->setVisible(state.blankScreenVisible);
    const bool liveCastOn = c->liveCastModeOn();
    addKey(menu,
           liveCastOn && c->liveCastControlsShown() ? QStringLiteral("Hide LiveCast Controls")
                                                    : QStringLiteral("Show LiveCast Controls"),
           QStringLiteral("MnuLCControls"), LaunchController::KeyH)
        ->setVisible(liveCastOn && state.liveCastControlsVisible);
    QMenu* tools = menu.addMenu(QStringLiteral("Tools"));
    tools->menuAction()->setObjectName(QStringLiteral("MnuLTools"));
    tools->menuAction()->setVisible(state.toolsVisible);
    const QSize screenSize = screen() ? screen()->size() : size();
    addKey(*tools,
           QStringLiteral("Display Resolution %1 x %2")
               .arg(screenSize.width())
               .arg(screenSize.height()),
           QStringLiteral("MnuLResolution"), LaunchController::KeyR);
    addKey(*tools, QStringLiteral("Synchronise Record"), QStringLiteral("MnuLSyncRecord"),
           LaunchController::KeyF10);
    addKey(*tools, QStringLiteral("Record Time Log"), QStringLiteral("MnuLTimeLog"),
           LaunchController::KeyF11);
    menu.addSeparator();
    addKey(menu, QStringLiteral("Setup"), QStringLiteral("MnuSetup"), LaunchController::KeyF1)
        ->setVisible(state.setupVisible);
}
