#pragma once

#include "document/TimingsSetting.h"
#include "show/LaunchKeyMap.h"
#include "show/LauncherMenuState.h"
#include "show/LiveCastHooks.h"
#include "show/ShowPort.h"
#include "show/SlideTimings.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class EventDocument;
class PresentationDocument;
class ShowClock;

// The launch screen without its window: the key commands, the show watcher, auto run, the
// overlays and the launcher menu. The window forwards keys and menu items as key codes, calls
// the three timer handlers from its timers and draws what the state getters say; tests do the
// same with a clock of their own and a port that answers at once.
class LaunchController : public QObject
{
    Q_OBJECT

public:
    // The keys by their virtual-key codes, as LaunchController::KeyEnter and so on.
    using enum LaunchKeyMap::Key;
    // What the screen shows under the overlays.
    static constexpr int HoldingTitle = -1; // else the pop-up slot 0..9
    static constexpr int NoLoadingPicture = -1;
    // Auto run launches the next talk five seconds after a show has ended; looping, it goes
    // from the last speaker round to the first.
    enum class AutoRun
    {
        Off,
        On,
        Looping
    };

    struct Overlays
    {
        bool speakerName = false; // LabSName
        bool timings = false;     // LabTimings
        bool autoRun = false;     // LabAutoRun
        bool resolution = false;  // LabResolution
        bool recordIcon = false;  // PicRecordIcon
    };

    // Starts play mode on doc: the first speaker is selected, auto run is off, the holding slide
    // is up. Everything passed in must outlive the controller.
    LaunchController(EventDocument& doc, ShowPort& port, const ShowClock& clock,
                     LiveCastHooks& liveCast, const TimingsSetting& timings,
                     QObject* parent = nullptr);

    // A key from the screen or the launcher menu: what it stands for, unless the screen is
    // blanked, when any key but S only brings the picture back.
    void Form_KeyDown(int keyCode, int shift);
    void MnuSpeaker_Click(int index);
    void MnuPopUp_Click(int slot);
    // The show watcher (every 200 ms), auto run (every second) and the overlay timer (once, a
    // second after the last flash).
    void Timer1_Timer();
    void TimAutoRun_Timer();
    void TimSpeaker_Timer();

    // The launch screen has the focus: a running show is brought back in front of it.
    void setLaunchScreenActive(bool active) { m_launchScreenActive = active; }
    void setScreenSize(const QSize& size) { m_screenSize = size; }
    // The setup window removed the speaker at index while play mode runs.
    void speakerRemoved(int index);

    bool blanked() const { return m_blanked; }
    int title() const { return m_title; }
    int loadingPicture() const { return m_loadingPicture; }
    bool showRunning() const { return m_show != nullptr; }
    bool launching() const { return m_launching; }
    // The presentation last handed to the port to prepare, once the port has it ready.
    QString preparedPath() const { return m_preparing ? QString() : m_preparedFor; }
    bool liveCastControlsShown() const { return m_liveCastControlsShown; }
    const LiveCastHooks::PlayerOptions& playerOptions() const { return m_playerOptions; }
    // The LiveCast controls: each change is published with the two other options empty.
    void ComboViewLC_Click(int view);
    void HScrollLC_Change(int scale);
    void ChkRolling_Click(bool rolling);
    // Only the first view ("Scale Video / Slide") takes a scale.
    bool scaleEnabled() const { return m_playerOptions.view == 0; }
    // Webcast or Localhost mode: the LiveCast controls may be shown.
    bool liveCastModeOn() const;
    const Overlays& overlays() const { return m_overlays; }
    const QString& LabSName() const { return m_labSName; }
    const QString& LabTimings() const { return m_labTimings; }
    QString LabAutoRun() const;
    AutoRun autoRun() const { return m_autoRun; }
    const QString& LabResolution() const { return m_labResolution; }
    // Why the last talk could not be shown; empty after a launch that worked.
    const QString& statusLine() const { return m_statusLine; }
    const LauncherMenuState& menu() const { return m_menu; }
    bool timingsLogged() const { return m_timings.Checked; }

    int ShowSlideCount() const { return m_showSlideCount; }
    const SlideTimings& slideTimings() const { return m_slideTimings; }
    const QString& LaunchedSpeakerName() const { return m_launchedSpeakerName; }
    const QString& LaunchedFilePath() const { return m_launchedFilePath; }
    const QString& LivePresenter() const { return m_livePresenter; }

signals:
    // Anything drawn on the launch screen may have changed.
    void changed();
    // An overlay was flashed: the overlay timer starts its second again.
    void overlayFlashed();
    void exitRequested();
    void launcherMenuRequested();
    void beepRequested();
    void syncRecordRequested();
    // A launch was appended to "Record.log" (the record can be cleared again).
    void launchRecorded();

private:
    // The launcher menu items that a blanked screen hides.
    void setScreenItemsVisible(bool visible);
    void next();
    void back();
    // A show runs or is coming up: it is brought to the front, and Next and Back do nothing else.
    bool showComesFirst();
    void launchCurrent(ShowPort::StartAt startAt);
    void launched(const ShowPort::Launch& launch);
    void polled(const std::shared_ptr<PresentationDocument>& document, const ShowPort::Poll& poll);
    // The show is over or none runs: the talk's record, the holding state for the audience.
    void noShowLeft();
    // While the screen waits, the current speaker's presentation is opened ahead of Page Down.
    void prepareCurrent();
    void blank();
    void restoreScreen();
    void showTitle(int title);
    void quickLaunch();
    void toggleLiveCastControls();
    void stepAutoRun();
    void switchAutoRunOff();
    void toggleTimings();
    void timeMark();
    void rebuildMenu();
    void setSpeakerName(const std::optional<QString>& name);
    void flash(bool Overlays::*label);
    bool currentFileExists() const;

    EventDocument& m_doc;
    ShowPort& m_port;
    const ShowClock& m_clock;
    LiveCastHooks& m_liveCast;
    TimingsSetting m_timings;

    QString m_preparedFor;
    bool m_preparing = false;
    bool m_blanked = false;
    int m_title = HoldingTitle;
    int m_loadingPicture = NoLoadingPicture;
    bool m_liveCastControlsShown = false;
    LiveCastHooks::PlayerOptions m_playerOptions;
    bool m_launchScreenActive = false;
    QSize m_screenSize;
    Overlays m_overlays;
    QString m_labSName;
    QString m_labTimings;
    QString m_labResolution;
    LauncherMenuState m_menu;

    std::shared_ptr<PresentationDocument> m_show;
    bool m_launching = false;
    bool m_polling = false;
    AutoRun m_autoRun = AutoRun::Off;
    int m_autoRunTicks = 0;
    int m_showSlideCount = 0;
    SlideTimings m_slideTimings;
    QString m_launchedSpeakerName;
    QString m_launchedFilePath;
    int m_launchedSpeaker = -1;
    // The speaker the next launch runs: a position in the speaker table, -1 for none.
    int m_currentSpeaker = -1;
    QString m_statusLine;
    QString m_livePresenter;
    QString m_liveSlideSet;
};
