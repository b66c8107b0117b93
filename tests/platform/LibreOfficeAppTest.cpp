#include "LibreOfficeApp.h"
#include "ColourPictures.h"
#include "TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using DocumentPtr = std::shared_ptr<PresentationDocument>;

const QList<QRgb> kSlideColours = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(40, 60, 220)};

// One soffice for the whole program: starting it takes seconds. Each deck is generated through
// the back end itself from pictures of one colour per slide, so slides can be told apart.
class LibreOfficeAppTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TestFolder;
        s_app = new LibreOfficeApp(QString(), s_folder->path("lo-profile"));
        ASSERT_TRUE(s_app->isAvailable());

        const QStringList pictures = ColourPictures::write(*s_folder, kSlideColours);
        ASSERT_EQ(pictures.size(), kSlideColours.size());
        const auto built = s_app->buildFromPictures(pictures, PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(built.ok()) << built.error().toStdString();
        ASSERT_TRUE(built.value()->saveCopyAs(deck(), PresentationDocument::FileFormat::Pptx).ok());
        using Format = PresentationDocument::FileFormat;
        const std::pair<const char*, Format> copies[] = {{"deck.odp", Format::Odp},
                                                         {"deck.ppt", Format::Ppt},
                                                         {"deck.pps", Format::Pps},
                                                         {"deck.ppsx", Format::Ppsx}};
        for (const auto& [name, format] : copies)
            ASSERT_TRUE(built.value()->saveCopyAs(s_folder->path(name), format).ok()) << name;
        ASSERT_TRUE(built.value()->close().ok());
    }

    static void TearDownTestSuite()
    {
        delete s_app;
        delete s_folder;
    }

    static QString deck() { return s_folder->path("deck.pptx"); }

    static DocumentPtr openDeck(PresentationApp::Visibility visibility)
    {
        auto opened = s_app->open(deck(), visibility);
        EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
        return opened.ok() ? opened.value() : nullptr;
    }

    static TestFolder* s_folder;
    static LibreOfficeApp* s_app;
};

TestFolder* LibreOfficeAppTest::s_folder = nullptr;
LibreOfficeApp* LibreOfficeAppTest::s_app = nullptr;

TEST_F(LibreOfficeAppTest, CountsSlidesAndOpenPresentationsOfSavedDecks)
{
    // Longer decks, built from as many pictures, saved and read back.
    for (const int length : {1, 12, 30}) {
        SCOPED_TRACE(length);
        const QString path = s_folder->path(QStringLiteral("long%1.pptx").arg(length));
        TestFolder pictures;
        ASSERT_EQ(
            ColourPictures::buildDeck(*s_app, pictures, ColourPictures::colours(length), path),
            QString());
        auto opened = s_app->open(path, PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        EXPECT_EQ(opened.value()->slideCount().valueOr(-1), length);
        EXPECT_TRUE(opened.value()->close().ok());
    }

    const int before = s_app->openPresentationCount().valueOr(-1);
    const DocumentPtr pptx = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(pptx);
    QList<DocumentPtr> others;
    for (const char* name : {"deck.ppt", "deck.pps", "deck.ppsx", "deck.odp"}) {
        SCOPED_TRACE(name);
        auto opened = s_app->open(s_folder->path(name), PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        EXPECT_EQ(opened.value()->slideCount().valueOr(-1), 3);
        others << opened.value();
    }
    EXPECT_EQ(pptx->slideCount().valueOr(-1), 3);
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), before + 5);

    EXPECT_TRUE(s_app->closeAll().ok());
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
    // Closed documents fail rather than reach a stale office object.
    EXPECT_FALSE(pptx->slideCount().ok());
    EXPECT_FALSE(others.first()->close().ok());
}

TEST_F(LibreOfficeAppTest, ExportsSlidesAtTheExactSizeAndFormat)
{
    const DocumentPtr doc = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(doc);
    struct Case
    {
        int slide;
        PresentationDocument::ImageFormat format;
        const char* name;
        const char* qtFormat;
        int width;
        int height;
    };
    const Case cases[] = {
        {1, PresentationDocument::ImageFormat::Png, "s1.png", "PNG", 320, 180},
        {2, PresentationDocument::ImageFormat::Jpeg, "s2.jpg", "JPEG", 1024, 768},
        {3, PresentationDocument::ImageFormat::Bmp, "s3.bmp", "BMP", 200, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = s_folder->path(c.name);
        const auto exported = doc->exportSlide(c.slide, path, c.format, c.width, c.height);
        ASSERT_TRUE(exported.ok()) << exported.error().toStdString();
        QImage image;
        ASSERT_TRUE(image.load(path, c.qtFormat));
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
        // The picture fills the slide's middle: the right slide was exported.
        EXPECT_TRUE(
            ColourPictures::near(ColourPictures::centre(image), kSlideColours[c.slide - 1]));
    }
    EXPECT_FALSE(doc->exportSlide(0, s_folder->path("none.png"),
                                  PresentationDocument::ImageFormat::Png, 100, 100)
                     .ok());
    EXPECT_FALSE(doc->exportSlide(4, s_folder->path("none.png"),
                                  PresentationDocument::ImageFormat::Png, 100, 100)
                     .ok());
    EXPECT_FALSE(QFile::exists(s_folder->path("none.png")));

    ASSERT_TRUE(
        doc->saveCopyAs(s_folder->path("deck.pdf"), PresentationDocument::FileFormat::Pdf).ok());
    EXPECT_TRUE(s_folder->readFile("deck.pdf").startsWith("%PDF"));
    EXPECT_TRUE(doc->close().ok());
}

// Loop, advance mode and per-slide timings are stored in each format's own way. The binary
// formats keep times in their own units: 125 s comes back as 128 s from .ppt and .pps.
TEST_F(LibreOfficeAppTest, ShowOptionsSurviveSavingAndReopeningInEveryFormat)
{
    struct Case
    {
        const char* name;
        int longAdvanceReadBackS;
    };
    const Case cases[] = {
        {"deck.pptx", 125}, {"deck.ppsx", 125}, {"deck.odp", 125},
        {"deck.ppt", 128},  {"deck.pps", 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString copy = s_folder->path(QStringLiteral("options-") + c.name);
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(s_folder->path(c.name), copy));
        auto opened = s_app->open(copy, PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();

        SlideShowOptions options;
        options.loopUntilStopped = true;
        options.advanceMode = SlideShowOptions::AdvanceMode::Manual;
        options.slides = {{true, 5}, {false, 0}, {true, 125}};
        ASSERT_TRUE(opened.value()->setShowOptions(options).ok());
        ASSERT_TRUE(opened.value()->save().ok());
        ASSERT_TRUE(opened.value()->close().ok());

        auto reopened = s_app->open(copy, PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
        const auto read = reopened.value()->showOptions();
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
        EXPECT_TRUE(read.value().loopUntilStopped);
        EXPECT_EQ(read.value().advanceMode, SlideShowOptions::AdvanceMode::Manual);
        ASSERT_EQ(read.value().slides.size(), 3);
        EXPECT_EQ(read.value().slides[0], (SlideShowOptions::SlideAdvance{true, 5}));
        EXPECT_FALSE(read.value().slides[1].onTime);
        EXPECT_EQ(read.value().slides[2],
                  (SlideShowOptions::SlideAdvance{true, c.longAdvanceReadBackS}));

        // And back: a file that loops and runs on its timings becomes manual again.
        options = read.value();
        options.loopUntilStopped = false;
        options.advanceMode = SlideShowOptions::AdvanceMode::SlideTimings;
        options.slides = {{false, 0}};
        ASSERT_TRUE(reopened.value()->setShowOptions(options).ok());
        ASSERT_TRUE(reopened.value()->save().ok());
        ASSERT_TRUE(reopened.value()->close().ok());
        auto third = s_app->open(copy, PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(third.ok()) << third.error().toStdString();
        const auto changed = third.value()->showOptions();
        ASSERT_TRUE(changed.ok());
        EXPECT_FALSE(changed.value().loopUntilStopped);
        EXPECT_EQ(changed.value().advanceMode, SlideShowOptions::AdvanceMode::SlideTimings);
        EXPECT_FALSE(changed.value().slides.value(0).onTime);
        EXPECT_TRUE(changed.value().slides.value(2).onTime);
        EXPECT_TRUE(third.value()->close().ok());
    }
}

TEST_F(LibreOfficeAppTest, ShowRunsMovesBetweenSlidesAndItsEndIsNoticed)
{
    // Loaded hidden on purpose: running a show from a hidden document must not bring the
    // office down.
    const DocumentPtr doc = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->isShowRunning().valueOr(true));
    EXPECT_FALSE(doc->currentSlide().ok());

    const auto started = doc->runShow();
    ASSERT_TRUE(started.ok()) << started.error().toStdString();
    EXPECT_TRUE(doc->isShowRunning().valueOr(false));
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc->currentSlide().valueOr(0) == 1; }, 5000));

    ASSERT_TRUE(doc->goToSlide(3).ok());
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc->currentSlide().valueOr(0) == 3; }, 5000));
    ASSERT_TRUE(doc->goToSlide(2).ok());
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc->currentSlide().valueOr(0) == 2; }, 5000));
    EXPECT_FALSE(doc->goToSlide(4).ok());
    EXPECT_FALSE(doc->goToSlide(0).ok());
    EXPECT_EQ(doc->currentSlide().valueOr(0), 2);
    EXPECT_TRUE(doc->bringShowToFront().ok());

    ASSERT_TRUE(doc->endShow().ok());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !doc->isShowRunning().valueOr(true); }, 5000));
    EXPECT_FALSE(doc->currentSlide().ok());

    // A second show on the same document starts again at slide 1.
    ASSERT_TRUE(doc->runShow().ok());
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc->currentSlide().valueOr(0) == 1; }, 5000));
    // Closing the document ends its show too.
    ASSERT_TRUE(doc->close().ok());
    EXPECT_FALSE(doc->isShowRunning().ok());
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
}

TEST_F(LibreOfficeAppTest, PresenterEndingTheShowWithEscapeIsNoticed)
{
    const DocumentPtr doc = openDeck(PresentationApp::Visibility::Visible);
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->runShow().ok());
    ASSERT_TRUE(doc->bringShowToFront().ok());
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "Escape"}), 0);
    // The key has been delivered when xdotool returns; a watcher asking every 200 ms must see
    // the end on its next tick or so.
    QElapsedTimer sinceKey;
    sinceKey.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !doc->isShowRunning().valueOr(true); }, 5000));
    EXPECT_LT(sinceKey.elapsed(), 500);
    EXPECT_TRUE(doc->close().ok());
}

TEST_F(LibreOfficeAppTest, SaveAndCloseAllKeepsChangesAndUntitledPresentations)
{
    TestFolder work;
    const QString copy = work.path("changed.odp");
    ASSERT_TRUE(QFile::copy(s_folder->path("deck.odp"), copy));
    auto changed = s_app->open(copy, PresentationApp::Visibility::Visible);
    ASSERT_TRUE(changed.ok()) << changed.error().toStdString();
    SlideShowOptions options = changed.value()->showOptions().value();
    options.loopUntilStopped = !options.loopUntilStopped;
    ASSERT_TRUE(changed.value()->setShowOptions(options).ok());
    const QStringList pictures = ColourPictures::write(work, kSlideColours);
    ASSERT_TRUE(s_app->buildFromPictures(pictures, PresentationApp::Visibility::Visible).ok());
    const QString documents = work.path("Documents");
    ASSERT_TRUE(QDir().mkpath(documents));
    QFile taken(documents + "/Presentation.odp");
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly)); // an earlier one is never replaced

    const auto closed = s_app->saveAndCloseAll(documents);
    ASSERT_TRUE(closed.ok()) << closed.error().toStdString();
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
    EXPECT_EQ(taken.size(), 0);
    auto reopened = s_app->open(copy, PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ(reopened.value()->showOptions().value().loopUntilStopped, options.loopUntilStopped);
    auto untitled =
        s_app->open(documents + "/Presentation 2.odp", PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(untitled.ok()) << untitled.error().toStdString();
    EXPECT_EQ(untitled.value()->slideCount().valueOr(0), kSlideColours.size());
    EXPECT_TRUE(s_app->closeAll().ok());
}

TEST_F(LibreOfficeAppTest, StaleLockFileDoesNotBlockOpening)
{
    const QString copy = s_folder->path("locked.pptx");
    ASSERT_TRUE(QFile::copy(deck(), copy));
    // What an office that crashed while holding the file leaves behind: our own user and host.
    const QByteArray lock = "," + qgetenv("USER") + "," + QSysInfo::machineHostName().toUtf8() +
                            ",01.01.2020 10:00," +
                            QUrl::fromLocalFile(s_folder->path("lo-profile")).toEncoded() + ";";
    s_folder->writeFile(".~lock.locked.pptx#", lock);
    // Hidden for an export, visible for a show: neither may stop at a question about the lock.
    for (const auto visibility :
         {PresentationApp::Visibility::Hidden, PresentationApp::Visibility::Visible}) {
        auto opened = s_app->open(copy, visibility);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        EXPECT_EQ(opened.value()->slideCount().valueOr(-1), 3);
        // Opened read-only past the lock: writing back must fail loudly, not vanish.
        EXPECT_FALSE(opened.value()->save().ok());
        EXPECT_TRUE(opened.value()->close().ok());
    }
}

TEST_F(LibreOfficeAppTest, FilesThatAreNoPresentationFailQuickly)
{
    const QString text = s_folder->writeFile("notes.txt", "just some words\n");
    const QString garbage = s_folder->writeFile("broken.pptx", QByteArray(5000, '\x17'));
    const QString missing = s_folder->path("nowhere.pptx");
    for (const QString& path : {missing, text, garbage}) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer timer;
        timer.start();
        const auto opened = s_app->open(path, PresentationApp::Visibility::Hidden);
        EXPECT_FALSE(opened.ok());
        EXPECT_FALSE(opened.error().isEmpty());
        EXPECT_LT(timer.elapsed(), 30000);
    }
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
    EXPECT_TRUE(s_app->isRunning());
}

TEST_F(LibreOfficeAppTest, OfficeKilledDuringAShowIsReportedAndReplaced)
{
    const DocumentPtr doc = openDeck(PresentationApp::Visibility::Visible);
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->runShow().ok());
    const qint64 pid = s_app->officeProcessId();
    ASSERT_GT(pid, 0);

    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !doc->isShowRunning().ok(); }, 10000));
    EXPECT_FALSE(doc->currentSlide().ok());
    EXPECT_FALSE(s_app->isRunning());

    const DocumentPtr again = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->slideCount().valueOr(-1), 3);
    EXPECT_NE(s_app->officeProcessId(), pid);
    // The document from before the crash stays dead; it does not reach the new office.
    EXPECT_FALSE(doc->slideCount().ok());
    EXPECT_TRUE(again->close().ok());
}

TEST_F(LibreOfficeAppTest, HungOfficeTimesOutAndIsReplaced)
{
    const DocumentPtr doc = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(doc);
    const qint64 pid = s_app->officeProcessId();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid_t(pid), SIGSTOP), 0);

    QElapsedTimer timer;
    timer.start();
    const auto count = doc->slideCount();
    EXPECT_FALSE(count.ok());
    EXPECT_LT(timer.elapsed(), 10000);
    // The stuck office was ended so that the worker is free again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return s_app->officeProcessId() != pid; }, 10000));

    const DocumentPtr again = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->slideCount().valueOr(-1), 3);
    EXPECT_TRUE(again->close().ok());
}

TEST_F(LibreOfficeAppTest, QuitEndsTheOfficeAndTheNextOpenStartsIt)
{
    ASSERT_TRUE(s_app->quit().ok());
    EXPECT_FALSE(s_app->isRunning());
    EXPECT_EQ(s_app->officeProcessId(), 0);
    const DocumentPtr doc = openDeck(PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(s_app->isRunning());
    EXPECT_TRUE(doc->close().ok());
}

} // namespace
