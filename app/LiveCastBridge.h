#pragma once

#include "show/LiveCastHooks.h"

#include <QObject>

#include <functional>
#include <memory>

class ErrorLog;
class LiveCastModes;
class LiveCastSettings;
class LiveStatus;
class LiveStatusPublisher;
class MessageService;
class TransferService;
class WebcastServerSettings;

// Play mode's side of LiveCast: the launch screen's status and options go into "status.inf"
// and, in Webcast mode, to the webcast server; what goes wrong there is written to "error.log",
// and play goes on.
class LiveCastBridge : public QObject, public LiveCastHooks
{
    Q_OBJECT

public:
    // Everything passed in outlives the bridge.
    LiveCastBridge(TransferService& transfers, MessageService& messages, LiveCastModes& modes,
                   LiveCastSettings& marks, const WebcastServerSettings& server,
                   QObject* parent = nullptr);
    ~LiveCastBridge() override;

    // The folders are known once the program has started; until then nothing is written.
    void setFolders(const QString& appFolder, const QString& liveCastFolder);
    // Where Localhost mode's player reads the status: the local streaming server's folder.
    void setLocalStreamingFolder(std::function<QString()> folder)
    {
        m_localStreamingFolder = std::move(folder);
    }
    LiveStatus* status() const { return m_status.get(); }
    LiveStatusPublisher* publisher() const { return m_publisher.get(); }

    void publishStatus(const QString& presenter, const QString& slideValue) override;
    void beforePlay() override;
    void beginActivation() override;
    PlayerOptions restorePlayerOptions(const PlayerOptions& initial) override;
    void endActivation() override;
    void publishPlayerOptions(const QString& view, const QString& scale,
                              const QString& rolling) override;
    bool controlsChecked() const override;
    void setControlsChecked(bool checked) override;
    bool liveCastModeOn() const override;
    void internetConnect(int key) override;
    void playFlash(const QString& path) override { emit flashRequested(path); }

signals:
    // Play is about to start with Auto LiveCast on and a mode to take the slides: they are to
    // be exported and sent before the room sees anything. Handled before this returns.
    void autoLiveCastRequested();
    // Keys "U" (sessionPage false) and "I" of the launch screen.
    void internetConnectRequested(bool sessionPage);
    void flashRequested(const QString& path);

private:
    TransferService& m_transfers;
    MessageService& m_messages;
    LiveCastModes& m_modes;
    LiveCastSettings& m_marks;
    const WebcastServerSettings& m_server;
    std::unique_ptr<ErrorLog> m_errorLog;
    std::unique_ptr<LiveStatusPublisher> m_publisher;
    std::unique_ptr<LiveStatus> m_status;
    std::function<QString()> m_localStreamingFolder;
};
