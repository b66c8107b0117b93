#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class AudioPlayer;
class FileDialogService;
class MessageService;

// The sound test of the setup window: which sound is chosen, whether it loops, and the
// play/stop button. Test tones are WAV files in the application folder named after their menu
// captions; "Mp3" plays the file named in "Sound.INI" or the default "Sound.mp3".
class SoundTest : public QObject
{
    Q_OBJECT

public:
    // The captions of MnuChooseSound(0..5); a tone's file is its caption followed by ".wav".
    static inline const QStringList SoundCaptions = {
        QStringLiteral("10Hz Tone"),   QStringLiteral("100Hz Tone"), QStringLiteral("1kHz Tone"),
        QStringLiteral("7350Hz Tone"), QStringLiteral("Pink Noise"), QStringLiteral("Mp3")};
    static constexpr int Mp3Index = 5;
    static constexpr int InitialSoundIndex = 2;
    static inline const QString SettingsFileName = QStringLiteral("Sound.INI");
    static inline const QString DefaultMp3Name = QStringLiteral("Sound.mp3");
    static inline const QString Mp3Filter = QStringLiteral("Mp3 Audio Files |*.mp3;");
    // The label's designed caption, before the setup window's timer first writes it.
    static inline const QString InitialStatus = QStringLiteral("Status :Stopped");
    static inline const QString ErrorText =
        QStringLiteral("An error occurred will attempting to play the sound.");
    static inline const QString NoDeviceText = QStringLiteral("No System Audio Device Present");

    // appFolder is read at every command: it is only known once start-up has run.
    SoundTest(const QString& appFolder, AudioPlayer& player, MessageService& messages,
              FileDialogService& dialogs, QObject* parent = nullptr);

    // Stops a playing sound; otherwise plays the chosen one from its beginning.
    void ComSPlay_Click();
    // Chooses sound index (0..5); a sound playing now switches to it at once.
    void MnuChooseSound_Click(int index);
    // Asks for an MP3 file and remembers it in "Sound.INI"; a sound playing now restarts.
    void MnuSelectMp3_Click();
    void MnuLoop_Click();

    int chosenSound() const { return m_chosen; }
    bool loop() const { return m_loop; }
    bool isPlaying() const;
    // "Status : Playing hh:mm:ss" with the time left, or "Status : Stopped".
    QString statusText() const;
    static QString remainingTimeText(qint64 ms);

signals:
    void chosenSoundChanged(int index);
    void loopChanged(bool loop);

private:
    // The file the chosen sound plays from; for "Mp3" this creates "Sound.INI" when missing.
    QString chosenSoundPath();
    QString settingsPath() const { return m_appFolder + SettingsFileName; }
    QString defaultMp3Path() const { return m_appFolder + DefaultMp3Name; }
    // Line 1 of "Sound.INI", empty when there is none.
    QString settingsMp3Line() const;
    void writeSettings(const QString& mp3Path) const;
    void restartIfPlaying();
    void MMControl1_Done();
    void MMControl1_Failed();

    const QString& m_appFolder;
    AudioPlayer& m_player;
    MessageService& m_messages;
    FileDialogService& m_dialogs;
    int m_chosen = InitialSoundIndex;
    bool m_loop = false;
};
