#pragma once

#include "app/Services.h"
#include "document/EventDocument.h"
#include "setup/SetupController.h"

#include <QObject>
#include <QTimer>

#include <memory>

class AudioRecordSwitch;
class CompanionPrograms;
class ConnectModeWindows;
class HoldingSlide;
class LiveCastBridge;
class InternetConnect;
class LiveCastExport;
class LiveCastMenu;
class LiveCastModes;
class LiveCastTransfers;
class LocalhostMode;
class LocalhostSettings;
class MissingPresentationsSweep;
class PdfConverter;
class PlayModeController;
class PlayModeMessages;
class PlayModeWindows;
class PopUpSlots;
class PopUpsFileCommands;
class QuickLaunchBar;
class ScreenSizeWatch;
class SlideExtractor;
class SlideIntake;
class SoundTest;
class SpeakerList;
class StreamingServerService;
class ThreadedShowPort;
class WebcastServerSettings;
class ZippedEventExport;
class frmLaunch;
class frmSetup;

// The program put together: the event, the controllers of the setup window and of play mode
// on the services given, the setup window that shows them, and the half-second clock that
// drives their periodic jobs. main() and the window tests build it the same way.
class Composition : public QObject
{
    Q_OBJECT

public:
    explicit Composition(const Services& services, QObject* parent = nullptr);
    ~Composition() override;

    // The start-up stages of the setup window; then the clock runs and, without a holding slide
    // of the operator's own, the built-in one is loaded.
    bool startUp(const SetupController::StartUpOptions& options);

    EventDocument& document() { return m_doc; }
    frmSetup& window() { return *m_window; }
    PlayModeController& playMode() { return *m_playMode; }
    // What the setup side has to say while play mode runs waits for the setup window.
    MessageService& setupMessages();
    // While play mode runs; null otherwise.
    frmLaunch* launchScreen() const;
    LiveCastModes& liveCastModes() { return *m_liveCastModes; }
    WebcastServerSettings& webcastServer() { return *m_webcastServer; }
    LiveCastBridge& liveCast() { return *m_liveCast; }
    // After startUp().
    LocalhostMode& localhost() { return *m_localhost; }
    StreamingServerService& streamingServer() { return *m_streamingServer; }

private:
    void screenResized(QSize size);
    void stopSoundTest();
    // Asks the web service for this installation's webcast server, in its window.
    void openWebcastWindow();
    void openInternetConnectSettings();
    void connectWebWindows();
    // Upload Slides, a speaker's Upload and Verify Server, each in its window.
    void connectLiveCastTransfers();
    // Localhost mode, once the folders are known: the streaming server, systemd's "FMS" unit
    // when there is one, nginx run by the program otherwise.
    void setUpLocalhost();

    Services m_services;
    EventDocument m_doc;
    std::unique_ptr<PlayModeMessages> m_setupMessages;
    std::unique_ptr<SetupController> m_controller;
    std::unique_ptr<PopUpsFileCommands> m_popUpsCommands;
    std::unique_ptr<ZippedEventExport> m_zippedEventExport;
    std::unique_ptr<SpeakerList> m_speakerList;
    std::unique_ptr<MissingPresentationsSweep> m_sweep;
    std::unique_ptr<QuickLaunchBar> m_quickLaunchBar;
    std::unique_ptr<SlideExtractor> m_extractor;
    std::unique_ptr<SlideIntake> m_intake;
    std::unique_ptr<HoldingSlide> m_holdingSlide;
    std::unique_ptr<PopUpSlots> m_popUpSlots;
    std::unique_ptr<PdfConverter> m_pdf;
    std::unique_ptr<PlayModeController> m_playMode;
    std::unique_ptr<ThreadedShowPort> m_recordShows;
    std::unique_ptr<SoundTest> m_soundTest;
    std::unique_ptr<AudioRecordSwitch> m_audioRecord;
    std::unique_ptr<CompanionPrograms> m_companions;
    std::unique_ptr<LiveCastModes> m_liveCastModes;
    std::unique_ptr<LiveCastMenu> m_liveCastMenu;
    std::unique_ptr<WebcastServerSettings> m_webcastServer;
    std::unique_ptr<LiveCastExport> m_liveCastExport;
    std::unique_ptr<InternetConnect> m_internetConnect; // the page keys "U" and "I" look up
    std::unique_ptr<LiveCastBridge> m_liveCast;
    std::unique_ptr<LiveCastTransfers> m_liveCastTransfers;
    std::unique_ptr<StreamingServerService> m_streamingServer;
    std::unique_ptr<LocalhostSettings> m_localhostSettings;
    std::unique_ptr<LocalhostMode> m_localhost;
    std::unique_ptr<ConnectModeWindows> m_connectWindows;
    std::unique_ptr<frmSetup> m_window;
    std::unique_ptr<ScreenSizeWatch> m_screenWatch;
    std::unique_ptr<PlayModeWindows> m_playWindows;
    QTimer m_timer1;
};
