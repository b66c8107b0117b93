#pragma once

#include "document/EventDocument.h"
#include "setup/SetupController.h"
#include "setup/widgets/SetupParts.h"
#include "show/ShowScreenChoice.h"
#include "slides/LiveCastExport.h"

#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <array>
#include <functional>

class AudioToolsPanel;
class HoldingPanel;
class HoldingSlide;
class PopUpSlots;
class PopUpsPanel;
class SlideExtractor;
class SlideIntake;
class frmPreview;
class SpeakerList;
class SpeakersPanel;
class PopUpsFileCommands;
class QuickLaunchBar;
class QuickLaunchPanel;
class QAction;
class QLabel;
class QTabWidget;
class QToolBar;
class ZippedEventExport;

// The program's main window: the File menu, the toolbar and the three sections of the event.
// The event and the rules live in the parts it is given.
class frmSetup : public QMainWindow
{
    Q_OBJECT

public:
    // The window shows the parts and routes its events to them; they outlive it.
    explicit frmSetup(const SetupParts& parts, QWidget* parent = nullptr);
    ~frmSetup() override;

    PopUpsFileCommands* popUpsCommands() const { return m_popUpsCommands; }
    SpeakerList* speakerList() const { return m_speakerList; }
    HoldingSlide* holdingSlide() const { return m_holdingSlide; }
    PopUpSlots* popUpSlots() const { return m_popUpSlots; }
    HoldingPanel* holdingPanel() const { return m_holdingPanel; }
    PopUpsPanel* popUpsPanel() const { return m_popUpsPanel; }
    frmPreview* preview() const { return m_preview; }
    SpeakersPanel* speakersPanel() const { return m_speakersPanel; }
    QuickLaunchBar* quickLaunchBar() const { return m_quickLaunchBar; }
    QuickLaunchPanel* quickLaunch() const { return m_quickLaunch; }
    ZippedEventExport* zippedEventExport() const { return m_zippedEventExport; }

    // Play: starts play mode when nothing stands in its way.
    void ComPlay_Click();
    // The export window over this one until the export for the webcast has ended; the event
    // keeps the time codes of what was exported.
    void exportForWebcast(const LiveCastExport::Request& request, const QString& windowName);
    // The launch screen takes over: the window remembers where it was and hides.
    void enterPlayMode();
    // Back from play mode, near where it was.
    void leavePlayMode();

    // The start-up stages: splash, folders, settings, baseline, command-line file.
    bool startUp(const SetupController::StartUpOptions& options);

    EventDocument& document() { return m_doc; }
    SetupController& controller() { return *m_controller; }
    QTabWidget* sections() const { return m_sections; }
    QAction* recentAction(int index) const { return m_mnuLocation.at(size_t(index)); }
    QAction* recentSeparator() const { return m_fSpace2; }
    QAction* slideFormatAction(int index) const { return m_mnuSFormat.at(size_t(index - 1)); }
    AudioToolsPanel* audioTools() const { return m_audioTools; }
    QMenu* liveCastMenu() const { return m_mnuLiveCast; }

    // How long the closing window stays; tests shorten it.
    void setClosingWindowMs(int ms) { m_closingMs = ms; }

    // Ending from outside (a logout, a service stop): nobody can answer a question, so the
    // settings are written and the working folder removed without one.
    void shutDownWithoutQuestions();

    void MnuALeft_Click();
    void MnuARight_Click();

    // The address chosen for Localhost mode, for the encoder settings; empty when not set.
    std::function<QString()> localIpAddress;

signals:
    // The program is about to end: the settings are written next.
    void shutDownStarted();
    // The close query was accepted, the settings written and the closing window shown.
    void shutDownFinished();
    // LiveCast's "Upload Slides" and "Verify Server" (or "Verify Localhost", the caption).
    void uploadSlidesRequested();
    void verifyServerRequested(const QString& caption);
    // "Localhost Mode" and "Localhost Settings".
    void localhostModeRequested();
    void localhostSettingsRequested();
    // LiveCast's "Connect Mode", "Server Address" and "Session Details".
    void connectModeRequested();
    void serverAddressRequested();
    void sessionDetailsRequested();
    void internetConnectSettingsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildSections();
    void buildPopUpsAndExport();
    void buildSpeakers();
    void buildQuickLaunch();
    void buildSlides();
    void buildShow();
    void buildSoundTest();
    void buildLiveCast();
    void buildLiveCastExport(QMenu* menu);
    void buildLiveCastUploads(QMenu* menu);
    void buildLiveCastLocalhost(QMenu* menu, QAction* after);
    void buildConnectItems(QMenu* menu);
    QMenu* toolsMenu();
    void refreshRecentFiles();
    void refreshFromDocument();
    void closePreview();
    // While on, the window takes no commands and shows the busy pointer.
    void setBusy(bool on);
    // The slide preview of a finished extraction; during play mode it waits for the setup window.
    void openPreview(const QStringList& thumbnails);
    static QList<ShowScreenChoice::Screen> screenList();

    SetupParts m_parts;
    EventDocument& m_doc;
    SetupController* m_controller;
    QTabWidget* m_sections = nullptr;
    QWidget* m_picMain = nullptr;
    QWidget* m_picSpeakers = nullptr;
    QWidget* m_picPopUps = nullptr;
    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuSlides = nullptr;
    QMenu* m_mnuUtilities = nullptr;
    QMenu* m_mnuWindow = nullptr;
    QMenu* m_mnuLiveCast = nullptr;
    QToolBar* m_toolbar1 = nullptr;
    QAction* m_mnuNew = nullptr;
    QAction* m_mnuOpen = nullptr;
    QAction* m_mnuSave = nullptr;
    QAction* m_mnuSaveAs = nullptr;
    QAction* m_mnuExit = nullptr;
    QAction* m_mnuALeft = nullptr;
    QAction* m_mnuARight = nullptr;
    std::array<QAction*, 4> m_mnuLocation{};
    QAction* m_fSpace2 = nullptr;
    std::array<QAction*, 5> m_mnuSFormat{};
    int m_closingMs = 2000;
    int m_busyCount = 0;
    bool m_shutDownDone = false;
    AudioToolsPanel* m_audioTools = nullptr;
    PopUpsFileCommands* m_popUpsCommands = nullptr;
    ZippedEventExport* m_zippedEventExport = nullptr;
    QLabel* m_importStatus = nullptr;
    SpeakerList* m_speakerList = nullptr;
    SpeakersPanel* m_speakersPanel = nullptr;
    SlideExtractor* m_extractor = nullptr;
    SlideIntake* m_intake = nullptr;
    HoldingSlide* m_holdingSlide = nullptr;
    PopUpSlots* m_popUpSlots = nullptr;
    HoldingPanel* m_holdingPanel = nullptr;
    PopUpsPanel* m_popUpsPanel = nullptr;
    frmPreview* m_preview = nullptr;
    QuickLaunchBar* m_quickLaunchBar = nullptr;
    QuickLaunchPanel* m_quickLaunch = nullptr;
    QStringList m_waitingPreview;
    QRect m_playReturn; // where the window was when play mode began
};
