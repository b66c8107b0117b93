#include "platform/NginxStreamingServer.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LocalhostMode.h"
#include "livecast/LocalhostSettings.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/fakes/TestFolder.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using Mode = LiveCastModes::Mode;

namespace {

// The body of an HTTP GET, or nothing when the server does not answer within two seconds.
std::optional<QByteArray> fetch(const QString& url)
{
    QNetworkAccessManager manager;
    const std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(QUrl(url))));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!finished.wait(2000) || reply->error() != QNetworkReply::NoError)
        return std::nullopt;
    return reply->readAll();
}

bool restarted(StreamingServerService& server)
{
    QSignalSpy finished(&server, &StreamingServerService::restartFinished);
    server.restart();
    EXPECT_TRUE(finished.isEmpty()) << "a restart must not end inside the call";
    EXPECT_TRUE(finished.wait(StreamingServerService::WaitLimitMs + 2000)) << "no answer";
    return !finished.isEmpty() && finished.constFirst().constFirst().toBool();
}

struct ServerFixture
{
    ServerFixture()
    {
        QDir().mkpath(folder.path("www"));
        QDir().mkpath(folder.path("livecast"));
        folder.writeFile("app/FMS.ini", folder.path("www").toLocal8Bit() + "\n");
        folder.writeFile("app/IPAddress.INI", "192.168.2.2\r\n");
        config.runFolder = folder.path("run");
        config.contentFolder = [this] { return mode ? mode->streamingFolder() : QString(); };
        config.httpPort = FixtureServer::unusedPort();
        config.rtmpPort = FixtureServer::unusedPort();
        server = std::make_unique<NginxStreamingServer>(config);
        // What the start window does (LocalhostModeTest) without its widgets.
        mode = std::make_unique<LocalhostMode>(
            folder.path("app") + "/", modes, messages, settings, *server,
            LocalhostMode::Windows{nullptr, [this] { EXPECT_TRUE(restarted(*server)); }});
    }
    QString http(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(config.httpPort).arg(path);
    }

    TestFolder folder;
    NginxStreamingServer::Config config;
    std::unique_ptr<NginxStreamingServer> server;
    LiveCastModes modes;
    FakeMessageService messages;
    LocalhostSettings settings{folder.path("app") + "/", messages, [] {
                                   return QStringList{"127.0.0.1", "192.168.2.2"};
                               }};
    std::unique_ptr<LocalhostMode> mode;
};

} // namespace

// The real nginx, started through Localhost mode, serves the live status, which comes back from
// there; the connection record it serves: e2e.audience_player. A server that cannot start
// is reported within the time limit (what the operator then hears: LocalhostModeTest). The
// encoder's stream and the exported slides through the whole program: e2e.audience_player.
TEST(NginxStreamingServerTest, LocalhostModeServesTheRecordAndTheStatusAndFailuresAreTold)
{
    ServerFixture f;
    ASSERT_FALSE(f.server->running());
    f.mode->MnuLocalHost_Click();
    ASSERT_TRUE(f.messages.texts().isEmpty())
        << f.messages.last().toStdString() << ": " << f.server->lastError().toStdString();
    ASSERT_EQ(f.modes.mode(), Mode::Localhost);
    ASSERT_TRUE(f.server->running());

    // The status published in play mode is what the player fetches, and comes back from there.
    const QString status = f.folder.writeFile("livecast/status.inf", "&info2=3141500& Slide\r\n");
    ASSERT_TRUE(LocalhostMode::publishStatus(status, f.mode->streamingFolder()));
    const QByteArray served = fetch(f.http("status.inf")).value_or(QByteArray());
    EXPECT_EQ(served, "&info2=3141500& Slide\r\n");
    QFile::remove(status);
    ASSERT_TRUE(LocalhostMode::restoreStatus(status, f.mode->streamingFolder()));
    EXPECT_EQ(f.folder.readFile("livecast/status.inf"), served);

    // A second server on the same ports cannot open them, in time.
    NginxStreamingServer::Config second = f.config;
    second.runFolder = f.folder.path("run2");
    second.contentFolder = [&f] { return f.folder.path("www"); };
    NginxStreamingServer blocked(second);
    QElapsedTimer took;
    took.start();
    EXPECT_FALSE(restarted(blocked));
    EXPECT_LT(took.elapsed(), StreamingServerService::WaitLimitMs + 1000);
    EXPECT_FALSE(blocked.lastError().isEmpty());
    EXPECT_FALSE(blocked.running());

    // No program, no content folder: the same, with the reason.
    second.program = f.folder.path("no-such-nginx");
    NginxStreamingServer missing(second);
    EXPECT_FALSE(restarted(missing));
    EXPECT_TRUE(missing.lastError().contains("no-such-nginx")) << missing.lastError().toStdString();
    second.program = "nginx";
    second.contentFolder = [&f] { return f.folder.path("gone"); };
    NginxStreamingServer empty(second);
    EXPECT_FALSE(restarted(empty));
    EXPECT_FALSE(QFile::exists(f.folder.path("gone")));

    // A restart ends with the server up again; releasing it stops it and frees the port.
    EXPECT_TRUE(restarted(*f.server));
    EXPECT_TRUE(fetch(f.http("connect.inf")).has_value());
    f.server->release();
    EXPECT_FALSE(fetch(f.http("connect.inf")).has_value());
}
