#include "app/PlayModeWindows.h"

#include "setup/widgets/frmSetup.h"
#include "show/LaunchController.h"
#include "show/PlayModeController.h"
#include "show/ThreadedShowPort.h"
#include "show/widgets/frmLaunch.h"

#include <QGuiApplication>
#include <QScreen>

PlayModeWindows::PlayModeWindows(EventDocument& doc, PlayModeController& playMode,
                                 PresentationApp& shows, const ShowClock& clock,
                                 LiveCastHooks& liveCast, const TimingsSetting& timings,
                                 frmSetup& setup, QObject* parent)
    : QObject(parent), m_doc(doc), m_playMode(playMode), m_shows(shows), m_clock(clock),
      m_liveCast(liveCast), m_timings(timings), m_setup(setup)
{
    connect(&m_playMode, &PlayModeController::playingChanged, this, [this](bool playing) {
        if (playing)
            open();
    });
}

PlayModeWindows::~PlayModeWindows()
{
    delete m_launch;
    closed();
}

void PlayModeWindows::open()
{
    // A launch screen of the last play mode still waiting to be deleted goes first, with the
    // controller its timers call.
    delete m_launch;
    closed();
    QScreen* screen = QGuiApplication::screens().value(m_playMode.showScreen(), m_setup.screen());
    m_port = std::make_unique<ThreadedShowPort>(m_shows);
    m_controller =
        std::make_unique<LaunchController>(m_doc, *m_port, m_clock, m_liveCast, m_timings);
    m_launch = new frmLaunch(*m_controller, m_doc, m_clock);
    m_launch->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_launch, &frmLaunch::playModeEnded, this, &PlayModeWindows::ended);
    // The controller outlives its window, and the show port its controller: no answer of the
    // office can reach either half destroyed.
    connect(m_launch, &QObject::destroyed, this, &PlayModeWindows::closed);
    m_setup.enterPlayMode();
    m_launch->setScreen(screen);
    m_launch->setGeometry(screen->geometry());
    m_launch->showFullScreen();
    m_launch->activateWindow();
}

void PlayModeWindows::ended()
{
    const bool timingsLogged = m_controller->timingsLogged();
    m_setup.leavePlayMode();
    m_playMode.end(timingsLogged);
}

void PlayModeWindows::closed()
{
    m_controller.reset();
    m_port.reset();
}
