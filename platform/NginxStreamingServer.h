#pragma once

#include "platform/StreamingServerService.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <functional>

class QProcess;

// The streaming server run by the program itself: nginx with its RTMP module, as a child process
// with a configuration written under the run's folder, so that it needs no root and leaves
// nothing behind. It takes the encoder's stream at rtmp://ADDRESS:rtmpPort/live/STREAM and serves
// the content folder over HTTP on httpPort, with the RTMP statistics at /stat and the stream as
// HLS at /hls/STREAM.m3u8. It stops with this
// object, and with the program should that die first.
class NginxStreamingServer : public StreamingServerService
{
    Q_OBJECT

public:
    static constexpr int HlsFragmentSeconds = 1;
    static constexpr int HlsPlaylistSeconds = 4;

    struct Config
    {
        // Where the configuration, pid file, logs and temporary files go (created as needed).
        QString runFolder;
        // What the HTTP side serves; asked at each start, as the operator may change it.
        std::function<QString()> contentFolder;
        int httpPort = 8080;
        int rtmpPort = 1935;
        QString program = QStringLiteral("nginx");
        QString rtmpModule = QStringLiteral("/usr/lib/nginx/modules/ngx_rtmp_module.so");
    };

    // The ports and the program from STAGOR_LOCALHOST_HTTP_PORT, STAGOR_LOCALHOST_RTMP_PORT and
    // STAGOR_NGINX when set, the defaults otherwise.
    static Config fromEnvironment(const QString& runFolder, std::function<QString()> contentFolder);
    static QString configText(const Config& config, const QString& contentFolder);

    explicit NginxStreamingServer(Config config, QObject* parent = nullptr);
    ~NginxStreamingServer() override;

    bool running() override;
    void restart() override;
    QString lastError() const override { return m_lastError; }
    void release() override;

    const Config& config() const { return m_config; }
    QString serverFolder() const;

private:
    void startChild();
    void poll();
    void finish(bool ok, const QString& error);
    void stopChild();
    QString pidFile() const;
    QString errorLogTail() const;

    Config m_config;
    QProcess* m_process = nullptr;
    QTimer m_poll;
    QElapsedTimer m_started;
    bool m_restarting = false;
    QString m_lastError;
};
