#include "livecast/LiveStatusPublisher.h"
#include "document/LiveCastSettings.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LiveStatus.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/curl/CurlTransferService.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/fakes/TestFolder.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The room's side: the status written and published as play mode does it, with the time each
// call took.
struct Room
{
    Room(const QString& ftpUrl, const TransferService::Bounds& bounds = {}) : transfers(bounds)
    {
        settings.WebcastFtpUrl = ftpUrl;
        settings.WebcastUserName = "stagor";
        settings.WebcastPassword = "s3cret";
        // As the web service names it ("uploadExtension :webcasts/"): the event folder follows
        // without a separator of its own.
        settings.WebcastUploadDir = "/webcasts/";
        settings.WebcastEventFolder = "EVENT";
        modes.setMode(LiveCastModes::Mode::Webcast);
        status.endActivation();
    }
    void showSlide(int slide)
    {
        QElapsedTimer clock;
        clock.start();
        status.WriteLiveStatus("Jane_Doe", QString::number(slide), "null", "null", "null");
        longestCallMs = std::max(longestCallMs, clock.elapsed());
    }
    bool idle(int timeoutMs)
    {
        return QTest::qWaitFor([&] { return !publisher.busy(); }, timeoutMs);
    }

    TestFolder folder;
    LiveCastSettings marks;
    LiveCastModes modes;
    WebcastServerSettings settings;
    CurlTransferService transfers;
    LiveStatusPublisher publisher{transfers, settings, folder.path("status.inf")};
    LiveStatus status{folder.path(), marks, modes, &publisher};
    QSignalSpy published{&publisher, &LiveStatusPublisher::published};
    QSignalSpy failed{&publisher, &LiveStatusPublisher::failed};
    qint64 longestCallMs = 0;
};

QStringList ftpArguments(const TestFolder& root, const QStringList& extra)
{
    return QStringList{"--root", root.path(), "--user", "stagor", "--password", "s3cret"} + extra;
}

} // namespace

TEST(LiveStatusPublisherTest, ASlowServerGetsTheNewestStatusAndAStuckOrDeadOneFailsAtItsBound)
{
    TestFolder root;
    root.writeFile("webcasts/EVENT/creator.INI", "");
    FixtureServer ftp("ftp_server.py", ftpArguments(root, {"--delay", "STOR=0.3"}));
    ASSERT_TRUE(ftp.ready()) << ftp.failure().toStdString();
    Room room("ftp://" + ftp.address());

    // Five slide changes while the first upload takes its time.
    for (int slide = 1; slide <= 5; ++slide)
        room.showSlide(slide);
    ASSERT_TRUE(room.idle(10000));
    EXPECT_LT(room.longestCallMs, 50);
    EXPECT_EQ(room.failed.count(), 0) << room.failed.value(0).value(0).toString().toStdString();
    // The first upload and one with the newest status: the three between were never sent.
    EXPECT_EQ(room.published.count(), 2);
    EXPECT_TRUE(root.readFile("webcasts/EVENT/status.inf").contains("&info2=5& Current Slide"));
    // Both over one login, logged out afterwards.
    EXPECT_EQ(ftp.lines("login").size(), 1);

    // Each later change is sent on its own.
    room.showSlide(6);
    ASSERT_TRUE(room.idle(10000));
    EXPECT_EQ(room.published.count(), 3);
    EXPECT_TRUE(root.readFile("webcasts/EVENT/status.inf").contains("&info2=6& Current Slide"));

    // A stuck server and a dead one: each upload fails at its bound without holding play up.
    FixtureServer stalled("ftp_server.py", ftpArguments(root, {"--stall", "STOR"}));
    ASSERT_TRUE(stalled.ready()) << stalled.failure().toStdString();
    Room stuck("ftp://" + stalled.address(), {5000, 300});
    for (int slide = 1; slide <= 4; ++slide)
        stuck.showSlide(slide);
    EXPECT_LT(stuck.longestCallMs, 50);
    ASSERT_TRUE(stuck.idle(10000));
    // The first upload and the newest one behind it, each given up at the bound.
    ASSERT_EQ(stuck.failed.count(), 2);
    for (const QList<QVariant>& error : stuck.failed)
        EXPECT_TRUE(error.at(0).toString().startsWith("ErrorCode: 28 : "));
    EXPECT_EQ(stuck.published.count(), 0);
    // A dead server fails the same way at once (CurlTransferServiceTest).
}
