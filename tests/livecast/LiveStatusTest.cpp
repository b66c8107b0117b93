#include "livecast/LiveStatus.h"
#include "document/LiveCastSettings.h"
#include "livecast/ErrorLog.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LiveStatusPublisher.h"
#include "livecast/SystemDateTimeText.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/fake/FakeTransferService.h"
#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/TestFolder.h"

#include <QTest>

#include <gtest/gtest.h>

using Mode = LiveCastModes::Mode;

namespace {

const QDateTime Now(QDate(2024, 3, 5), QTime(19, 4, 7));

struct StatusFixture
{
    StatusFixture()
    {
        settings.WebcastFtpUrl = "ftp://srv1";
        settings.WebcastUploadDir = "/webcasts";
        settings.WebcastEventFolder = "ABCDEFVKTJKL";
        status.endActivation();
    }
    QStringList lines() const
    {
        return QString::fromUtf8(folder.readFile("status.inf")).split("\r\n", Qt::SkipEmptyParts);
    }
    QString line(int i) const { return lines().value(i); }

    TestFolder folder;
    LiveCastSettings marks;
    LiveCastModes modes;
    WebcastServerSettings settings;
    FakeTransferService transfers;
    LiveStatusPublisher publisher{transfers, settings, folder.path("status.inf")};
    LiveStatus status{folder.path(), marks, modes, &publisher, [] { return Now; }};
};

} // namespace

TEST(LiveStatusTest, TheTenLinesInTheirOrderAndThePlayerOptionsTheyGiveBack)
{
    StatusFixture f;
    // View, scale and rolling as restored; -1 for a value that is not there.
    const auto restored = [&f] {
        const LiveStatusRecord::PlayerOptions o = f.status.restorePlayerOptions();
        return std::tuple(o.view.value_or(-1), o.scale.value_or(-1), o.rolling);
    };
    EXPECT_EQ(restored(), std::tuple(-1, -1, false));
    f.marks.PresenterStageLeft = false;
    f.marks.StretchMode = true;
    f.marks.VideoRatio43 = false;
    f.marks.PlayerControls = true;
    f.status.WriteLiveStatus("Jane_Doe", " 3120000 ", "2", "75", "true");
    // The other value of each mark: e2e.webcast_play.
    const QByteArray before = f.folder.readFile("status.inf");
    EXPECT_EQ(QString::fromUtf8(before),
              "&info0=" + SystemDateTimeText::dateTime(Now) +
                  "& Date Time Stamp\r\n&info1=Jane_Doe& Presenter\r\n"
                  "&info2=3120000& Current Slide\r\n&info3=true& Rolling\r\n&info4=2& View\r\n"
                  "&info5=75& Scale Bar\r\n&info6=stageRight& Presenter Position\r\n"
                  "&info7=True& Stretch Slides\r\n&info8=16:9& Ratio\r\n"
                  "&info9=True& Hide Player Controls\r\n");
    // A full disk keeps the previous record whole and leaves no scratch file.
    {
        const FileSizeLimit full(100);
        f.status.WriteLiveStatus("John", "null", "null", "null", "null");
    }
    EXPECT_EQ(f.folder.readFile("status.inf"), before);
    EXPECT_FALSE(QFile::exists(f.folder.path("status.inf.part")));

    f.status.WriteLiveStatus("A", "1", "3", "null", "true");
    EXPECT_EQ(restored(), std::tuple(3, -1, true));
    f.folder.writeFile("status.inf", "&info3=True& Rolling\r\n&info4=7& View\r\n"
                                     "&info5=120& Scale Bar\r\n");
    EXPECT_EQ(restored(), std::tuple(-1, 120, false));
    EXPECT_EQ(LiveStatusRecord::StatusValueOf("&info1=a=b& Presenter"), QString("a=b"));
}

// The presenter kept over slide changes, the holding slide between talks and Localhost mode's
// folders, in play: e2e.webcast_play, e2e.audience_player.
TEST(LiveStatusTest, NullKeepsPresenterAndSlideButEmptiesTheOptionsAndLocalhostAddsItsFolder)
{
    StatusFixture f;
    f.status.WriteLiveStatus("Jane_Doe", "1120000", "1", "50", "false");
    // A slide change only: the options are not kept.
    f.status.WriteLiveStatus("null", "2120000", "null", "null", "null");
    EXPECT_EQ(f.lines().mid(1, 5),
              (QStringList{"&info1=Jane_Doe& Presenter", "&info2=2120000& Current Slide",
                           "&info3=& Rolling", "&info4=& View", "&info5=& Scale Bar"}));
    // An option change on its own keeps presenter and slide.
    f.status.WriteLiveStatus("null", "null", "null", "80", "null");
    EXPECT_EQ(f.lines().mid(1, 5),
              (QStringList{"&info1=Jane_Doe& Presenter", "&info2=2120000& Current Slide",
                           "&info3=& Rolling", "&info4=& View", "&info5=80& Scale Bar"}));

    // In Localhost mode the presenter lives under the server's folder; the kept presenter is the
    // plain name, which another mode writes plainly.
    f.modes.setMode(Mode::Localhost);
    f.status.WriteLiveStatus("Jane_Doe", "null", "null", "null", "null");
    EXPECT_EQ(f.line(1), QString("&info1=veskCast/Jane_Doe& Presenter"));
    f.modes.setMode(Mode::Webcast);
    f.status.WriteLiveStatus("null", "null", "null", "null", "null");
    EXPECT_EQ(f.line(1), QString("&info1=Jane_Doe& Presenter"));
}

TEST(LiveStatusTest, NothingIsWrittenWhileTheLaunchScreenActivatesOnlySomeModesSendErrorsAreLogged)
{
    StatusFixture f;
    f.status.beginActivation();
    f.status.WriteLiveStatus("Jane_Doe", "1", "null", "null", "null");
    EXPECT_FALSE(QFile::exists(f.folder.path("status.inf")));
    f.status.endActivation();
    f.status.WriteLiveStatus("null", "2", "null", "null", "null");
    EXPECT_EQ(f.line(1), QString("&info1=& Presenter"));
    EXPECT_EQ(f.line(2), QString("&info2=2& Current Slide"));

    // Before the first activation has ended, nothing either.
    TestFolder other;
    LiveStatus fresh(other.path(), f.marks, f.modes, nullptr);
    fresh.WriteLiveStatus("Jane_Doe", "1", "null", "null", "null");
    EXPECT_FALSE(QFile::exists(other.path("status.inf")));

    // Only Webcast and Connect mode send the file.
    const QString send =
        "SEND " + f.folder.path("status.inf") + " /webcastsABCDEFVKTJKL/status.inf";
    for (Mode mode : {Mode::None, Mode::Localhost}) {
        f.modes.setMode(mode);
        f.status.WriteLiveStatus("A", "1", "null", "null", "null");
    }
    QTest::qWait(10);
    EXPECT_TRUE(f.transfers.commandLines().isEmpty());

    for (Mode mode : {Mode::Webcast, Mode::Connect}) {
        f.modes.setMode(mode);
        f.status.WriteLiveStatus("A", "2", "null", "null", "null");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !f.publisher.busy(); }, 1000));
    }
    EXPECT_EQ(f.transfers.commandLines(), (QStringList{send, "CLOSE", send, "CLOSE"}));
    EXPECT_EQ(f.transfers.accounts().value(0), (FtpAccount{"ftp://srv1", "", ""}));

    // The error log's lines in play: LiveCastTest. One it cannot write is no crash.
    EXPECT_FALSE(ErrorLog(f.folder.path("missing/")).append("ErrorCode: 1 : x"));
}
