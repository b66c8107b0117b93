#include "platform/libreoffice/LibreOfficeApp.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSysInfo>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>
#include <future>

namespace {

using DocumentPtr = std::shared_ptr<PresentationDocument>;
using Visibility = PresentationApp::Visibility;
constexpr auto Manual = SlideShowOptions::AdvanceMode::Manual;

const QList<QRgb> kSlideColours = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(40, 60, 220)};

// The deck in every format, with the 125 s advance as each reads it back: the binary formats
// keep times in their own units.
using Format = PresentationDocument::FileFormat;
const std::tuple<const char*, Format, int> kDecks[] = {{"deck.pptx", Format::Pptx, 125},
                                                       {"deck.ppsx", Format::Ppsx, 125},
                                                       {"deck.odp", Format::Odp, 125},
                                                       {"deck.ppt", Format::Ppt, 128},
                                                       {"deck.pps", Format::Pps, 128}};

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
        const auto built = s_app->buildFromPictures(pictures, Visibility::Hidden);
        ASSERT_TRUE(built.ok()) << built.error().toStdString();
        for (const auto& [name, format, advance] : kDecks)
            ASSERT_TRUE(built.value()->saveCopyAs(s_folder->path(name), format).ok()) << name;
        ASSERT_TRUE(built.value()->close().ok());
    }

    static void TearDownTestSuite()
    {
        delete s_app;
        delete s_folder;
    }

    static QString deck() { return s_folder->path("deck.pptx"); }

    static DocumentPtr open(const QString& path, Visibility visibility = Visibility::Hidden)
    {
        auto opened = s_app->open(path, visibility);
        EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
        return opened.ok() ? opened.value() : nullptr;
    }
    static DocumentPtr openDeck(Visibility visibility) { return open(deck(), visibility); }

    // The deck opens again, in an office other than the one that was ended.
    static void expectFreshOffice(qint64 endedPid)
    {
        const DocumentPtr again = openDeck(Visibility::Hidden);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->slideCount().valueOr(-1), 3);
        EXPECT_NE(s_app->officeProcessId(), endedPid);
        EXPECT_TRUE(again->close().ok());
    }

    static inline TestFolder* s_folder = nullptr;
    static inline LibreOfficeApp* s_app = nullptr;
};

// Every format opens; loop, advance mode and per-slide timings are stored in each format's own
// way. Slide exports and PDF: LibreOfficeSlidesTest.
TEST_F(LibreOfficeAppTest, EveryFormatOpensAndKeepsItsShowOptions)
{
    for (const auto& [name, format, longAdvanceReadBackS] : kDecks) {
        SCOPED_TRACE(name);
        const QString copy = s_folder->path(QStringLiteral("options-") + name);
        ASSERT_TRUE(QFile::copy(s_folder->path(name), copy));
        DocumentPtr opened = open(copy);
        ASSERT_TRUE(opened);
        EXPECT_TRUE(
            opened->setShowOptions({true, Manual, {{true, 5}, {false, 0}, {true, 125}}}).ok());
        EXPECT_TRUE(opened->save().ok() && opened->close().ok());

        opened = open(copy);
        ASSERT_TRUE(opened);
        const SlideShowOptions read = opened->showOptions().valueOr(SlideShowOptions());
        EXPECT_TRUE(opened->close().ok());
        EXPECT_TRUE(read.loopUntilStopped && read.advanceMode == Manual);
        ASSERT_EQ(read.slides.size(), 3);
        EXPECT_EQ(read.slides[0], (SlideShowOptions::SlideAdvance{true, 5}));
        EXPECT_FALSE(read.slides[1].onTime);
        EXPECT_EQ(read.slides[2], (SlideShowOptions::SlideAdvance{true, longAdvanceReadBackS}));
    }
}

// A presenter moving a visible show by keys and ending it with Escape, the show in front:
// e2e.play_mode.
TEST_F(LibreOfficeAppTest, ShowRunsMovesToASlideAndClosesWhileItRuns)
{
    // Loaded hidden on purpose: a show from a hidden document must not bring the office down.
    const DocumentPtr doc = openDeck(Visibility::Hidden);
    ASSERT_TRUE(doc);
    const auto reaches = [&](int slide) {
        return QTest::qWaitFor([&] { return doc->currentSlide().valueOr(0) == slide; }, 5000);
    };
    const auto started = doc->runShow();
    ASSERT_TRUE(started.ok()) << started.error().toStdString();
    EXPECT_TRUE(doc->isShowRunning().valueOr(false));
    EXPECT_TRUE(reaches(1));
    ASSERT_TRUE(doc->goToSlide(3).ok());
    EXPECT_TRUE(reaches(3));
    EXPECT_FALSE(doc->goToSlide(4).ok());
    EXPECT_EQ(doc->currentSlide().valueOr(0), 3);
    ASSERT_TRUE(doc->close().ok());
    EXPECT_FALSE(doc->isShowRunning().ok());
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
}

// Play mode's start: every presentation saved and closed, the office ended and started anew.
TEST_F(LibreOfficeAppTest, SaveAndCloseAllKeepsChangesAndUntitledPresentationsThenQuit)
{
    TestFolder work;
    const QString copy = work.path("changed.odp");
    ASSERT_TRUE(QFile::copy(s_folder->path("deck.odp"), copy));
    const DocumentPtr changed = open(copy, Visibility::Visible);
    ASSERT_TRUE(changed);
    SlideShowOptions options = changed->showOptions().value();
    options.loopUntilStopped = !options.loopUntilStopped;
    ASSERT_TRUE(changed->setShowOptions(options).ok());
    const QStringList pictures = ColourPictures::write(work, kSlideColours);
    ASSERT_TRUE(s_app->buildFromPictures(pictures, Visibility::Visible).ok());
    const QString documents = work.path("Documents");
    ASSERT_TRUE(QDir().mkpath(documents));
    QFile taken(documents + "/Presentation.odp");
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly)); // an earlier one is never replaced

    const auto closed = s_app->saveAndCloseAll(documents);
    ASSERT_TRUE(closed.ok()) << closed.error().toStdString();
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
    EXPECT_EQ(taken.size(), 0);
    ASSERT_TRUE(s_app->quit().ok());
    EXPECT_FALSE(s_app->isRunning());

    const DocumentPtr reopened = open(copy);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->showOptions().value().loopUntilStopped, options.loopUntilStopped);
    const DocumentPtr untitled = open(documents + "/Presentation 2.odp");
    ASSERT_TRUE(untitled);
    EXPECT_EQ(untitled->slideCount().valueOr(0), kSlideColours.size());
    EXPECT_TRUE(s_app->closeAll().ok());
}

// Files that are no presentation, or half of one: e2e.bad_talks.
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
    for (const auto visibility : {Visibility::Hidden, Visibility::Visible}) {
        const DocumentPtr opened = open(copy, visibility);
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->slideCount().valueOr(-1), 3);
        // Opened read-only past the lock: writing back must fail loudly, not vanish.
        EXPECT_FALSE(opened->save().ok());
        EXPECT_TRUE(opened->close().ok());
    }

    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
    EXPECT_TRUE(s_app->isRunning());
}

// Stuck, or stopped while play mode ends: each time the office is noticed gone and replaced.
// Killed during a show: e2e.play_mode.
TEST_F(LibreOfficeAppTest, OfficeHungOrStoppedIsReportedReplacedAndQuitAtOnce)
{
    const DocumentPtr stuck = openDeck(Visibility::Hidden);
    ASSERT_TRUE(stuck);
    const qint64 stuckPid = s_app->officeProcessId();
    ASSERT_EQ(::kill(pid_t(stuckPid), SIGSTOP), 0);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(stuck->slideCount().ok());
    EXPECT_LT(timer.elapsed(), 10000);
    // The stuck office was ended so that the worker is free again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return s_app->officeProcessId() != stuckPid; }, 10000));
    expectFreshOffice(stuckPid);

    // Leaving play mode while the office is stopped (the show watcher asking at that moment):
    // the setup window is back at once, and the next presentation gets a new office.
    const DocumentPtr shown = openDeck(Visibility::Visible);
    ASSERT_TRUE(shown && shown->runShow().ok());
    const qint64 stoppedPid = s_app->officeProcessId();
    ASSERT_EQ(::kill(pid_t(stoppedPid), SIGSTOP), 0);
    timer.restart();
    auto watcher = std::async(std::launch::async, [&] { return shown->isShowRunning(); });
    EXPECT_TRUE(s_app->quit().ok());
    EXPECT_FALSE(watcher.get().ok());
    EXPECT_FALSE(shown->slideCount().ok());
    EXPECT_LT(timer.elapsed(), 1000);
    expectFreshOffice(stoppedPid);
}

} // namespace
