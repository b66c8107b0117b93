#include "app/Composition.h"

#include "app/LiveCastBridge.h"
#include "app/PlayModeWindows.h"
#include "audio/AudioRecordSwitch.h"
#include "audio/CompanionPrograms.h"
#include "audio/SoundTest.h"
#include "livecast/AdminUpload.h"
#include "livecast/InternetConnect.h"
#include "livecast/LiveCastMenu.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LiveCastTransfers.h"
#include "livecast/LocalhostMode.h"
#include "livecast/LocalhostServiceStart.h"
#include "livecast/LocalhostSettings.h"
#include "livecast/PlayerPage.h"
#include "livecast/ServerVerification.h"
#include "livecast/SpeakerUpload.h"
#include "livecast/WebServiceSettings.h"
#include "livecast/WebcastConnection.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/InterfaceAddresses.h"
#include "platform/NginxStreamingServer.h"
#include "platform/SystemdStreamingServer.h"
#include "platform/WebWindows.h"
#include "setup/HoldingSlide.h"
#include "setup/LiveCastExportPlan.h"
#include "setup/PlayModeMessages.h"
#include "setup/PopUpSlots.h"
#include "setup/PopUpsFileCommands.h"
#include "setup/QuickLaunchBar.h"
#include "setup/ScreenSizeWatch.h"
#include "setup/SlideIntake.h"
#include "setup/SpeakerList.h"
#include "setup/ZippedEventExport.h"
#include "setup/widgets/AudioToolsPanel.h"
#include "setup/widgets/ConnectModeWindows.h"
#include "setup/widgets/SpeakersPanel.h"
#include "setup/widgets/frmInternetConnectSettings.h"
#include "setup/widgets/frmLHSettings.h"
#include "setup/widgets/frmLocalhost.h"
#include "setup/widgets/frmSUpload.h"
#include "setup/widgets/frmSetup.h"
#include "setup/widgets/frmUpload.h"
#include "setup/widgets/frmVerifyServer.h"
#include "setup/widgets/frmWebcast.h"
#include "show/LaunchController.h"
#include "show/MissingPresentationsSweep.h"
#include "show/PlayModeController.h"
#include "show/ThreadedShowPort.h"
#include "show/widgets/frmLaunch.h"
#include "slides/LiveCastExport.h"
#include "slides/PdfConverter.h"
#include "slides/SlideExtractor.h"
#include "slides/SwfWriter.h"

#include <QGuiApplication>
#include <QScreen>

Composition::Composition(const Services& services, QObject* parent)
    : QObject(parent), m_services(services),
      m_setupMessages(std::make_unique<PlayModeMessages>(services.messages))
{
    const Services& s = m_services;
    MessageService& setupMessages = *m_setupMessages;
    m_controller = std::make_unique<SetupController>(m_doc, s.messages, s.dialogs);
    m_popUpsCommands =
        std::make_unique<PopUpsFileCommands>(m_doc, setupMessages, s.dialogs, s.exports);
    m_zippedEventExport =
        std::make_unique<ZippedEventExport>(m_doc, setupMessages, s.dialogs, s.freeSpace, s.drives);
    m_speakerList = std::make_unique<SpeakerList>(
        m_doc, SpeakerList::Services{setupMessages, s.drives, s.clipboard, s.shows, s.shell});
    // Presentations moved or deleted behind the program's back, also during play mode.
    m_sweep = std::make_unique<MissingPresentationsSweep>(m_doc, setupMessages);
    m_quickLaunchBar =
        std::make_unique<QuickLaunchBar>(m_doc, setupMessages, s.dialogs, s.shows, s.drives);
    m_extractor = std::make_unique<SlideExtractor>(s.exports);
    const QScreen* primary = QGuiApplication::primaryScreen();
    m_intake = std::make_unique<SlideIntake>(m_doc, *m_extractor, QSize(240, 135),
                                             primary ? primary->size() : QSize(1920, 1080));
    m_holdingSlide =
        std::make_unique<HoldingSlide>(m_doc, *m_intake, s.clipboard, s.dialogs, s.exports);
    m_popUpSlots = std::make_unique<PopUpSlots>(m_doc, *m_intake, s.clipboard, setupMessages);
    m_pdf = std::make_unique<PdfConverter>(s.exports, setupMessages);
    m_liveCastModes = std::make_unique<LiveCastModes>();
    m_liveCastMenu = std::make_unique<LiveCastMenu>(*m_liveCastModes, s.messages);
    m_webcastServer = std::make_unique<WebcastServerSettings>();
    m_liveCastExport =
        std::make_unique<LiveCastExport>(s.exports, [](const QString& stem, QString* error) {
            *error = SwfWriter::convert(stem);
            return error->isEmpty();
        });
    m_liveCast =
        std::make_unique<LiveCastBridge>(s.transfers, s.messages, *m_liveCastModes,
                                         m_controller->liveCastSettings(), *m_webcastServer);
    connect(m_liveCastMenu.get(), &LiveCastMenu::webcastWindowRequested, this,
            &Composition::openWebcastWindow);
    m_liveCastTransfers = std::make_unique<LiveCastTransfers>(LiveCastTransfers::Parts{
        s.transfers, s.messages, s.exports, *m_liveCastModes, *m_webcastServer,
        m_controller->liveCastSettings(), m_doc, PlayerPage::installedWebFolder()});
    m_playMode = std::make_unique<PlayModeController>(m_doc, s.shows, s.messages,
                                                      m_controller->timingsSetting(), *m_liveCast,
                                                      [this] { stopSoundTest(); });
    connect(m_playMode.get(), &PlayModeController::playingChanged, m_setupMessages.get(),
            &PlayModeMessages::setPlaying);
    m_recordShows = std::make_unique<ThreadedShowPort>(s.shows);
    m_soundTest =
        std::make_unique<SoundTest>(m_doc.AppFolder, s.soundPlayer, s.messages, s.dialogs);
    m_audioRecord = std::make_unique<AudioRecordSwitch>(m_doc.AppFolder);
    m_companions = std::make_unique<CompanionPrograms>(m_doc.AppFolder, s.programs);

    m_window = std::make_unique<frmSetup>(SetupParts{m_doc,
                                                     *m_controller,
                                                     *m_popUpsCommands,
                                                     *m_zippedEventExport,
                                                     *m_speakerList,
                                                     *m_sweep,
                                                     *m_quickLaunchBar,
                                                     *m_extractor,
                                                     *m_intake,
                                                     *m_holdingSlide,
                                                     *m_popUpSlots,
                                                     *m_pdf,
                                                     *m_playMode,
                                                     *m_recordShows,
                                                     *m_liveCastModes,
                                                     *m_liveCastMenu,
                                                     *m_webcastServer,
                                                     *m_liveCastExport,
                                                     s.messages,
                                                     s.dialogs,
                                                     s.shows,
                                                     s.drives,
                                                     s.clipboard,
                                                     s.shell,
                                                     s.clock,
                                                     *m_soundTest,
                                                     *m_audioRecord,
                                                     *m_companions});
    m_playWindows =
        std::make_unique<PlayModeWindows>(m_doc, *m_playMode, s.shows, s.clock, *m_liveCast,
                                          m_controller->timingsSetting(), *m_window);
    connect(m_sweep.get(), &MissingPresentationsSweep::speakersRemoved, this,
            [this](const QList<int>& removed) {
                if (LaunchController* launch = m_playWindows->launchController()) {
                    for (int position : removed)
                        launch->speakerRemoved(position);
                }
            });
    connect(m_holdingSlide.get(), &HoldingSlide::builtInDefaultLoaded, m_controller.get(),
            &SetupController::adoptBuiltInHoldingSlide);
    connectLiveCastTransfers();
    // Connect mode: a session on a server given by its address.
    m_connectWindows = std::make_unique<ConnectModeWindows>(
        s.transfers, s.messages, *m_liveCastModes, *m_webcastServer, m_doc, m_window.get());
    connect(m_window.get(), &frmSetup::connectModeRequested, m_connectWindows.get(),
            &ConnectModeWindows::MnuConnect_Click);
    connect(m_window.get(), &frmSetup::serverAddressRequested, m_connectWindows.get(),
            &ConnectModeWindows::MnuServerIP_Click);
    connect(m_window.get(), &frmSetup::sessionDetailsRequested, m_connectWindows.get(),
            &ConnectModeWindows::MnuSessionDetails_Click);
    connect(m_window.get(), &frmSetup::internetConnectSettingsRequested, this,
            &Composition::openInternetConnectSettings);
    connectWebWindows();

    // The setup window's clock: its caption, the screen's size, missing presentations, the
    // Quick Launch file and the sound test's status.
    m_screenWatch = std::make_unique<ScreenSizeWatch>([this] {
        const QScreen* screen = m_window->screen();
        return screen ? screen->size() : QSize();
    });
    connect(m_screenWatch.get(), &ScreenSizeWatch::resized, this, &Composition::screenResized);
    m_timer1.setInterval(500);
    connect(&m_timer1, &QTimer::timeout, m_controller.get(), &SetupController::captionTick);
    connect(&m_timer1, &QTimer::timeout, m_screenWatch.get(), &ScreenSizeWatch::tick);
    connect(&m_timer1, &QTimer::timeout, m_sweep.get(), &MissingPresentationsSweep::tick);
    connect(&m_timer1, &QTimer::timeout, m_quickLaunchBar.get(), &QuickLaunchBar::Timer1_Timer);
    connect(&m_timer1, &QTimer::timeout, m_window->audioTools(), &AudioToolsPanel::Timer1_Timer);
    connect(m_window.get(), &frmSetup::shutDownStarted, &m_timer1, &QTimer::stop);
}

// The windows go before the parts they show.
Composition::~Composition()
{
    m_timer1.stop();
    m_playWindows.reset();
    m_connectWindows.reset();
    m_window.reset();
    m_localhost.reset();
    if (m_streamingServer)
        m_streamingServer->release();
}

bool Composition::startUp(const SetupController::StartUpOptions& options)
{
    if (!m_window->startUp(options))
        return false;
    m_liveCast->setFolders(m_doc.AppFolder, m_doc.LiveCastFolder);
    setUpLocalhost();
    m_timer1.start();
    // Without a default of the operator's own, the template's first slide; it comes through the
    // presentation program, so the window shows first.
    if (m_controller->awaitsBuiltInHoldingSlide())
        QTimer::singleShot(0, m_holdingSlide.get(), &HoldingSlide::loadBuiltInDefault);
    return true;
}

MessageService& Composition::setupMessages()
{
    return *m_setupMessages;
}

frmLaunch* Composition::launchScreen() const
{
    return m_playWindows->launchScreen();
}

void Composition::screenResized(QSize size)
{
    m_intake->setScreen(size);
    m_holdingSlide->screenSizeChanged();
    if (frmLaunch* launch = m_playWindows->launchScreen())
        launch->Build_Screen();
}

void Composition::connectWebWindows()
{
    WebWindows* web = m_services.web;
    if (!web)
        return;
    const auto playFlash = [web](const QString& path) { web->playFlash(path); };
    connect(m_quickLaunchBar.get(), &QuickLaunchBar::flashRequested, this, playFlash);
    connect(m_liveCast.get(), &LiveCastBridge::flashRequested, this, playFlash);
    // The page is looked up while the launch screen goes on taking keys; it opens once the
    // service has answered "OK".
    connect(m_liveCast.get(), &LiveCastBridge::internetConnectRequested, this,
            [this, web](bool sessionPage) {
                m_internetConnect = std::make_unique<InternetConnect>(
                    m_services.transfers, WebServiceSettings::load(m_doc.AppFolder));
                const QWidget* screenOf = launchScreen();
                const QScreen* screen =
                    screenOf ? screenOf->screen() : QGuiApplication::primaryScreen();
                m_internetConnect->resolvePage(m_doc, sessionPage,
                                               screen ? screen->size() : QSize(),
                                               [web](const QUrl& url) { web->showPage(url); });
            });
}

void Composition::openInternetConnectSettings()
{
    InternetConnect connect(m_services.transfers, WebServiceSettings::load(m_doc.AppFolder));
    frmInternetConnectSettings window(m_doc, connect, m_services.messages, m_window.get());
    window.exec();
}

void Composition::openWebcastWindow()
{
    WebcastConnection connection(m_services.transfers, m_services.messages, *m_liveCastModes,
                                 *m_webcastServer, WebServiceSettings::load(m_doc.AppFolder));
    frmWebcast window(connection, m_window.get());
    window.exec();
}

void Composition::connectLiveCastTransfers()
{
    const LiveCastTransfers& commands = *m_liveCastTransfers;
    frmSetup* window = m_window.get();
    // Auto LiveCast at Play: the slides as they are now, then to the webcast server. In
    // Localhost mode the export's local copy is already where the streaming server serves it.
    connect(
        m_liveCast.get(), &LiveCastBridge::autoLiveCastRequested, this, [this, &commands, window] {
            window->exportForWebcast(LiveCastExportPlan::wholeEvent(m_doc, QTime::currentTime()),
                                     QStringLiteral("frmExportPptx"));
            if (m_liveCastModes->mode() == LiveCastModes::Mode::Localhost)
                return;
            if (const auto upload = commands.MnuUploadSlides_Click()) {
                frmUpload progress(*upload, window);
                progress.exec();
            }
        });
    connect(window, &frmSetup::uploadSlidesRequested, this, [&commands, window] {
        if (const auto upload = commands.MnuUploadSlides_Click()) {
            frmUpload progress(*upload, window);
            progress.exec();
        }
    });
    connect(window->speakersPanel(), &SpeakersPanel::uploadRequested, this,
            [&commands, window](int row) {
                if (const auto upload = commands.MnuSUpload_Click(row)) {
                    frmSUpload progress(*upload, window);
                    progress.exec();
                }
            });
    window->speakersPanel()->uploadPossible = [&commands](int row) {
        return commands.speakerUploadPossible(row);
    };
    connect(window, &frmSetup::verifyServerRequested, this,
            [&commands, window](const QString& caption) {
                const auto check = commands.MnuVerifyServer_Click();
                frmVerifyServer progress(*check, caption, window);
                progress.exec();
            });
}

void Composition::setUpLocalhost()
{
    const QString unit = qEnvironmentVariable("STAGOR_FMS_UNIT", QStringLiteral("FMS.service"));
    if (SystemdStreamingServer::unitExists(unit)) {
        m_streamingServer = std::make_unique<SystemdStreamingServer>(unit);
    } else {
        m_streamingServer = std::make_unique<NginxStreamingServer>(
            NginxStreamingServer::fromEnvironment(m_doc.RunFolder, [this] {
                return m_localhost ? m_localhost->streamingFolder() : QString();
            }));
    }
    m_localhostSettings = std::make_unique<LocalhostSettings>(m_doc.AppFolder, m_services.messages,
                                                              &InterfaceAddresses::ipv4);
    frmSetup* window = m_window.get();
    LocalhostMode::Windows windows;
    windows.settings = [this, window] {
        frmLHSettings settings(*m_localhostSettings, window);
        settings.exec();
    };
    windows.serviceStart = [this, window] {
        LocalhostServiceStart start(*m_streamingServer, *m_liveCastModes);
        frmLocalhost progress(start, window);
        progress.exec();
    };
    m_localhost =
        std::make_unique<LocalhostMode>(m_doc.AppFolder, *m_liveCastModes, m_services.messages,
                                        *m_localhostSettings, *m_streamingServer, windows);
    m_localhost->setPlayerSource(PlayerPage::installedWebFolder());
    connect(window, &frmSetup::localhostModeRequested, m_localhost.get(),
            &LocalhostMode::MnuLocalHost_Click);
    connect(window, &frmSetup::localhostSettingsRequested, m_localhost.get(),
            &LocalhostMode::MnuLHSettings_Click);
    // The program ends: the server it started goes before its working folder does.
    connect(window, &frmSetup::shutDownStarted, m_streamingServer.get(),
            &StreamingServerService::release);
    window->localIpAddress = [this] { return m_localhostSettings->ipAddress(); };
    m_liveCast->setLocalStreamingFolder([this] { return m_localhost->streamingFolder(); });
}

void Composition::stopSoundTest()
{
    if (m_soundTest->isPlaying())
        m_soundTest->ComSPlay_Click();
}
