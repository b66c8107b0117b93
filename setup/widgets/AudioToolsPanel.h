#pragma once

#include "setup/widgets/frmAudioSettings.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class AudioRecSettings;
class AudioRecordSwitch;
class CompanionPrograms;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;
class SoundTest;

// The setup window's audio part: the "Sound Test" frame and the audio items of the Tools menu.
// It turns their events into calls on the sound test and the companion programs and shows
// their state.
class AudioToolsPanel : public QObject
{
    Q_OBJECT

public:
    // appFolder is read at every command: it is only known once start-up has run. Everything
    // passed in outlives the panel.
    AudioToolsPanel(SoundTest& soundTest, AudioRecordSwitch& audioRecord,
                    CompanionPrograms& companions, const QString& appFolder,
                    AudioRecSettings& recorderSettings, QWidget* window);
    ~AudioToolsPanel() override;

    // FrameSTest, for the window to place.
    QGroupBox* frame() const { return m_frameSTest; }
    // Adds the "Sound Test" submenu and the recorder and capture items to the Tools menu.
    void addToMenu(QMenu* tools);
    // The setup window's periodic timer: the status label follows the player.
    void Timer1_Timer();

    SoundTest& soundTest() { return *m_soundTest; }
    QPushButton* playButton() const { return m_comSPlay; }
    QLabel* statusLabel() const { return m_labSTStatus; }
    QAction* soundAction(int index) const { return m_mnuChooseSound.at(index); }
    QAction* loopAction() const { return m_mnuLoop; }
    QAction* selectMp3Action() const { return m_mnuSelectMp3; }
    QAction* audioRecordAction() const { return m_mnuAudioRecord; }
    QAction* audioSettingsAction() const { return m_mnuAudioSettings; }
    QAction* captureAction() const { return m_mnuCapture; }
    frmAudioSettings* settingsWindow() const { return m_settingsWindow; }

private:
    // Each time the Tools menu opens: the capture companion may have been installed or
    // removed, and the recorder may have changed its switch.
    void MnuUtilities_Show();
    void MnuAudioSettings_Click();

    QWidget* m_window;
    const QString& m_appFolder;
    AudioRecSettings& m_recorderSettings;
    SoundTest* m_soundTest;
    AudioRecordSwitch* m_audioRecord;
    CompanionPrograms* m_companions;
    QGroupBox* m_frameSTest = nullptr;
    QPushButton* m_comSPlay = nullptr;
    QLabel* m_labSTStatus = nullptr;
    QList<QAction*> m_mnuChooseSound;
    QAction* m_mnuSelectMp3 = nullptr;
    QAction* m_mnuLoop = nullptr;
    QAction* m_mnuAudioRecord = nullptr;
    QAction* m_mnuAudioSettings = nullptr;
    QAction* m_mnuCapture = nullptr;
    QPointer<frmAudioSettings> m_settingsWindow;
};
