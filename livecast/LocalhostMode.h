#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class LiveCastModes;
class LocalhostSettings;
class MessageService;
class StreamingServerService;

// "Localhost Mode" and "Localhost Settings" on the LiveCast menu: viewers on the local network
// watch through the streaming server on this computer. Entering the mode checks that the server
// is installed (its content folder named by "FMS.ini"), that an address of this computer is
// chosen and that the server runs, starting it if need be; then it writes "connect.inf", which
// tells the local player where the encoder's stream is, and puts the audience's web page into the
// served folder. Every failure leaves the mode off.
class LocalhostMode : public QObject
{
    Q_OBJECT

public:
    static inline const QString ConnectFile = QStringLiteral("connect.inf");
    static inline const QString StreamName = QStringLiteral("vesklive");

    // The modal windows the checks may need, opened by whoever shows windows; each returns
    // when its window has closed.
    struct Windows
    {
        std::function<void()> settings;     // frmLHSettings
        std::function<void()> serviceStart; // frmLocalhost
    };

    // appFolder ends with "/". Everything passed in must outlive the mode.
    LocalhostMode(const QString& appFolder, LiveCastModes& modes, MessageService& messages,
                  LocalhostSettings& settings, StreamingServerService& service, Windows windows,
                  QObject* parent = nullptr);

    void MnuLocalHost_Click();
    void MnuLHSettings_Click();

    // Where the audience's web page is installed (see PlayerPage); entering the mode copies it
    // into the streaming folder. Empty: no page is copied.
    void setPlayerSource(const QString& webFolder) { m_playerSource = webFolder; }

    // The streaming server's content folder, as the last entry into the mode found it.
    const QString& streamingFolder() const { return m_folder; }
    // The two lines of "connect.inf" for an address.
    static QStringList connectLines(const QString& ipAddress);

    // In Localhost mode the player reads the status file from the streaming folder: the new
    // file replaces the one there, and is fetched back from there when play mode starts.
    // Both return false when the file could not be copied.
    static bool publishStatus(const QString& statusFile, const QString& streamingFolder);
    static bool restoreStatus(const QString& statusFile, const QString& streamingFolder);

private:
    void enter();
    void fail(const QString& message);
    bool writeConnectFile();

    const QString m_appFolder;
    LiveCastModes& m_modes;
    MessageService& m_messages;
    LocalhostSettings& m_settings;
    StreamingServerService& m_service;
    Windows m_windows;
    QString m_folder;
    QString m_playerSource;
};
