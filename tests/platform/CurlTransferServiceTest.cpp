#include "platform/curl/CurlTransferService.h"
#include "platform/FtpSession.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString User = QStringLiteral("stagor");
const QString Password = QStringLiteral("s3cret");
constexpr int WaitMs = 10000;

// Results in the order they came back, and when each came back on the test's thread.
struct Results
{
    std::vector<TransferResult> list;
    std::vector<qint64> arrivedMs;
    QElapsedTimer clock;
    QEventLoop* loop = nullptr;
    std::size_t awaited = 0;

    Results() { clock.start(); }
    TransferService::Done collect()
    {
        return [this](const TransferResult& result) {
            list.push_back(result);
            arrivedMs.push_back(clock.elapsed());
            if (loop && list.size() >= awaited)
                loop->quit();
        };
    }
    // Runs the event loop until count results are in: it wakes for each, so that the times
    // measured are the service's and not a polling interval's.
    bool waitFor(std::size_t count, int timeoutMs = WaitMs)
    {
        if (list.size() >= count)
            return true;
        QEventLoop waiting;
        QTimer::singleShot(timeoutMs, &waiting, &QEventLoop::quit);
        awaited = count;
        loop = &waiting;
        waiting.exec();
        loop = nullptr;
        return list.size() >= count;
    }
    QSet<QString> entries(std::size_t i) const
    {
        QSet<QString> names;
        for (const QString& line : list.at(i).body.split(QStringLiteral("\r\n")))
            names << line;
        return names;
    }
    // Result i failed with an error that starts so.
    ::testing::AssertionResult failed(std::size_t i, const QString& start) const
    {
        if (list.at(i).error().startsWith(start))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << i << ": " << list.at(i).error().toStdString();
    }
};

::testing::AssertionResult up(const FixtureServer& server)
{
    if (server.ready())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << server.failure().toStdString();
}

// An FTP server over a temporary folder, and that folder.
struct FtpFixture
{
    explicit FtpFixture(const QStringList& extra = {})
        : server(QStringLiteral("ftp_server.py"),
                 QStringList{"--root", root.path(), "--user", User, "--password", Password} + extra)
    {}
    FtpAccount account(const QString& password = Password) const
    {
        return {QStringLiteral("ftp://") + server.address(), User, password};
    }

    TestFolder root;
    FixtureServer server;
};

// A listener that never takes a connection, its queue filled: the next connection attempt gets
// no answer at all, as with a host that is switched off.
struct FullListener
{
    FullListener()
    {
        listening = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listening, 0);
        getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        for (int& filler : fillers) {
            filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
    }
    ~FullListener()
    {
        for (int filler : fillers)
            close(filler);
        close(listening);
    }

    int listening = -1;
    int fillers[3] = {};
    int port = 0;
};

} // namespace

TEST(CurlTransferServiceTest, EveryCommandOfASessionGoesOverOneLogin)
{
    FtpFixture ftp;
    ASSERT_TRUE(up(ftp.server));
    TestFolder local;
    const QString status = local.writeFile("veskCast/status.inf", "&info0=now& Date\r\n");
    const QString slide = local.writeFile("veskCast/Jane Doe/1120000.swf", QByteArray(70000, 'x'));
    const QString copy = local.path("copy of status.inf");

    CurlTransferService service;
    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    Results r;
    // All queued at once: they run in this order, each after the one before has ended.
    for (const QString& line :
         QStringList{"Mkdir /web", "MKDIR /web/EVENT", "MKDIR /web/EVENT/Jane_Doe",
                     "SEND " + status + " /web/EVENT/status.inf",
                     "Send " + slide + " /web/EVENT/Jane_Doe/1120000.swf", "DIR /web/EVENT/",
                     "DIR /web/EVENT", "SIZE /web/EVENT/Jane_Doe/1120000.swf",
                     "GET /web/EVENT/status.inf " + copy, "DELETE /web/EVENT/Jane_Doe/1120000.swf",
                     "RMDIR /web/EVENT/Jane_Doe", "DIR", "CLOSE"})
        session->execute(line, r.collect());
    ASSERT_TRUE(r.waitFor(13));
    for (const TransferResult& result : r.list)
        EXPECT_TRUE(result.completed()) << result.error().toStdString();

    EXPECT_EQ(r.list[5].body, r.list[6].body);
    EXPECT_EQ(r.entries(5), (QSet<QString>{"Jane_Doe/", "status.inf", ""}));
    EXPECT_EQ(r.list[7].body, QString("70000"));
    EXPECT_EQ(local.readFile(copy), QByteArray("&info0=now& Date\r\n"));
    EXPECT_EQ(r.list[11].body, QString("web/\r\n"));
    EXPECT_EQ(ftp.root.readFile("web/EVENT/status.inf"), QByteArray("&info0=now& Date\r\n"));
    EXPECT_FALSE(QDir(ftp.root.path("web/EVENT/Jane_Doe")).exists());

    // One login for the twelve commands; after CLOSE the next command logs in again.
    EXPECT_EQ(ftp.server.lines("login").size(), 1);
    session->execute("DIR /web/", r.collect());
    ASSERT_TRUE(r.waitFor(14));
    EXPECT_TRUE(r.list[13].completed());
    EXPECT_TRUE(ftp.server.waitForLines("login", 2, WaitMs));

    // A server without the machine listing is listed the classic way.
    FtpFixture classic({"--no-mlsd"});
    ASSERT_TRUE(up(classic.server));
    for (const char* file : {"web/E/status.inf", "web/E/Jane_Doe/1.swf", "web/E/two  blanks.swf"})
        classic.root.writeFile(file, "x");
    const auto listing = service.openFtpSession(classic.account());
    listing->execute("DIR /web/E/", r.collect());
    ASSERT_TRUE(r.waitFor(15));
    ASSERT_TRUE(r.list[14].completed()) << r.list[14].error().toStdString();
    EXPECT_EQ(r.entries(14), (QSet<QString>{"Jane_Doe/", "status.inf", "two  blanks.swf", ""}));
}

TEST(CurlTransferServiceTest, FailuresCarryTheServersReplyOrCurlsCodeAndTheQueueGoesOn)
{
    FtpFixture ftp;
    ASSERT_TRUE(up(ftp.server));
    TestFolder local;
    CurlTransferService service;
    Results r;

    std::unique_ptr<FtpSession> wrongPassword = service.openFtpSession(ftp.account("wrong"));
    wrongPassword->execute("DIR", r.collect());
    ASSERT_TRUE(r.waitFor(1));
    EXPECT_EQ(r.list[0].error(), QString("ErrorCode: 530 : Authentication failed."));

    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    for (const QString& line :
         QStringList{"RMDIR /missing", "SEND " + local.path("no such file") + " /x.swf",
                     "GET /missing.swf " + local.path("got.swf"), "LIST /", "MKDIR /after"})
        session->execute(line, r.collect());
    ASSERT_TRUE(r.waitFor(6));
    for (std::size_t i : {1, 3})
        EXPECT_TRUE(r.failed(i, "ErrorCode: 550 : "));
    EXPECT_EQ(r.list[2].error(), "ErrorCode: 26 : Failed to open/read local data from "
                                 "file/application: " +
                                     local.path("no such file"));
    EXPECT_FALSE(QFile::exists(local.path("got.swf")));
    EXPECT_EQ(r.list[4].error(), QString("ErrorCode: 500 : Command not understood: LIST /"));
    EXPECT_TRUE(r.list[5].completed()) << r.list[5].error().toStdString();
    EXPECT_TRUE(QDir(ftp.root.path("after")).exists());

    const QString port = QString::number(FixtureServer::unusedPort());
    const auto dead = service.openFtpSession({"ftp://127.0.0.1:" + port, User, Password});
    dead->execute("DIR", r.collect());
    service.get("http://127.0.0.1:" + port + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(8));
    for (std::size_t i : {6, 7})
        EXPECT_TRUE(r.failed(i, "ErrorCode: 7 : Failed to connect to 127.0.0.1 port " + port));

    // A web server's error page is no answer.
    FixtureServer web(QStringLiteral("web_service.py"), {});
    ASSERT_TRUE(up(web));
    service.get("http://" + web.address() + "/evf/other.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(9));
    EXPECT_EQ(r.list[8].error(), QString("ErrorCode: 22 : The requested URL returned error: 404"));
}

// A connection not made ends at the connect bound, a transfer without progress at the stall
// bound, and a slow one that never stands still for that long goes on.
TEST(CurlTransferServiceTest, NoConnectionAndNoProgressEndAtTheirBoundsAndASlowTransferDoesNot)
{
    constexpr int ConnectMs = 300;
    constexpr int StallMs = 400;
    // curl reckons its bounds on a clock of its own, in whole milliseconds: a bound may end a
    // millisecond or two before our clock says it is reached.
    constexpr int ClockSlackMs = 10;
    // Each bound far from the other, so that neither can pass for the other.
    CurlTransferService connecting({ConnectMs, 5000});
    CurlTransferService service({5000, StallMs});
    Results r;
    FullListener nobody;
    const QString address = "127.0.0.1:" + QString::number(nobody.port);
    connecting.get("http://" + address + "/evf/webcast.php", &connecting, r.collect());
    const auto session = connecting.openFtpSession({"ftp://" + address, User, Password});
    session->execute("DIR", r.collect());
    ASSERT_TRUE(r.waitFor(2));
    for (std::size_t i : {0, 1}) {
        EXPECT_TRUE(r.failed(i, "ErrorCode: 28 : "));
        EXPECT_GE(r.arrivedMs[i], ConnectMs - ClockSlackMs);
        EXPECT_LT(r.arrivedMs[i], ConnectMs + 1000);
    }

    FixtureServer stalled(QStringLiteral("web_service.py"), {"--stall"});
    ASSERT_TRUE(up(stalled));
    qint64 sentAt = r.clock.elapsed();
    service.get("http://" + stalled.address() + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(3));
    EXPECT_GE(r.arrivedMs[2] - sentAt, StallMs - ClockSlackMs);
    EXPECT_LT(r.arrivedMs[2] - sentAt, StallMs + 1000);
    EXPECT_TRUE(r.failed(2, "ErrorCode: 28 : "));

    // Twelve bytes a tenth of a second apart: longer than the bound, but never still for it.
    FixtureServer slow(QStringLiteral("web_service.py"),
                       {"--answer", "testCode :OK", "--slow-ms", "100"});
    ASSERT_TRUE(up(slow));
    sentAt = r.clock.elapsed();
    service.get("http://" + slow.address() + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(4));
    EXPECT_GT(r.arrivedMs[3] - sentAt, StallMs);
    EXPECT_EQ(r.list[3].body, QString("testCode :OK")) << r.list[3].error().toStdString();
}

TEST(CurlTransferServiceTest, CancelEndsARequestWithin100msEvenWhenItsServerIsStuck)
{
    CurlTransferService service;
    Results r;

    FixtureServer web(QStringLiteral("web_service.py"), {"--stall"});
    ASSERT_TRUE(up(web));
    const auto id =
        service.get("http://" + web.address() + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(web.waitForLines("GET", 1, WaitMs));
    qint64 cancelledAt = r.clock.elapsed();
    service.cancel(id);
    ASSERT_TRUE(r.waitFor(1, 1000));
    EXPECT_LT(r.arrivedMs[0] - cancelledAt, 100);
    EXPECT_TRUE(r.list[0].cancelled());

    FtpFixture ftp({"--stall", "STOR"});
    ASSERT_TRUE(up(ftp.server));
    TestFolder local;
    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    session->execute("SEND " + local.writeFile("status.inf", "x") + " /status.inf", r.collect());
    session->execute("DIR", r.collect());
    ASSERT_TRUE(ftp.server.waitForLines("login", 1, WaitMs));
    cancelledAt = r.clock.elapsed();
    session->cancel();
    ASSERT_TRUE(r.waitFor(3, 1000));
    EXPECT_LT(r.arrivedMs[2] - cancelledAt, 100);
    EXPECT_TRUE(r.list[1].cancelled() && r.list[2].cancelled());

    // What is queued after a cancel runs as usual.
    session->execute("DIR", r.collect());
    ASSERT_TRUE(r.waitFor(4));
    EXPECT_TRUE(r.list[3].completed()) << r.list[3].error().toStdString();
}
