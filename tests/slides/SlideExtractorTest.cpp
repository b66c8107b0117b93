#include "SlideExtractor.h"
#include "ColourPictures.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "TestFolder.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;
const QSize kThumbnail(160, 120);
const QSize kFullScreen(640, 480);

class SlideExtractorTest : public ::testing::Test
{
protected:
    // Everything the extractor tells its user is recorded, in the order it arrives.
    SlideExtractorTest() : m_extractor(m_app)
    {
        QObject::connect(&m_extractor, &SlideExtractor::firstSlideReady,
                         [this](const QString& thumbnail, const QString& full) {
                             events << QStringLiteral("first ") + thumbnail + " " + full;
                         });
        QObject::connect(&m_extractor, &SlideExtractor::progressChanged,
                         [this](const QString& text) { events << text; });
        QObject::connect(&m_extractor, &SlideExtractor::finished,
                         [this](const SlideExtractor::Result& r) { result = r; });
    }

    QString presentation(const QString& name, int slideCount)
    {
        const QString path = m_folder.writeFile(name, "deck");
        m_app.addPresentation(path, slideCount);
        return path;
    }

    SlideExtractor::Request request(const QString& path, const QString& format)
    {
        return {path, m_folder.path("run"), format, kThumbnail, kFullScreen};
    }

    // Runs one extraction to its end, with a bound.
    bool extract(const SlideExtractor::Request& request)
    {
        events.clear();
        QSignalSpy finished(&m_extractor, &SlideExtractor::finished);
        return m_extractor.start(request) && finished.wait(kWaitMs);
    }

    QString run(const QString& name) const { return m_folder.path("run/" + name); }

    static void expectImage(const QString& path, QSize size, int slide)
    {
        SCOPED_TRACE(path.toStdString());
        QImage image;
        ASSERT_TRUE(image.load(path));
        EXPECT_EQ(image.size(), size);
        // JPEG may shift a flat colour slightly.
        EXPECT_TRUE(
            ColourPictures::near(image.pixel(0, 0), FakePresentationDocument::colourOf(slide), 13));
    }

    TestFolder m_folder;
    FakePresentationApp m_app;
    SlideExtractor m_extractor;
    QStringList events;
    SlideExtractor::Result result;
};

TEST_F(SlideExtractorTest, SeveralSlidesGiveSlideOneFirstThenEveryThumbnailWithProgress)
{
    ASSERT_TRUE(extract(request(presentation("talk.pptx", 3), "JPG")));
    const QString first = QStringLiteral("first ") + run("slide1.bmp") + " " + run("slide1.JPG");
    EXPECT_EQ(events, QStringList({first, "Extracting - 0%", "Extracting - 33%", "Extracting - 66%",
                                   "Extracting - 100%"}));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.span, SlideExtractor::SlideSpan::Several);
    EXPECT_EQ(result.slideCount, 3);
    EXPECT_EQ(result.previewPaths,
              QStringList({run("Preview/Slide1.bmp"), run("Preview/Slide2.bmp"),
                           run("Preview/Slide3.bmp")}));

    // The presentation stays open for picks from the preview (SlidePanelsTest) until it closes.
    ASSERT_TRUE(m_extractor.hasWorkPresentation());
    ASSERT_TRUE(m_app.lastOpened());
    QSignalSpy chosen(&m_extractor, &SlideExtractor::chosenSlideExported);
    ASSERT_TRUE(m_extractor.startChosenSlideExport(2));
    ASSERT_TRUE(chosen.wait(kWaitMs));
    EXPECT_TRUE(m_extractor.hasWorkPresentation());
    m_extractor.releaseWorkPresentation();
    EXPECT_FALSE(m_extractor.hasWorkPresentation());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_app.lastOpened(); }, kWaitMs));
    EXPECT_FALSE(m_extractor.startChosenSlideExport(1));
}

// The file name of every format of the menu is checked in LibreOfficeSlidesTest.
TEST_F(SlideExtractorTest, ANewExtractionReplacesTheKeptPresentationAndOneSlideIsReleasedAtOnce)
{
    ASSERT_TRUE(extract(request(presentation("first.pptx", 4), "EMF")));
    const std::shared_ptr<FakePresentationDocument> kept = m_app.lastOpened();
    ASSERT_TRUE(kept);

    QSignalSpy finished(&m_extractor, &SlideExtractor::finished);
    events.clear();
    ASSERT_TRUE(m_extractor.start(request(presentation("single.ppt", 1), "GIF")));
    // One job at a time: a second start while busy is refused, not queued.
    EXPECT_FALSE(m_extractor.start(request(kept->path(), "EMF")));
    EXPECT_FALSE(m_extractor.startChosenSlideExport(1));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_FALSE(kept->isOpen());

    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.span, SlideExtractor::SlideSpan::One);
    EXPECT_EQ(result.slideCount, 1);
    EXPECT_EQ(result.fullImagePath, run("slide1.GIF"));
    EXPECT_TRUE(result.previewPaths.isEmpty());
    EXPECT_EQ(events.size(), 1) << "no progress for one slide";
    EXPECT_FALSE(m_extractor.hasWorkPresentation());
    EXPECT_FALSE(m_app.lastOpened());
    expectImage(run("slide1.GIF"), kFullScreen, 1);
    expectImage(run("slide1.bmp"), kThumbnail, 1);
}

TEST_F(SlideExtractorTest, FailuresEndWithAMessageAndLeaveNothingOpen)
{
    const QString good = presentation("good.pptx", 2);
    const QString locked = presentation("locked.pptx", 2);
    m_app.failToOpen(locked);
    const QString notes = m_folder.writeFile("notes.txt", "plain text");

    struct Case
    {
        const char* what;
        SlideExtractor::Request request;
        QString mentions;
    };
    const Case cases[] = {
        {"missing file", request(m_folder.path("gone.pptx"), "EMF"), "gone.pptx"},
        {"will not open", request(locked, "EMF"), "locked.pptx"},
        {"not a presentation", request(notes, "EMF"), "notes.txt"},
        {"unknown format", request(good, "PNG"), "PNG"},
        {"empty thumbnail", {good, m_folder.path("run"), "EMF", QSize(0, 120), kFullScreen}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(extract(c.request));
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(c.mentions)) << result.error.toStdString();
        EXPECT_FALSE(m_extractor.hasWorkPresentation());
        EXPECT_FALSE(m_app.lastOpened());
    }
    EXPECT_FALSE(QFile::exists(run("slide1.bmp")));

    // A program that is gone is a failure too, not a wait.
    m_app.setAvailable(false);
    ASSERT_TRUE(extract(request(good, "EMF")));
    EXPECT_FALSE(result.ok());
}

TEST(SlideExtractorProgress, PercentIsTheWholePartOfTheExactQuotient)
{
    // 29 / 100 * 100 in floating point is 28.999...
    EXPECT_EQ(SlideExtractor::progressText(29, 100), "Extracting - 29%");
    EXPECT_EQ(SlideExtractor::progressText(57, 100), "Extracting - 57%");
    EXPECT_EQ(SlideExtractor::progressText(200, 200), "Extracting - 100%");
}

} // namespace
