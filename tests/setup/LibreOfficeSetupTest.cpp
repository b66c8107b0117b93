#include "document/LiveCastFileNames.h"
#include "livecast/LiveCastModes.h"
#include "livecast/PlayerPage.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/MimeTransfer.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "setup/HoldingSlide.h"
#include "setup/PopUpSlots.h"
#include "setup/widgets/frmPreview.h"
#include "setup/widgets/frmQLProperties.h"
#include "setup/widgets/frmSetup.h"
#include "setup/widgets/frmVerifyServer.h"
#include "slides/DemoEventMaker.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/setup/ProgramOnFakes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const auto near = [](QRgb a, QRgb b) { return ColourPictures::near(a, b); };
const auto centre = [](const QImage& image) { return ColourPictures::centre(image); };

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

// The setup window's work through one real, headless soffice: starting it takes seconds.
class LibreOfficeSetupTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TestFolder;
        s_app = new LibreOfficeApp(QString(), s_folder->path("lo-profile"),
                                   LibreOfficeApp::Display::Headless);
    }

    static void TearDownTestSuite()
    {
        delete s_app;
        delete s_folder;
    }

    void SetUp() override { ASSERT_TRUE(s_app->isAvailable()); }

    static QString deck(const QString& name, const QList<QRgb>& colours)
    {
        const QString path = s_folder->path(name);
        const QString error = ColourPictures::buildDeck(*s_app, *s_folder, colours, path);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }

    static inline TestFolder* s_folder = nullptr;
    static inline LibreOfficeApp* s_app = nullptr;
};

} // namespace

// The settings that the properties window writes must be inside the file: changed through the
// window (the delay typed, then the field left), saved as .pptx and opened again.
TEST_F(LibreOfficeSetupTest, QuickLaunchPropertiesSurviveSavingAndReopening)
{
    const QString path = deck("Rolling.pptx", ColourPictures::colours(3));
    {
        QuickLaunchProperties properties(*s_app);
        frmQLProperties window(properties, path);
        QSignalSpy loaded(&properties, &QuickLaunchProperties::loaded);
        QSignalSpy saved(&properties, &QuickLaunchProperties::saved);
        ASSERT_TRUE(loaded.wait(30000));
        window.loop()->setChecked(true);
        window.advance()->setChecked(true);
        window.delay()->setText(QStringLiteral("02:05"));
        window.TxtDelay_LostFocus();
        window.ComOk_Click();
        ASSERT_TRUE(saved.wait(30000));
        ASSERT_TRUE(window.okStatus().ok()) << window.okStatus().error().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !properties.isBusy(); }, 30000));
    }
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);

    const auto reopened = s_app->open(path, PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    const SlideShowOptions options = reopened.value()->showOptions().valueOr(SlideShowOptions());
    reopened.value()->close();
    EXPECT_EQ(options, (SlideShowOptions{true,
                                         SlideShowOptions::AdvanceMode::SlideTimings,
                                         {{true, 125}, {true, 125}, {true, 125}}}));
}

// A twelve-slide deck dropped on the holding slide of the real window: slide 1 at once, the
// progress in the status bar, the preview; then slide 4 into the pop-up keyed 5.
TEST_F(LibreOfficeSetupTest, TwelveSlidesOnTheHoldingSlideThenSlideFourIntoPopUpFive)
{
    const QList<QRgb> colours = ColourPictures::colours(12);
    const QString path = deck("Twelve.pptx", colours);
    ProgramOnFakes fakes(s_app);
    frmSetup& setup = fakes.window();
    EventDocument& doc = setup.document();
    doc.RunFolder = s_folder->path("run");
    doc.SlideImageFormat = SlideFormat::Jpg;
    QDir().mkpath(doc.RunFolder);
    QStringList progress;
    QObject::connect(setup.statusBar(), &QStatusBar::messageChanged,
                     [&progress](const QString& text) { progress << text; });

    QMimeData dropped;
    MimeTransfer::putFileList(&dropped, {path});
    setup.holdingSlide()->drop(&dropped);
    ASSERT_TRUE(QTest::qWaitFor([&] { return setup.preview() != nullptr; }, 90000));
    EXPECT_TRUE(near(centre(doc.ImgHoldingFull), colours[0]));
    EXPECT_TRUE(progress.contains("Extracting - 50%")) << progress.join(", ").toStdString();
    EXPECT_EQ(setup.preview()->slideCount(), 12);

    setup.sections()->setCurrentIndex(2);
    setup.popUpSlots()->select(4);
    setup.preview()->scrollBar()->setValue(4);
    setup.preview()->ComInsert_Click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return doc.PopUps[4].isUsed() && near(centre(doc.PopUps[4].Full), colours[3]); },
        30000));
    EXPECT_TRUE(near(centre(doc.ImgHoldingFull), colours[0]));
    setup.preview()->close();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return s_app->openPresentationCount().valueOr(-1) == 0; }, 10000));
}

// The demo event through the real office and a real FTP server: Export Slides and Upload Slides
// leave exactly the player's layout on the server, and a second round keeps the server's own
// files; Verify Server then finds nothing amiss and closes by itself, until the holding slide is
// replaced and a talk gains a slide.
TEST_F(LibreOfficeSetupTest, ExportUploadAndVerifyTheDemoEvent)
{
    LibreOfficeApp& office = *s_app;
    ProgramOnFakes fakes(s_app);
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
