#include "document/LiveCastFileNames.h"
#include "livecast/LiveCastModes.h"
#include "livecast/PlayerPage.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "setup/widgets/frmVerifyServer.h"
#include "slides/DemoEventMaker.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/setup/ProgramOnFakes.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The files the webcast's player asks for, as the event's time codes name them.
QStringList expectedTree(const EventDocument& doc, PresentationApp& office)
{
    QStringList stems;
    if (doc.hasHoldingSlide())
        stems << LiveCastFileNames::holding(doc.HoldingTimeCode);
    for (int slot = 0; slot < Event::PopUpSlotCount; ++slot) {
        if (doc.PopUps[slot].isUsed())
            stems << LiveCastFileNames::popUp(slot, doc.PopUpsTimeCode);
    }
    for (const SpeakerRecord& speaker : doc.Speakers) {
        const auto deck = office.open(speaker.FilePath, PresentationApp::Visibility::Hidden);
        EXPECT_TRUE(deck.ok()) << deck.error().toStdString();
        if (!deck.ok())
            continue;
        for (int slide = 1; slide <= deck.value()->slideCount().value(); ++slide)
            stems << LiveCastFileNames::speakerFolder(speaker.Name) + "/" +
                         LiveCastFileNames::speakerSlide(slide, speaker.TimeCode);
        deck.value()->close();
    }
    QStringList files;
    for (const QString& stem : stems)
        files << stem + ".jpg" << stem + ".swf";
    files << "creator.INI"
          << "status.inf";
    // The audience's page goes with them, as installed beside the program.
    const QString page = PlayerPage::sourceFolder(PlayerPage::installedWebFolder());
    if (!page.isEmpty()) {
        for (const QString& file : QDir(page).entryList(QDir::Files))
            files << "player/" + file;
    }
    files.sort();
    return files;
}

} // namespace

// The demo event through the real office and a real FTP server: Export Slides and Upload Slides
// leave exactly the player's layout on the server, and a second round keeps the server's own
// files; Verify Server then finds nothing amiss and closes by itself, until the holding slide is
// replaced and a talk gains a slide.
TEST(LibreOfficeLiveCast, ExportUploadAndVerifyTheDemoEvent)
{
    TestFolder profile;
    LibreOfficeApp office(QString(), profile.path("lo-profile"), LibreOfficeApp::Display::Headless);
    ProgramOnFakes fakes(&office);
    ASSERT_TRUE(office.isAvailable());
    const QString error = DemoEventMaker::make(office, fakes.dir.path("demo"));
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    const QString ftpRoot = fakes.dir.path("ftp");
    const QString eventFolder = ftpRoot + "/webcasts/EVENT";
    QDir().mkpath(ftpRoot + "/webcasts");
    FixtureServer ftp("ftp_server.py", {"--root", ftpRoot, "--user", "room", "--password", "pw"});
    ASSERT_TRUE(ftp.ready()) << ftp.failure().toStdString();
    ASSERT_TRUE(fakes.start(fakes.dir.path("demo/" + DemoEventMaker::EventName)));
    frmSetup& window = fakes.window();
    EventDocument& doc = window.document();
    ASSERT_GE(doc.Speakers.count(), 2);
    ASSERT_TRUE(doc.hasHoldingSlide());
    WebcastServerSettings& server = fakes.program.webcastServer();
    server.WebcastFtpUrl = "ftp://" + ftp.address();
    server.WebcastUserName = "room";
    server.WebcastPassword = "pw";
    server.WebcastUploadDir = "/webcasts/";
    server.WebcastEventFolder = "EVENT";
    fakes.program.liveCastModes().setMode(LiveCastModes::Mode::Webcast);
    emit window.liveCastMenu()->aboutToShow();

    // What a verification window lists once it has reported errors; a window that stays open
    // too long otherwise fails the test instead of holding it up.
    QStringList listed;
    QTimer guard;
    guard.setInterval(200);
    int ticks = 0;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* check = qobject_cast<frmVerifyServer*>(open);
        if (check && check->findChild<QPushButton*>("ComCancel")->text() == "Ok") {
            for (int i = 0; i < check->list()->count(); ++i)
                listed << check->list()->item(i)->text();
            check->done(QDialog::Accepted);
        } else if (open && ++ticks > 900) {
            ADD_FAILURE() << open->objectName().toStdString() << " stayed open";
            open->done(QDialog::Rejected);
        }
    });
    guard.start();
    const auto menu = [&](const char* name) {
        ticks = 0;
        window.findChild<QAction*>(name)->trigger(); // its window, until the job closes it
    };

    menu("MnuExportSlides");
    menu("MnuUploadSlides");
    ftp.waitForLines("logout", 1, 10000);
    fakes.dir.writeFile("ftp/webcasts/EVENT/creator.INI", "made by the server");
    QFile status(eventFolder + "/status.inf");
    ASSERT_TRUE(status.open(QIODevice::WriteOnly));
    status.write("the player's own");
    status.close();
    EXPECT_EQ(TestFolder::filesUnder(eventFolder), expectedTree(doc, office));

    const QString firstCode = doc.HoldingTimeCode;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return LiveCastFileNames::timeCode(QTime::currentTime()) != firstCode; }, 2000));
    menu("MnuExportSlides");
    menu("MnuUploadSlides");
    EXPECT_NE(doc.HoldingTimeCode, firstCode);
    EXPECT_EQ(TestFolder::filesUnder(eventFolder), expectedTree(doc, office))
        << "nothing of the first round left";
    EXPECT_EQ(fakes.dir.readFile("ftp/webcasts/EVENT/status.inf"), "the player's own");
    EXPECT_EQ(ftp.lines("login").size(), 2) << "one connection per upload";
    EXPECT_TRUE(fakes.messages.texts().isEmpty()) << fakes.messages.last().toStdString();

    menu("MnuVerifyServer");
    EXPECT_EQ(listed, QStringList()) << "closes by itself";

    // A new holding slide from the clipboard, and a talk that gained a slide.
    fakes.clipboard.putPicture(QImage(64, 48, QImage::Format_RGB32));
    window.findChild<QAction*>("MnuPaste")->trigger();
    EXPECT_TRUE(doc.HoldingTimeCode.isEmpty());
    const SpeakerRecord& talk = doc.Speakers[1];
    const QString rebuilt =
        ColourPictures::buildDeck(office, fakes.dir, ColourPictures::colours(9), talk.FilePath);
    ASSERT_TRUE(rebuilt.isEmpty()) << rebuilt.toStdString();
    menu("MnuVerifyServer");
    EXPECT_EQ(listed, QStringList({"Holding Slide [missing]", talk.Name + " [out dated!]"}));
}
