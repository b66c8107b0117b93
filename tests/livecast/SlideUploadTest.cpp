#include "document/EventDocument.h"
#include "document/LiveCastSettings.h"
#include "livecast/AdminUpload.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LiveCastTransfers.h"
#include "livecast/ServerVerification.h"
#include "livecast/SpeakerUpload.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/curl/CurlTransferService.h"
#include "platform/fake/FakePresentationApp.h"
#include "platform/fake/FakeTransferService.h"
#include "setup/widgets/ProgressDisplay.h"
#include "setup/widgets/frmSUpload.h"
#include "setup/widgets/frmUpload.h"
#include "setup/widgets/frmVerifyServer.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/fakes/TestFolder.h"

#include <QDirIterator>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

constexpr int JobTimeoutMs = 20000;

// What an export leaves in a LiveCast folder: the holding slide, pop-ups 1 and 3, two rolling
// slides and each speaker's slides in a folder named after the speaker, all under one time code.
struct ExportedEvent
{
    QString timeCode;
    std::map<QString, int> speakers; // name, slide count

    QStringList files() const
    {
        QStringList names{"h", "p1", "p3", "r1", "r2"};
        for (const auto& [name, slides] : speakers) {
            for (int slide = 1; slide <= slides; ++slide)
                names << QString(name).replace(' ', '_') + '/' + QString::number(slide);
        }
        QStringList files;
        for (const QString& name : names)
            files << name + timeCode + ".jpg" << name + timeCode + ".swf";
        return files;
    }
    // The event folder on the server after its upload, the audience's page in its own folder.
    QStringList tree() const
    {
        QStringList tree =
            files() + QStringList{"status.inf", "player/", "player/index.html", "player/player.js"};
        for (const auto& [name, slides] : speakers)
            tree << QString(name).replace(' ', '_') + '/';
        tree.sort();
        return tree;
    }
};

// A webcast server of the test's own with its event folder "/webcasts/EVENT", and the room's
// LiveCast folder.
struct Webcast
{
    explicit Webcast(const QStringList& serverOptions = {})
    {
        QDir().mkpath(root.path("webcasts"));
        ftp = std::make_unique<FixtureServer>(
            "ftp_server.py",
            QStringList{"--root", root.path(), "--user", "room", "--password", "pw"} +
                serverOptions);
        settings.WebcastFtpUrl = "ftp://" + ftp->address();
        settings.WebcastServerName = "S1";
        settings.WebcastUserName = "room";
        settings.WebcastPassword = "pw";
        settings.WebcastUploadDir = "/webcasts/";
        settings.WebcastEventFolder = "EVENT";
        local.writeFile("web/player/index.html", "page");
        local.writeFile("web/player/player.js", "script");
    }

    QString liveCast() const { return local.path("veskCast"); }
    // The program's web folder, with the audience's page.
    QString web() const { return local.path("web"); }
    QString served(const QString& name) const { return root.path("webcasts/EVENT/" + name); }

    // Empties the LiveCast folder and writes the export's files, as the export does.
    void exportSlides(const ExportedEvent& event) const
    {
        QDir(liveCast()).removeRecursively();
        for (const QString& file : event.files())
            local.writeFile("veskCast/" + file, ("slide " + file).toUtf8());
    }
    QStringList serverTree() const
    {
        QStringList tree;
        const QDir event(served(""));
        QDirIterator it(event.path(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            tree << event.relativeFilePath(it.filePath()) + (it.fileInfo().isDir() ? "/" : "");
        }
        tree.sort();
        return tree;
    }
    QStringList received()
    {
        QStringList files;
        for (const QString& line : ftp->lines("received "))
            files << QDir(served("")).relativeFilePath(line.mid(9));
        return files;
    }

    // Shows the job's window until the job closes it.
    template <typename Window, typename Job> bool runInWindow(Job& job)
    {
        Window window(job, nullptr, 0);
        window.show();
        return QTest::qWaitFor([&] { return !window.isVisible(); }, JobTimeoutMs);
    }

    TestFolder root;
    TestFolder local;
    std::unique_ptr<FixtureServer> ftp;
    CurlTransferService transfers{{2000, 4000}};
    FakeMessageService messages;
    WebcastServerSettings settings;
    LiveCastSettings marks;
};

} // namespace

// A first upload sends the status record before anything else and the audience's page last,
// into a folder of its own; a second one, after a new export, removes what else was there too.
// Both rounds from the menus, one login each, the server's own files kept:
// LiveCastTest.UploadAndVerifyFromTheMenusOfTheSetupWindow. Verification then names each kind
// of thing missing, and a speaker's upload replaces only that speaker's folder.
TEST(SlideUploadTest, UploadsLeaveExactlyTheExportOnTheServerAndVerificationFindsWhatIsMissing)
{
    Webcast w;
    ASSERT_TRUE(w.ftp->ready()) << w.ftp->failure().toStdString();
    w.marks.StretchMode = true;
    const ExportedEvent first{"140509", {{"Jane Doe", 2}, {"Ada", 1}}};
    w.exportSlides(first);

    AdminUpload upload(w.transfers, w.messages, w.settings, w.marks, w.liveCast());
    upload.setPlayerSource(w.web());
    ASSERT_TRUE(w.runInWindow<frmUpload>(upload));
    // The logout comes from the upload's own CLOSE, while its connection is still there.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.ftp->lines("logout").size() == 1; }, 3000));
    EXPECT_EQ(w.serverTree(), first.tree());
    EXPECT_EQ(w.received().value(0), "status.inf");
    EXPECT_TRUE(w.received().last().startsWith("player/"));
    const QByteArray status = w.local.readFile("veskCast/status.inf");
    EXPECT_EQ(w.root.readFile("webcasts/EVENT/status.inf"), status);
    EXPECT_EQ(status, "&info0=Dummy file& Date Time Stamp\r\n&info1=& Presenter\r\n"
                      "&info2=h& Current Slide\r\n&info3=& Rolling\r\n&info4=& View\r\n"
                      "&info5=& Scale Bar\r\n&info6=stageLeft& Presenter Position\r\n"
                      "&info7=True& Stretch Slides\r\n&info8=16:9& Ratio\r\n"
                      "&info9=False& Hide Player Controls\r\n");

    // The server's own file, and leftovers of another kind.
    w.root.writeFile("webcasts/EVENT/creator.INI", "server");
    w.root.writeFile("webcasts/EVENT/Old Talk/1.swf", "old");
    const ExportedEvent second{"150000", {{"Jane Doe", 3}}};
    w.exportSlides(second);
    AdminUpload again(w.transfers, w.messages, w.settings, w.marks, w.liveCast());
    again.setPlayerSource(w.web());
    ASSERT_TRUE(w.runInWindow<frmUpload>(again));
    QStringList kept = second.tree() << "creator.INI";
    kept.sort();
    EXPECT_EQ(w.serverTree(), kept);

    // The holding slide changed, the deck gained a slide, a speaker joined and three pop-ups were
    // replaced: one line each, and the window waits for Ok. The rolling slides are all there.
    FakePresentationApp office;
    office.addPresentation("/talks/jane.pptx", 4);
    office.addPresentation("/talks/rolling.pptx", 2);
    ServerVerification::Items changed;
    changed.holdingShown = true;
    changed.QuickLaunchTimeCode = "150000";
    changed.QuickLaunchFile = "/talks/rolling.pptx";
    changed.PopUpsTimeCode = "170000"; // none of the pop-ups exported under it
    changed.popUpShown[0] = changed.popUpShown[2] = changed.popUpShown[5] = true;
    changed.speakers = {{"Jane Doe", "jane.pptx", "/talks/jane.pptx", "150000"},
                        {"New Guy", "new.pptx", "/talks/new.pptx", ""}};
    ServerVerification late(w.transfers, w.messages, office, w.settings, changed, {});
    frmVerifyServer lateWindow(late, "Verify Server", nullptr, 0, 0);
    lateWindow.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return late.reported(); }, JobTimeoutMs));
    ASSERT_TRUE(lateWindow.isVisible());
    EXPECT_EQ(late.lstVerify(), QStringList({"Holding Slide [missing]", "PopUp Slide(s) [missing]",
                                             "Jane Doe [out dated!]", "New Guy [missing]"}));
    QTest::mouseClick(lateWindow.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(lateWindow.isVisible());

    // A speaker's upload replaces that speaker's folder, blanks turned to "_", and nothing else.
    w.exportSlides({"100000", {{"Jane Doe", 1}}});
    SpeakerUpload speaker(w.transfers, w.messages, w.settings, w.liveCast(), "Jane Doe");
    ASSERT_TRUE(w.runInWindow<frmSUpload>(speaker));
    // Nothing went wrong in any of the uploads or checks.
    EXPECT_TRUE(w.messages.texts().isEmpty()) << w.messages.last().toStdString();
    QStringList replaced = kept.filter(QRegularExpression("^(?!Jane_Doe/.)"));
    replaced.append({"Jane_Doe/1100000.jpg", "Jane_Doe/1100000.swf"});
    replaced.sort();
    EXPECT_EQ(w.serverTree(), replaced);
}

// Cancel pressed while a slow server removes the previous upload: the button goes grey at
// once, the files already being worked off go, the folders stay, nothing is sent, and the
// session still ends with CLOSE. The server then goes away in the middle of the next upload: the
// operator reads the transfer error and the window closes without waiting for anything more.
TEST(SlideUploadTest, CancelDuringTheCleanUpStillClosesAndAServerStoppedMidUploadIsTold)
{
    Webcast w({"--delay", "DELE=0.3", "--delay", "STOR=0.5"});
    ASSERT_TRUE(w.ftp->ready()) << w.ftp->failure().toStdString();
    for (const char* name : {"h1.swf", "p11.swf", "r11.swf", "status.inf", "Old/1.swf"})
        w.root.writeFile(QString("webcasts/EVENT/") + name, "old");
    w.exportSlides({"120000", {{"Jane Doe", 1}}});

    AdminUpload upload(w.transfers, w.messages, w.settings, w.marks, w.liveCast());
    frmUpload window(upload, nullptr, 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return upload.LabStatus() == "Removing....Admin Files"; },
                                JobTimeoutMs));
    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window.cancelButton()->isEnabled());
    EXPECT_TRUE(upload.running()) << "the DELETE under way ends first";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, JobTimeoutMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.ftp->lines("logout").size() == 1; }, 3000));
    EXPECT_EQ(w.serverTree(), QStringList({"Old/", "Old/1.swf", "status.inf"}));
    EXPECT_TRUE(w.received().isEmpty());
    EXPECT_TRUE(w.messages.texts().isEmpty()) << w.messages.last().toStdString();

    AdminUpload again(w.transfers, w.messages, w.settings, w.marks, w.liveCast());
    frmUpload next(again, nullptr, 0);
    next.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.LabStatus() == "Uploading - Admin files"; },
                                JobTimeoutMs));
    w.ftp.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !next.isVisible(); }, JobTimeoutMs));
    ASSERT_EQ(w.messages.texts().size(), 1);
    EXPECT_TRUE(w.messages.last().startsWith("ErrorCode: ")) << w.messages.last().toStdString();
    EXPECT_FALSE(again.running());
}

// Localhost mode checks the local streaming server's "veskCast" folder, named by FMS.ini, and
// sends nothing to any server; "Upload Slides" without a LiveCast mode only says so; Cancel ends
// a check of the server at its next step. Which speakers may be uploaded: LiveCastTest.
TEST(ServerVerificationTest, LocalhostModeChecksTheStreamingFolderWithoutFtpAndCancelStopsOne)
{
    TestFolder app;
    app.writeFile("FMS.ini", (app.path("fms") + "/\r\n").toUtf8());
    QDir().mkpath(app.path("fms"));
    EventDocument doc;
    doc.AppFolder = app.folder();
    doc.LiveCastFolder = app.path("veskCast");
    doc.ImgHolding = QImage(4, 3, QImage::Format_RGB32);
    doc.HoldingTimeCode = "080000";
    doc.Speakers.append({"Jane Doe", "jane.pptx", "/talks/jane.pptx", "080000"});
    FakePresentationApp office;
    office.addPresentation("/talks/jane.pptx", 2);
    FakeTransferService transfers;
    FakeMessageService messages;
    LiveCastModes modes;
    WebcastServerSettings server;
    LiveCastSettings marks;
    const LiveCastTransfers commands(
        {transfers, messages, office, modes, server, marks, doc, QString()});

    EXPECT_EQ(commands.MnuUploadSlides_Click(), nullptr);
    EXPECT_EQ(messages.texts(), QStringList{"Neither Webcast Mode or Localhost Mode Enabled"});

    modes.setMode(LiveCastModes::Mode::Localhost);
    const auto runCheck = [&] {
        const auto check = commands.MnuVerifyServer_Click();
        check->timVerify_Timer();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return check->reported() || !check->running(); }, JobTimeoutMs));
        return check->lstVerify();
    };
    EXPECT_EQ(runCheck(), QStringList({"Holding Slide [missing]", "Jane Doe [missing]"}));
    const QString folder = app.path("fms/veskCast");
    EXPECT_TRUE(QFileInfo(folder).isDir());

    app.writeFile(folder + "/h080000.swf", "h");
    app.writeFile(folder + "/Jane_Doe/1080000.swf", "1");
    EXPECT_EQ(runCheck(), QStringList{"Jane Doe [out dated!]"});
    app.writeFile(folder + "/Jane_Doe/2080000.swf", "2");
    EXPECT_EQ(runCheck(), QStringList());
    EXPECT_TRUE(transfers.commandLines().isEmpty());
    EXPECT_EQ(messages.texts().size(), 1);

    // Cancel while a check of the server runs: the button greys, the check ends at its next
    // step with nothing listed, and the window closes; it never gets as far as the speakers.
    server.WebcastUploadDir = "/webcasts/";
    server.WebcastEventFolder = "EVENT";
    modes.setMode(LiveCastModes::Mode::Webcast);
    const auto check = commands.MnuVerifyServer_Click();
    frmVerifyServer window(*check, "Verify Server", nullptr, 0, 0);
    window.show();
    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window.cancelButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, JobTimeoutMs));
    EXPECT_TRUE(check->lstVerify().isEmpty());
    EXPECT_EQ(transfers.commandLines(),
              QStringList({"DIR /webcasts/", "MKDIR /webcasts/EVENT", "DIR /webcasts/EVENT/"}));
}
