#pragma once

#include "show/widgets/frmLaunch.h"

#include <QObject>
#include <QPointer>

#include <memory>

class EventDocument;
class LaunchController;
class LiveCastHooks;
class PlayModeController;
class PresentationApp;
class ShowClock;
class ThreadedShowPort;
class TimingsSetting;
class frmSetup;

// The windows of play mode: when it starts, the launch screen with its controller on the
// chosen screen and the setup window out of the way; when the launch screen ends it, the setup
// window back and play mode closed.
class PlayModeWindows : public QObject
{
    Q_OBJECT

public:
    // Everything passed in outlives this object.
    PlayModeWindows(EventDocument& doc, PlayModeController& playMode, PresentationApp& shows,
                    const ShowClock& clock, LiveCastHooks& liveCast, const TimingsSetting& timings,
                    frmSetup& setup, QObject* parent = nullptr);
    ~PlayModeWindows() override;

    // While play mode runs; null otherwise.
    frmLaunch* launchScreen() const { return m_launch; }
    LaunchController* launchController() const { return m_controller.get(); }

private:
    void open();
    void ended();
    void closed();

    EventDocument& m_doc;
    PlayModeController& m_playMode;
    PresentationApp& m_shows;
    const ShowClock& m_clock;
    LiveCastHooks& m_liveCast;
    const TimingsSetting& m_timings;
    frmSetup& m_setup;
    std::unique_ptr<ThreadedShowPort> m_port;
    std::unique_ptr<LaunchController> m_controller;
    QPointer<frmLaunch> m_launch;
};
