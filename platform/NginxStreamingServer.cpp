#include "platform/NginxStreamingServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int PollIntervalMs = 50;
constexpr int StopLimitMs = 3000;

int portFrom(const char* variable, int fallback)
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue(variable, &ok);
    return ok && port > 0 && port < 65536 ? port : fallback;
}

// nginx reads paths in its configuration up to a blank or ";": quote them.
QString quoted(const QString& path)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

NginxStreamingServer::Config
NginxStreamingServer::fromEnvironment(const QString& runFolder,
                                      std::function<QString()> contentFolder)
{
    Config config;
    config.runFolder = runFolder;
    config.contentFolder = std::move(contentFolder);
    config.httpPort = portFrom("STAGOR_LOCALHOST_HTTP_PORT", config.httpPort);
    config.rtmpPort = portFrom("STAGOR_LOCALHOST_RTMP_PORT", config.rtmpPort);
    const QString program = qEnvironmentVariable("STAGOR_NGINX");
    if (!program.isEmpty())
        config.program = program;
    return config;
}

QString NginxStreamingServer::configText(const Config& config, const QString& contentFolder)
{
    const QString folder = QDir(config.runFolder).filePath(QStringLiteral("nginx"));
    const auto in = [&folder](const char* name) {
        return quoted(folder + QLatin1Char('/') + QLatin1String(name));
    };
    QString text;
    text += QStringLiteral("load_module %1;\n").arg(quoted(config.rtmpModule));
    // One process in the foreground: it is the program's child and ends with it.
    text += QStringLiteral("daemon off;\nmaster_process off;\nworker_processes 1;\n");
    text += QStringLiteral("pid %1;\nerror_log %2 warn;\n").arg(in("nginx.pid"), in("error.log"));
    text += QStringLiteral("events { worker_connections 256; }\n");
    // The stream also goes out as HLS for the web player: one-second fragments (the encoder
    // sends a key frame a second) and a playlist of a few, so that viewers stay close to the room.
    // Fragments are named after the stream's own time at their start (90 kHz), which with the
    // publisher's connection time in /stat tells the player when in the room each was taken.
    text += QStringLiteral("rtmp {\n    server {\n        listen %1;\n"
                           "        application live {\n            live on;\n"
                           "            record off;\n            hls on;\n"
                           "            hls_path %2;\n            hls_fragment %3s;\n"
                           "            hls_playlist_length %4s;\n"
                           "            hls_fragment_naming timestamp;\n        }\n    }\n}\n")
                .arg(config.rtmpPort)
                .arg(in("hls"))
                .arg(HlsFragmentSeconds)
                .arg(HlsPlaylistSeconds);
    text += QStringLiteral("http {\n");
    text += QStringLiteral("    access_log %1;\n").arg(in("access.log"));
    text += QStringLiteral("    client_body_temp_path %1;\n    proxy_temp_path %2;\n"
                           "    fastcgi_temp_path %3;\n    uwsgi_temp_path %4;\n"
                           "    scgi_temp_path %5;\n")
                .arg(in("client_body"), in("proxy"), in("fastcgi"), in("uwsgi"), in("scgi"));
    text += QStringLiteral("    types {\n        text/html html htm;\n        text/plain inf txt;\n"
                           "        text/css css;\n        application/javascript js;\n"
                           "        image/jpeg jpg jpeg;\n        image/png png;\n"
                           "        application/x-shockwave-flash swf;\n    }\n"
                           "    default_type application/octet-stream;\n");
    text += QStringLiteral("    server {\n        listen %1;\n        root %2;\n")
                .arg(config.httpPort)
                .arg(quoted(contentFolder));
    // The player polls the status file: nobody may keep an old one.
    text += QStringLiteral("        location / {\n            add_header Cache-Control no-cache;\n"
                           "        }\n        location = /stat {\n            rtmp_stat all;\n"
                           "        }\n");
    // Viewers who type only the address get the player.
    text += QStringLiteral("        location = / {\n            return 302 /player/;\n        }\n");
    text +=
        QStringLiteral("        location /hls/ {\n            alias %1;\n"
                       "            add_header Cache-Control no-cache;\n"
                       "            types {\n                application/vnd.apple.mpegurl m3u8;\n"
                       "                video/mp2t ts;\n            }\n        }\n    }\n}\n")
            .arg(quoted(folder + QStringLiteral("/hls/")));
    return text;
}

NginxStreamingServer::NginxStreamingServer(Config config, QObject* parent)
    : StreamingServerService(parent), m_config(std::move(config))
{
    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &NginxStreamingServer::poll);
}

NginxStreamingServer::~NginxStreamingServer()
{
    release();
}

void NginxStreamingServer::release()
{
    m_poll.stop();
    m_restarting = false;
    stopChild();
}

QString NginxStreamingServer::serverFolder() const
{
    return QDir(m_config.runFolder).filePath(QStringLiteral("nginx"));
}

QString NginxStreamingServer::pidFile() const
{
    return serverFolder() + QStringLiteral("/nginx.pid");
}

bool NginxStreamingServer::running()
{
    return !m_restarting && m_process && m_process->state() == QProcess::Running &&
           QFile::exists(pidFile());
}

void NginxStreamingServer::restart()
{
    if (m_restarting)
        return;
    m_restarting = true;
    m_lastError.clear();
    m_started.start();
    if (!m_process || m_process->state() == QProcess::NotRunning) {
        // From the event loop: the caller hears of the end after this returns.
        QTimer::singleShot(0, this, &NginxStreamingServer::startChild);
        return;
    }
    // The old server goes first, so that the new one finds its ports free.
    QProcess* old = m_process;
    m_process = nullptr;
    connect(old, &QProcess::finished, this, [this, old] {
        old->deleteLater();
        if (m_restarting)
            startChild();
    });
    old->terminate();
    QTimer::singleShot(StopLimitMs, old, [old] { old->kill(); });
}

void NginxStreamingServer::startChild()
{
    const QString folder = serverFolder();
    const QString content = m_config.contentFolder ? m_config.contentFolder() : QString();
    if (content.isEmpty() || !QDir(content).exists()) {
        finish(false, QStringLiteral("the content folder \"%1\" does not exist").arg(content));
        return;
    }
    if (!QDir().mkpath(folder)) {
        finish(false, QStringLiteral("cannot create \"%1\"").arg(folder));
        return;
    }
    QFile::remove(pidFile());
    QFile::remove(folder + QStringLiteral("/error.log"));
    const QString configFile = folder + QStringLiteral("/nginx.conf");
    QSaveFile file(configFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(configText(m_config, content).toUtf8()) < 0 || !file.commit()) {
        finish(false, QStringLiteral("cannot write \"%1\"").arg(configFile));
        return;
    }

    m_process = new QProcess(this);
    // What it says before its own log is open goes beside that log.
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(folder + QStringLiteral("/stderr.log"));
    // Should the program die without stopping it, the server goes too.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(m_config.program,
                     {QStringLiteral("-p"), folder + QLatin1Char('/'), QStringLiteral("-e"),
                      folder + QStringLiteral("/error.log"), QStringLiteral("-c"), configFile});
    m_poll.start();
}

// The pid file is written once every port is open; an nginx that cannot open one ends.
void NginxStreamingServer::poll()
{
    if (!m_process) {
        finish(false, QStringLiteral("the server is gone"));
        return;
    }
    if (m_process->state() == QProcess::NotRunning) {
        const QString reason = m_process->error() == QProcess::FailedToStart
                                   ? QStringLiteral("cannot run %1").arg(m_config.program)
                                   : errorLogTail();
        finish(false, reason);
        return;
    }
    if (m_process->state() == QProcess::Running && QFile::exists(pidFile())) {
        finish(true, QString());
        return;
    }
    if (m_started.elapsed() > WaitLimitMs) {
        stopChild();
        finish(false, QStringLiteral("no answer within %1 s").arg(WaitLimitMs / 1000));
    }
}

void NginxStreamingServer::finish(bool ok, const QString& error)
{
    m_poll.stop();
    m_lastError = error;
    if (!ok && m_process && m_process->state() == QProcess::NotRunning) {
        m_process->deleteLater();
        m_process = nullptr;
    }
    m_restarting = false;
    emit restartFinished(ok);
}

void NginxStreamingServer::stopChild()
{
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(StopLimitMs)) {
            process->kill();
            process->waitForFinished(StopLimitMs);
        }
    }
    delete process;
}

QString NginxStreamingServer::errorLogTail() const
{
    QFile log(serverFolder() + QStringLiteral("/error.log"));
    if (!log.open(QIODevice::ReadOnly))
        return QStringLiteral("the server ended at once");
    const QStringList lines =
        QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QStringLiteral("the server ended at once") : lines.last();
}
