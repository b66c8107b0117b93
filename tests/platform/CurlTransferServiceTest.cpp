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

private:
    QEventLoop* loop = nullptr;
    std::size_t awaited = 0;

public:
    QSet<QString> entries(std::size_t i) const
    {
        QSet<QString> names;
        for (const QString& line : list.at(i).body.split(QStringLiteral("\r\n")))
            names << line;
        return names;
    }
};

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
    ASSERT_TRUE(ftp.server.ready()) << ftp.server.failure().toStdString();
    TestFolder local;
    const QString status = local.writeFile("veskCast/status.inf", "&info0=now& Date\r\n");
    const QString slide = local.writeFile("veskCast/Jane Doe/1120000.swf", QByteArray(70000, 'x'));
    const QString copy = local.path("copy of status.inf");

    CurlTransferService service;
    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    Results r;
    // All queued at once: they run in this order, each after the one before has ended.
    session->execute("Mkdir /web", r.collect());
    session->execute("MKDIR /web/EVENT", r.collect());
    session->execute("MKDIR /web/EVENT/Jane_Doe", r.collect());
    session->execute("SEND " + status + " /web/EVENT/status.inf", r.collect());
    session->execute("Send " + slide + " /web/EVENT/Jane_Doe/1120000.swf", r.collect());
    session->execute("DIR /web/EVENT/", r.collect());
    session->execute("DIR /web/EVENT", r.collect());
    session->execute("SIZE /web/EVENT/Jane_Doe/1120000.swf", r.collect());
    session->execute("GET /web/EVENT/status.inf " + copy, r.collect());
    session->execute("DELETE /web/EVENT/Jane_Doe/1120000.swf", r.collect());
    session->execute("RMDIR /web/EVENT/Jane_Doe", r.collect());
    session->execute("DIR /web/EVENT/", r.collect());
    session->execute("DIR", r.collect());
    session->execute("CLOSE", r.collect());
    ASSERT_TRUE(r.waitFor(14));
    for (const TransferResult& result : r.list)
        EXPECT_TRUE(result.completed()) << result.error().toStdString();

    EXPECT_EQ(r.list[5].body, r.list[6].body);
    EXPECT_EQ(r.entries(5), (QSet<QString>{"Jane_Doe/", "status.inf", ""}));
    EXPECT_TRUE(r.list[5].body.endsWith("\r\n"));
    EXPECT_EQ(r.list[7].body, QString("70000"));
    EXPECT_EQ(local.readFile(copy), QByteArray("&info0=now& Date\r\n"));
    EXPECT_EQ(r.list[11].body, QString("status.inf\r\n"));
    EXPECT_EQ(r.list[12].body, QString("web/\r\n"));
    EXPECT_EQ(ftp.root.readFile("web/EVENT/status.inf"), QByteArray("&info0=now& Date\r\n"));
    EXPECT_FALSE(QDir(ftp.root.path("web/EVENT/Jane_Doe")).exists());

    // One login for the thirteen commands; after CLOSE the next command logs in again.
    EXPECT_EQ(ftp.server.lines("login").size(), 1);
    session->execute("DIR /web/", r.collect());
    ASSERT_TRUE(r.waitFor(15));
    EXPECT_TRUE(r.list[14].completed());
    EXPECT_TRUE(ftp.server.waitForLines("login", 2, WaitMs));
}

TEST(CurlTransferServiceTest, FailuresCarryTheServersReplyOrCurlsCodeAndTheQueueGoesOn)
{
    FtpFixture ftp;
    ASSERT_TRUE(ftp.server.ready()) << ftp.server.failure().toStdString();
    TestFolder local;
    CurlTransferService service;
    Results r;

    std::unique_ptr<FtpSession> wrongPassword = service.openFtpSession(ftp.account("wrong"));
    wrongPassword->execute("DIR", r.collect());
    ASSERT_TRUE(r.waitFor(1));
    EXPECT_EQ(r.list[0].error(), QString("ErrorCode: 530 : Authentication failed."));

    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    session->execute("RMDIR /missing", r.collect());
    session->execute("SIZE /missing.swf", r.collect());
    session->execute("SEND " + local.path("no such file") + " /x.swf", r.collect());
    session->execute("GET /missing.swf " + local.path("got.swf"), r.collect());
    session->execute("LIST /", r.collect());
    session->execute("MKDIR /after", r.collect());
    ASSERT_TRUE(r.waitFor(7));
    EXPECT_TRUE(r.list[1].error().startsWith("ErrorCode: 550 : "))
        << r.list[1].error().toStdString();
    EXPECT_TRUE(r.list[2].error().startsWith("ErrorCode: 550 : "))
        << r.list[2].error().toStdString();
    EXPECT_EQ(r.list[3].error(), "ErrorCode: 26 : Failed to open/read local data from "
                                 "file/application: " +
                                     local.path("no such file"));
    EXPECT_TRUE(r.list[4].error().startsWith("ErrorCode: 550 : "))
        << r.list[4].error().toStdString();
    EXPECT_FALSE(QFile::exists(local.path("got.swf")));
    EXPECT_EQ(r.list[5].error(), QString("ErrorCode: 500 : Command not understood: LIST /"));
    EXPECT_TRUE(r.list[6].completed()) << r.list[6].error().toStdString();
    EXPECT_TRUE(QDir(ftp.root.path("after")).exists());

    const int port = FixtureServer::unusedPort();
    std::unique_ptr<FtpSession> dead =
        service.openFtpSession({"ftp://127.0.0.1:" + QString::number(port), User, Password});
    dead->execute("DIR", r.collect());
    service.get("http://127.0.0.1:" + QString::number(port) + "/evf/webcast.php", &service,
                r.collect());
    ASSERT_TRUE(r.waitFor(9));
    for (std::size_t i : {7, 8}) {
        EXPECT_TRUE(r.list[i].error().startsWith(
            "ErrorCode: 7 : Failed to connect to 127.0.0.1 port " + QString::number(port)))
            << r.list[i].error().toStdString();
    }

    // A web server's error page is no answer.
    FixtureServer web(QStringLiteral("web_service.py"), {});
    ASSERT_TRUE(web.ready()) << web.failure().toStdString();
    service.get("http://" + web.address() + "/evf/other.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(10));
    EXPECT_EQ(r.list[9].error(), QString("ErrorCode: 22 : The requested URL returned error: 404"));
}

TEST(CurlTransferServiceTest, AServerWithoutTheMachineListingIsListedTheClassicWay)
{
    FtpFixture ftp({"--no-mlsd"});
    ASSERT_TRUE(ftp.server.ready()) << ftp.server.failure().toStdString();
    ftp.root.writeFile("web/E/status.inf", "x");
    ftp.root.writeFile("web/E/Jane_Doe/1.swf", "x");
    ftp.root.writeFile("web/E/two  blanks.swf", "x");
    CurlTransferService service;
    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    Results r;
    session->execute("DIR /web/E/", r.collect());
    ASSERT_TRUE(r.waitFor(1));
    ASSERT_TRUE(r.list[0].completed()) << r.list[0].error().toStdString();
    EXPECT_EQ(r.entries(0), (QSet<QString>{"Jane_Doe/", "status.inf", "two  blanks.swf", ""}));
}

TEST(CurlTransferServiceTest, ATransferWithoutProgressEndsAtTheStallBoundAndASlowOneDoesNot)
{
    constexpr int StallMs = 400;
    const TransferService::Bounds bounds{5000, StallMs};
    CurlTransferService service(bounds);
    Results r;
    QElapsedTimer clock;

    FixtureServer stalled(QStringLiteral("web_service.py"), {"--stall"});
    ASSERT_TRUE(stalled.ready()) << stalled.failure().toStdString();
    clock.start();
    service.get("http://" + stalled.address() + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(1));
    EXPECT_GE(clock.elapsed(), StallMs);
    EXPECT_LT(clock.elapsed(), StallMs + 1000);
    EXPECT_TRUE(r.list[0].error().startsWith("ErrorCode: 28 : "))
        << r.list[0].error().toStdString();

    // Twelve bytes a tenth of a second apart: longer than the bound, but never still for it.
    FixtureServer slow(QStringLiteral("web_service.py"),
                       {"--answer", "testCode :OK", "--slow-ms", "100"});
    ASSERT_TRUE(slow.ready()) << slow.failure().toStdString();
    clock.start();
    service.get("http://" + slow.address() + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(r.waitFor(2));
    EXPECT_GT(clock.elapsed(), StallMs);
    EXPECT_EQ(r.list[1].body, QString("testCode :OK")) << r.list[1].error().toStdString();
}

TEST(CurlTransferServiceTest, AConnectionThatIsNotMadeEndsAtTheConnectBound)
{
    constexpr int ConnectMs = 300;
    CurlTransferService service({ConnectMs, 5000});
    FullListener nobody;
    const QString address = "127.0.0.1:" + QString::number(nobody.port);
    Results r;
    service.get("http://" + address + "/evf/webcast.php", &service, r.collect());
    std::unique_ptr<FtpSession> session =
        service.openFtpSession({"ftp://" + address, User, Password});
    session->execute("DIR", r.collect());
    ASSERT_TRUE(r.waitFor(2));
    for (std::size_t i : {0, 1}) {
        EXPECT_TRUE(r.list[i].error().startsWith("ErrorCode: 28 : "))
            << r.list[i].error().toStdString();
        EXPECT_GE(r.arrivedMs[i], ConnectMs);
        EXPECT_LT(r.arrivedMs[i], ConnectMs + 1000);
    }
}

TEST(CurlTransferServiceTest, CancelEndsARequestWithin100msEvenWhenItsServerIsStuck)
{
    CurlTransferService service;
    Results r;

    FixtureServer web(QStringLiteral("web_service.py"), {"--stall"});
    ASSERT_TRUE(web.ready()) << web.failure().toStdString();
    const auto id =
        service.get("http://" + web.address() + "/evf/webcast.php", &service, r.collect());
    ASSERT_TRUE(web.waitForLines("GET", 1, WaitMs));
    qint64 cancelledAt = r.clock.elapsed();
    service.cancel(id);
    ASSERT_TRUE(r.waitFor(1, 1000));
    const qint64 httpMs = r.arrivedMs[0] - cancelledAt;
    EXPECT_LT(httpMs, 100);
    EXPECT_TRUE(r.list[0].cancelled());

    FtpFixture ftp({"--stall", "STOR"});
    ASSERT_TRUE(ftp.server.ready()) << ftp.server.failure().toStdString();
    TestFolder local;
    const QString file = local.writeFile("status.inf", "x");
    std::unique_ptr<FtpSession> session = service.openFtpSession(ftp.account());
    session->execute("SEND " + file + " /status.inf", r.collect());
    session->execute("DIR", r.collect());
    ASSERT_TRUE(ftp.server.waitForLines("login", 1, WaitMs));
    cancelledAt = r.clock.elapsed();
    session->cancel();
    ASSERT_TRUE(r.waitFor(3, 1000));
    const qint64 ftpMs = r.arrivedMs[2] - cancelledAt;
    EXPECT_LT(ftpMs, 100);
    EXPECT_TRUE(r.list[1].cancelled());
    EXPECT_TRUE(r.list[2].cancelled());
    std::cout << "cancel took " << httpMs << " ms (HTTP) and " << ftpMs << " ms (FTP)\n";

    // What is queued after a cancel runs as usual.
    session->execute("DIR", r.collect());
    ASSERT_TRUE(r.waitFor(4));
    EXPECT_TRUE(r.list[3].completed()) << r.list[3].error().toStdString();
}
