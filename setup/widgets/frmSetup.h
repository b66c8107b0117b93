#pragma once

#include "document/EventDocument.h"
#include "setup/SetupController.h"
#include "show/ShowScreenChoice.h"

#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTimer>

#include <array>

class AudioPlayer;
class AudioToolsPanel;
class HoldingPanel;
class HoldingSlide;
class PopUpSlots;
class PopUpsPanel;
class SlideExtractor;
class SlideIntake;
class frmLaunch;
class PlayModeController;
class frmPreview;
class LiveCastHooks;
class ShowClock;
class ThreadedShowPort;
class ClipboardService;
class DriveTypeSource;
class ShellService;
class SpeakerList;
class SpeakersPanel;
class FileDialogService;
class FreeSpaceSource;
class MessageService;
class PopUpsFileCommands;
class QuickLaunchBar;
class QuickLaunchPanel;
class PresentationApp;
class ProgramLauncher;
class QAction;
class QLabel;
class QTabWidget;
class QToolBar;
class ZippedEventExport;

// The program's main window: the File menu, the toolbar and the three sections of the event.
// It owns the event document; the rules live in SetupController.
class frmSetup : public QMainWindow
{
    Q_OBJECT

public:
    frmSetup(MessageService& messages, FileDialogService& dialogs, QWidget* parent = nullptr);
    // With the Sound Test frame and the audio tools: the sound output and the starter of the
    // companion programs.
    frmSetup(MessageService& messages, FileDialogService& dialogs, AudioPlayer& soundPlayer,
             ProgramLauncher& programs, QWidget* parent = nullptr);
    ~frmSetup() override;

    // File, PopUps (Export, Import) and File, Export: they take slides from presentations and
    // ask how much room a drive has. Called once, before startUp(); both must outlive the window.
    void buildPopUpsAndExport(MessageService& messages, FileDialogService& dialogs,
                              PresentationApp& presentations, FreeSpaceSource& freeSpace,
                              const DriveTypeSource& drives);
    PopUpsFileCommands* popUpsCommands() const { return m_popUpsCommands; }

    // The "Speakers" section and its commands. Called once, before startUp(); the services must
    // outlive the window.
    void buildSpeakers(MessageService& messages, const DriveTypeSource& drives,
                       ClipboardService& clipboard, PresentationApp& presentations,
                       ShellService& shell);
    SpeakerList* speakerList() const { return m_speakerList; }

    // The holding slide, the pop-up slots and the slide preview. Slides are taken through
    // exports (best a program of its own that runs no show). Called once, before startUp().
    void buildSlides(MessageService& messages, FileDialogService& dialogs,
                     ClipboardService& clipboard, PresentationApp& exports);
    HoldingSlide* holdingSlide() const { return m_holdingSlide; }
    PopUpSlots* popUpSlots() const { return m_popUpSlots; }
    HoldingPanel* holdingPanel() const { return m_holdingPanel; }
    PopUpsPanel* popUpsPanel() const { return m_popUpsPanel; }
    frmPreview* preview() const { return m_preview; }
    SpeakersPanel* speakersPanel() const { return m_speakersPanel; }

    // The Quick Launch frame of the "Main" section. Called once, before startUp(); the services
    // must outlive the window.
    void buildQuickLaunch(MessageService& messages, FileDialogService& dialogs,
                          PresentationApp& presentations, const DriveTypeSource& drives);
    QuickLaunchBar* quickLaunchBar() const { return m_quickLaunchBar; }
    QuickLaunchPanel* quickLaunch() const { return m_quickLaunch; }
    ZippedEventExport* zippedEventExport() const { return m_zippedEventExport; }

    // Play mode: the Play button and the launch screen. Shows run in `shows` (a program that
    // can show on screen); the services must outlive the window. Called once, before startUp().
    void buildShow(MessageService& messages, PresentationApp& shows, const ShowClock& clock,
                   LiveCastHooks& liveCast, ShellService& shell, ClipboardService& clipboard);
    void ComPlay_Click();
    frmLaunch* launchScreen() const { return m_launch; }

    // The start-up stages: splash, folders, settings, baseline, command-line file, timer.
    bool startUp(const SetupController::StartUpOptions& options);

    EventDocument& document() { return m_doc; }
    SetupController& controller() { return *m_controller; }
    QTabWidget* sections() const { return m_sections; }
    QAction* recentAction(int index) const { return m_mnuLocation.at(size_t(index)); }
    QAction* recentSeparator() const { return m_fSpace2; }
    QAction* slideFormatAction(int index) const { return m_mnuSFormat.at(size_t(index - 1)); }
    AudioToolsPanel* audioTools() const { return m_audioTools; }

    // How long the closing window stays; tests shorten it.
    void setClosingWindowMs(int ms) { m_closingMs = ms; }

    // Ending from outside (a logout, a service stop): nobody can answer a question, so the
    // settings are written and the working folder removed without one.
    void shutDownWithoutQuestions();

    void MnuALeft_Click();
    void MnuARight_Click();

signals:
    // The close query was accepted, the settings written and the closing window shown.
    void shutDownFinished();
    // Play mode began (the launch screen is up) or ended (the setup window is back).
    void playModeChanged(bool playing);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildSections();
    QMenu* toolsMenu();
    void refreshRecentFiles();
    void refreshFromDocument();
    void closePreview();
    void screenResized(QSize size);
    // While on, the window takes no commands and shows the busy pointer.
    void setBusy(bool on);
    void buildSoundTest(AudioPlayer& soundPlayer, ProgramLauncher& programs,
                        MessageService& messages, FileDialogService& dialogs);
    void endPlayMode();
    // The slide preview of a finished extraction; during play mode it waits for the setup window.
    void openPreview(const QStringList& thumbnails);
    static QList<ShowScreenChoice::Screen> screenList();

    EventDocument m_doc;
    SetupController* m_controller;
    QTabWidget* m_sections = nullptr;
    QWidget* m_picMain = nullptr;
    QWidget* m_picSpeakers = nullptr;
    QWidget* m_picPopUps = nullptr;
    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuSlides = nullptr;
    QMenu* m_mnuUtilities = nullptr;
    QMenu* m_mnuWindow = nullptr;
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
    QTimer m_timer1;
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
    // The screen's size at the watcher's last tick.
    HoldingSlide* m_holdingSlide = nullptr;
    PopUpSlots* m_popUpSlots = nullptr;
    HoldingPanel* m_holdingPanel = nullptr;
    PopUpsPanel* m_popUpsPanel = nullptr;
    frmPreview* m_preview = nullptr;
    QuickLaunchBar* m_quickLaunchBar = nullptr;
    QuickLaunchPanel* m_quickLaunch = nullptr;
    MessageService* m_showMessages = nullptr;
    QStringList m_waitingPreview;
    PresentationApp* m_shows = nullptr;
    PlayModeController* m_playMode = nullptr;
    const ShowClock* m_showClock = nullptr;
    LiveCastHooks* m_liveCast = nullptr;
    frmLaunch* m_launch = nullptr;
    ThreadedShowPort* m_recordShows = nullptr; // shows started from the launch record
    QRect m_playReturn;                        // where the setup window was when play mode began
};
