#include "livecast/LiveCastModes.h"
#include "livecast/PlayerPage.h"
#include "livecast/WebcastServerSettings.h"
#include "setup/widgets/SpeakersPanel.h"
#include "show/LaunchController.h"
#include "show/widgets/frmLaunch.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/setup/ProgramOnFakes.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The fifth line of "status.inf" on the server onwards are the player's layout; the first
// three say who presents what.
QStringList statusOnServer(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// The program on fakes with an FTP server of the test's own, for the user "room".
class LiveCastTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(ftpRoot + "/webcasts/ABCDEFVKTJKL");
        ftp = std::make_unique<FixtureServer>(
            "ftp_server.py", QStringList{"--root", ftpRoot, "--user", "room", "--password", "pw"});
        ASSERT_TRUE(ftp->ready()) << ftp->failure().toStdString();
    }

    ProgramOnFakes fakes;
    const QString ftpRoot = fakes.dir.path("ftp");
    std::unique_ptr<FixtureServer> ftp;
};

} // namespace

// Webcast mode is switched on through the menu against the web service, which names the FTP
// server; Auto LiveCast exports and uploads the slides at Play, and the server's "status.inf"
// names the holding slide; a dead server then only fills the error log. Each later step of the
// room on the server: e2e.webcast_play.
TEST_F(LiveCastTest, PlayExportsAndUploadsAndADeadServerOnlyFillsTheErrorLog)
{
    const QString answer =
        "testCode :OK;url :" + ftp->address() +
        ";serverName :S1;userName :room;password :pw;uploadExtension :webcasts/;";
    FixtureServer web("web_service.py", {"--answer", answer});
    ASSERT_TRUE(web.ready()) << web.failure().toStdString();
    fakes.dir.writeFile(
        "app/WebService.ini",
        ("WebService=http://" + web.address() + "/\nProductID=ABCDEFGHIJKL\n").toUtf8());

    ASSERT_TRUE(fakes.start());
    frmSetup& window = fakes.window();
    EventDocument& doc = window.document();
    doc.ImgHolding = doc.ImgHoldingFull = QImage(16, 9, QImage::Format_RGB32);
    doc.PopUps[1] = {"Coffee", QImage(8, 6, QImage::Format_RGB32),
                     QImage(4, 3, QImage::Format_RGB32)};
    const QString talk = fakes.presentation("Ada Lovelace.pptx", 3);
    doc.Speakers.append({"Ada Lovelace", "Ada Lovelace.pptx", talk, {}});

    // Auto LiveCast with no mode to take the slides: the operator is told, and Play goes on.
    window.liveCastMenu()->aboutToShow();
    window.findChild<QAction*>("MnuAutoLiveCast")->trigger();
    window.ComPlay_Click();
    EXPECT_EQ(fakes.messages.last(), "Neither Webcast Mode or Localhost Mode Enabled");
    ASSERT_TRUE(fakes.program.launchScreen());
    fakes.program.launchScreen()->controller().Form_KeyDown(LaunchController::KeyF1, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fakes.program.launchScreen(); }, 2000));

    window.liveCastMenu()->aboutToShow();
    window.findChild<QAction*>("MnuWebcastMode")->trigger(); // the webcast window, until it closes
    ASSERT_EQ(fakes.program.liveCastModes().mode(), LiveCastModes::Mode::Webcast)
        << fakes.messages.last().toStdString();

    // With a mode on, Play first exports the slides and sends them, each window closing by
    // itself, and the room then names the new files.
    const int messagesBefore = int(fakes.messages.texts().size());
    window.ComPlay_Click();
    QPointer<frmLaunch> launch = fakes.program.launchScreen();
    ASSERT_TRUE(launch);
    EXPECT_EQ(fakes.messages.texts().size(), messagesBefore) << fakes.messages.last().toStdString();
    const QString t = doc.Speakers[0].TimeCode;
    ASSERT_EQ(t.size(), 6);
    EXPECT_EQ(doc.PopUpsTimeCode, t);
    QStringList uploaded = TestFolder::filesUnder(ftpRoot + "/webcasts/ABCDEFVKTJKL");
    uploaded.removeAll("status.inf"); // the room's own, racing the upload
    QStringList expected;
    for (const QString& stem :
         {"Ada_Lovelace/1" + t, "Ada_Lovelace/2" + t, "Ada_Lovelace/3" + t, "h" + t, "p2" + t})
        expected << stem + ".jpg" << stem + ".swf";
    // The audience's page goes with them, as installed beside the program.
    const QString page = PlayerPage::sourceFolder(PlayerPage::installedWebFolder());
    if (!page.isEmpty()) {
        for (const QString& file : QDir(page).entryList(QDir::Files))
            expected << "player/" + file;
    }
    expected.sort();
    EXPECT_EQ(uploaded, expected);
    const QString served = ftpRoot + "/webcasts/ABCDEFVKTJKL/status.inf";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList lines = statusOnServer(served);
            return lines.size() == 10 && lines[1] == "&info1=& Presenter" &&
                   lines[2] == "&info2=h" + t + "& Current Slide";
        },
        10000))
        << "the holding slide once play mode is up";

    LaunchController& room = launch->controller();
    EXPECT_FALSE(QFile::exists(fakes.dir.path("app/error.log")));

    // The server goes away mid-session: the room goes on, the error log says why.
    ftp.reset();
    room.Form_KeyDown(LaunchController::Key1 + 1, 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return QString::fromUtf8(fakes.dir.readFile("app/error.log"))
                .startsWith("Date & Time: ");
        },
        10000));
    EXPECT_TRUE(QString::fromUtf8(fakes.dir.readFile("app/error.log")).contains(" ErrorCode: "));
    room.Form_KeyDown(LaunchController::KeyBackspace, 0);
    EXPECT_EQ(statusOnServer(fakes.dir.path("veskCast/status.inf")).value(2),
              "&info2=h" + t + "& Current Slide")
        << "the local file follows the room";

    room.Form_KeyDown(LaunchController::KeyF1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return launch.isNull(); }, 2000));
}

// The LiveCast menu's "Upload Slides" and "Verify Server" and a speaker's "Upload", as the
// operator finds them beside the Connect mode's items: offered in Webcast mode (what each mode
// offers: LiveCastMenuTest; Connect mode without a server: ConnectModeTest), each running in its
// window until the job closes it, one login each; a second upload leaves nothing of the first
// and keeps the server's own files.
TEST_F(LiveCastTest, UploadAndVerifyFromTheMenusOfTheSetupWindow)
{
    ASSERT_TRUE(fakes.start());
    frmSetup& window = fakes.window();
    EventDocument& doc = window.document();
    doc.Speakers.append(
        {"Jane Doe", "jane.pptx", fakes.presentation("jane.pptx", 2), QStringLiteral("101010")});
    doc.HoldingTimeCode = "101010";
    for (const QString file : {"Jane_Doe/1101010.swf", "Jane_Doe/2101010.swf", "h101010.swf"})
        fakes.dir.writeFile("veskCast/" + file, file.toUtf8());

    QMenu* menu = window.liveCastMenu();
    for (const char* name : {"MnuConnect", "MnuServerIP", "MnuSessionDetails"})
        ASSERT_TRUE(menu->actions().contains(window.findChild<QAction*>(name))) << name;

    // A window that stays open fails the test instead of holding it up.
    QTimer guard;
    guard.setInterval(15000);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << open->objectName().toStdString() << " stayed open";
            open->done(QDialog::Rejected);
        }
    });
    guard.start();

    auto* upload = window.findChild<QAction*>("MnuUploadSlides");
    auto* verify = window.findChild<QAction*>("MnuVerifyServer");
    ASSERT_TRUE(upload && verify);
    SpeakersPanel* speakers = window.speakersPanel();
    auto* speakerUpload = speakers->contextMenu()->findChild<QAction*>("MnuSUpload");
    ASSERT_TRUE(speakerUpload);
    emit menu->aboutToShow();
    EXPECT_FALSE(upload->isEnabled());
    EXPECT_FALSE(verify->isEnabled());
    speakers->MnuSOptions_Popup(1, QPoint(0, 0));
    EXPECT_FALSE(speakerUpload->isEnabled()) << "no LiveCast mode";
    speakers->contextMenu()->close();

    WebcastServerSettings& server = fakes.program.webcastServer();
    server.WebcastFtpUrl = "ftp://" + ftp->address();
    server.WebcastUserName = "room";
    server.WebcastPassword = "pw";
    server.WebcastUploadDir = "/webcasts/";
    server.WebcastEventFolder = "EVENT";
    fakes.program.liveCastModes().setMode(LiveCastModes::Mode::Webcast);
    emit menu->aboutToShow();
    ASSERT_TRUE(upload->isEnabled());
    EXPECT_TRUE(verify->isEnabled());

    speakers->MnuSOptions_Popup(1, QPoint(0, 0));
    ASSERT_TRUE(speakerUpload->isEnabled());
    speakers->contextMenu()->close();
    speakerUpload->trigger(); // its window, until the upload closes it
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/Jane_Doe/2101010.swf"));
    EXPECT_EQ(ftp->lines("login").size(), 1);

    fakes.dir.writeFile("veskCast/r1101010.swf", "rolling");
    upload->trigger();
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/r1101010.swf"));
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/Jane_Doe/1101010.swf"));
    EXPECT_EQ(ftp->lines("login").size(), 2);
    // A second round leaves nothing of the first and keeps the server's own files.
    fakes.dir.writeFile("ftp/webcasts/EVENT/creator.INI", "made by the server");
    fakes.dir.writeFile("ftp/webcasts/EVENT/status.inf", "the player's own");
    QFile::remove(fakes.dir.path("veskCast/r1101010.swf"));
    upload->trigger();
    EXPECT_FALSE(QFile::exists(ftpRoot + "/webcasts/EVENT/r1101010.swf"));
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/Jane_Doe/1101010.swf"));
    EXPECT_EQ(fakes.dir.readFile("ftp/webcasts/EVENT/creator.INI"), "made by the server");
    EXPECT_EQ(fakes.dir.readFile("ftp/webcasts/EVENT/status.inf"), "the player's own");
    EXPECT_EQ(ftp->lines("login").size(), 3);

    verify->trigger(); // closes by itself when nothing is listed
    EXPECT_TRUE(fakes.messages.texts().isEmpty()) << fakes.messages.last().toStdString();
    EXPECT_EQ(ftp->lines("login").size(), 4);
    // A speaker is offered the upload only once the export has made the speaker's folder.
    doc.Speakers.append({"John Roe", "john.pptx", fakes.presentation("john.pptx", 1), {}});
    for (const int row : {2, 1}) {
        speakers->MnuSOptions_Popup(row, QPoint(0, 0));
        EXPECT_EQ(speakerUpload->isEnabled(), row == 1) << row;
        speakers->contextMenu()->close();
    }
}
