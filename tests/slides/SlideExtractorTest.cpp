#include "slides/SlideExtractor.h"
#include "document/EventDocument.h"
#include "slides/PdfConverter.h"
#include "slides/PopUpSlideImporter.h"
#include "slides/TemplateMaker.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FakePresentationApp.h"
#include "tests/fakes/FakePresentationDocument.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;
const QSize kThumbnail(160, 120);
const QSize kFullScreen(640, 480);

class SlideExtractorTest : public ::testing::Test
{
protected:
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

    SlideExtractor::Request request(const QString& path, SlideFormat format)
    {
        return {path, m_folder.path("run"), format, kThumbnail, kFullScreen};
    }

    bool extract(const SlideExtractor::Request& request)
    {
        events.clear();
        QSignalSpy finished(&m_extractor, &SlideExtractor::finished);
        return m_extractor.start(request) && finished.wait(kWaitMs);
    }

    QString run(const QString& name) const { return m_folder.path("run/" + name); }

    TestFolder m_folder;
    FakePresentationApp m_app;
    SlideExtractor m_extractor;
    QStringList events;
    SlideExtractor::Result result;
};

TEST_F(SlideExtractorTest, SlideOneComesFirstThenThePreviewAndANewJobReplacesTheKeptPresentation)
{
    ASSERT_TRUE(extract(request(presentation("talk.pptx", 3), SlideFormat::Jpg)));
    const QString first = QStringLiteral("first ") + run("slide1.bmp") + " " + run("slide1.JPG");
    EXPECT_EQ(events, QStringList({first, "Extracting - 0%", "Extracting - 33%", "Extracting - 66%",
                                   "Extracting - 100%"}));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.span, SlideExtractor::SlideSpan::Several);
    EXPECT_EQ(result.previewPaths,
              QStringList({run("Preview/Slide1.bmp"), run("Preview/Slide2.bmp"),
                           run("Preview/Slide3.bmp")}));
    // 29 / 100 * 100 in floating point is 28.999...
    EXPECT_EQ(SlideExtractor::progressText(29, 100), "Extracting - 29%");
    EXPECT_EQ(SlideExtractor::progressText(1, 1) + SlideExtractor::progressText(0, 0),
              "Extracting - 100%Extracting - 0%");

    // The presentation stays open for picks from the preview (LibreOfficeSetupTest) until the
    // next job.
    const std::shared_ptr<FakePresentationDocument> kept = m_app.lastOpened();
    ASSERT_TRUE(kept && m_extractor.hasWorkPresentation());

    QSignalSpy finished(&m_extractor, &SlideExtractor::finished);
    events.clear();
    ASSERT_TRUE(m_extractor.start(request(presentation("single.ppt", 1), SlideFormat::Gif)));
    // One job at a time: a second start while busy is refused, not queued.
    EXPECT_FALSE(m_extractor.start(request(kept->path(), SlideFormat::Emf)));
    EXPECT_FALSE(m_extractor.startChosenSlideExport(1));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_FALSE(kept->isOpen());
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.span, SlideExtractor::SlideSpan::One);
    EXPECT_EQ(result.fullImagePath, run("slide1.GIF"));
    EXPECT_TRUE(result.previewPaths.isEmpty());
    EXPECT_EQ(events.size(), 1) << "no progress for one slide";
    EXPECT_FALSE(m_app.lastOpened());
    EXPECT_FALSE(m_extractor.startChosenSlideExport(1));
}

TEST_F(SlideExtractorTest, FailuresEndWithAMessageAndLeaveNothingOpen)
{
    const auto fails = [this](const SlideExtractor::Request& request, const QString& mentions) {
        SCOPED_TRACE(request.presentationPath.toStdString());
        ASSERT_TRUE(extract(request));
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(mentions)) << result.error.toStdString();
        EXPECT_FALSE(m_extractor.hasWorkPresentation());
        EXPECT_FALSE(m_app.lastOpened());
    };
    const QString good = presentation("good.pptx", 2);
    fails(request(m_folder.path("gone.pptx"), SlideFormat::Emf), "gone.pptx");
    fails(request(m_folder.writeFile("notes.txt", "text"), SlideFormat::Emf), "notes.txt");
    fails({good, run(""), SlideFormat::Bmp, QSize(), kFullScreen}, "sizes must be positive");
    EXPECT_FALSE(QFile::exists(run("slide1.bmp")));
    // A program that is gone is a failure too, not a wait.
    m_app.setAvailable(false);
    fails(request(good, SlideFormat::Emf), "good.pptx");
}

} // namespace

// Pop-ups from a presentation: its first ten slides, in order; a slide that cannot be read back
// ends the import, keeping the slots filled before it.
TEST(PopUpSlideImporterTest, TheFirstTenSlidesAndWhatCameBeforeAFailure)
{
    TestFolder folder;
    FakePresentationApp app;
    const QString deck = folder.writeFile("deck.pptx", "deck");
    app.addPresentation(deck, 12);
    PopUpSlideImporter importer(app);
    PopUpSlideImporter::Request request{
        deck, folder.path("run"), SlideFormat::Gif, {80, 60}, {320, 240}};
    QList<int> reported;
    PopUpSlideImporter::Result result =
        importer.importSlides(request, [&](int slot) { reported << slot; });
    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 10);
    EXPECT_EQ(reported, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(result.popUps[9].Name, "PopUp");
    EXPECT_EQ(result.popUps[9].Full.pixel(1, 1), FakePresentationDocument::colourOf(10));
    EXPECT_EQ(result.popUps[0].Thumb.size(), QSize(80, 60));
    EXPECT_EQ(result.popUps[9].Thumb.pixel(1, 1), FakePresentationDocument::colourOf(10));

    // The full-size picture, then the thumbnail, goes nowhere: written, but nothing to read back.
    for (const char* picture : {"run/slide1.GIF", "run/slide1.bmp"}) {
        QFile::remove(folder.path(picture));
        ASSERT_TRUE(QFile::link("/dev/null", folder.path(picture)));
        result = importer.importSlides(request, {});
        EXPECT_EQ(result.error, "Slide 1 could not be read back") << picture;
        EXPECT_EQ(result.imported, 0);
        EXPECT_TRUE(result.popUps[0].Full.isNull() && result.popUps[0].Thumb.isNull());
        QFile::remove(folder.path(picture));
    }
}

// The templates are written whole or not at all: one that cannot take its place is reported.
TEST(TemplateMakerTest, TemplatesThatCannotBeWrittenAreReportedAndLeaveNothing)
{
    TestFolder folder;
    FakePresentationApp app;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(folder.path("slide.png")));
    TemplateMaker maker(app);
    QSignalSpy finished(&maker, &TemplateMaker::finished);

    ASSERT_TRUE(maker.start(folder.path("gone/"), folder.path("slide.png"), folder.path("work")));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(
        finished.takeFirst().first().toString().toStdString(),
        ("The template " + folder.path("gone/ppt.pptx") + " cannot be written.").toStdString());
    EXPECT_TRUE(QDir(folder.path("work")).isEmpty());

    QDir().mkpath(folder.path("app"));
    ASSERT_TRUE(maker.start(folder.path("app/"), folder.path("slide.png"), folder.path("work")));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(finished.takeFirst().first().toString(), "");
    EXPECT_TRUE(TemplateMaker::missingTemplates(folder.path("app/")).isEmpty());
    EXPECT_FALSE(maker.start(folder.path("app/"), folder.path("slide.png"), folder.path("work")))
        << "nothing is missing";
}

namespace {

class PdfConverterTest : public ::testing::Test
{
protected:
    PdfConverterTest() : m_converter(m_app, m_messages)
    {
        QObject::connect(&m_converter, &PdfConverter::finished,
                         [this](const PdfConverter::Outcome& outcome) { m_outcome = outcome; });
    }

    SpeakerRecord speaker(const QString& name, const QString& folder)
    {
        const QString path = m_folder.writeFile(folder + "/" + name + " talk.pptx", "deck");
        m_app.addPresentation(path, 3);
        return {name, name + " talk.pptx", path, QString()};
    }

    void oldPdf(const SpeakerRecord& speaker)
    {
        m_folder.writeFile(PdfConverter::pdfPathOf(speaker), "old");
    }

    bool waitForEnd()
    {
        QSignalSpy finished(&m_converter, &PdfConverter::finished);
        return finished.wait(10000);
    }

    TestFolder m_folder;
    FakePresentationApp m_app;
    FakeMessageService m_messages;
    PdfConverter m_converter;
    PdfConverter::Outcome m_outcome;
};

TEST_F(PdfConverterTest, BatchReplacesOnYesSkipsOnNoGoesOnAfterFailuresAndStopsOnCancel)
{
    EventDocument event;
    const QStringList names = {"Broken", "Skipped", "Replaced", "Stopper", "Never"};
    for (qsizetype i = 0; i < names.size(); ++i)
        event.Speakers.append(speaker(names[i], QString(QChar(char16_t(u'A' + i)))));
    m_app.failToOpen(event.Speakers[0].FilePath);
    for (int i = 1; i <= 3; ++i)
        oldPdf(event.Speakers[size_t(i)]);
    m_messages.queueAnswer(MsgAnswer::No);
    m_messages.queueAnswer(MsgAnswer::Yes);
    m_messages.queueAnswer(MsgAnswer::Cancel);

    ASSERT_TRUE(m_converter.convertAll(event));
    EXPECT_FALSE(m_converter.convertSpeaker(event.Speakers[4]));
    EXPECT_FALSE(m_converter.convertAll(event)) << "one batch at a time";
    ASSERT_TRUE(waitForEnd());
    EXPECT_FALSE(m_converter.convertAll(EventDocument())) << "no speakers, no batch";

    EXPECT_EQ(m_messages.texts().first(),
              "PDF File 'Skipped.pdf' already exists.\nDo you want to replace it?");
    EXPECT_EQ(m_messages.lastIcon(), MsgIcon::Question);
    EXPECT_EQ(m_messages.unusedAnswers(), 0);
    EXPECT_EQ(m_outcome.failed, QStringList{m_folder.path("A/Broken.pdf")});
    EXPECT_EQ(m_outcome.written, QStringList{m_folder.path("C/Replaced.pdf")});
    EXPECT_TRUE(m_outcome.cancelled);
    EXPECT_EQ(m_folder.readFile("B/Skipped.pdf"), "old");
    EXPECT_TRUE(m_folder.readFile("C/Replaced.pdf").startsWith("fake presentation"));
    EXPECT_FALSE(QFile::exists(m_folder.path("E/Never.pdf")));
    EXPECT_FALSE(m_app.lastOpened());

    // One speaker on their own, with no old PDF in the way.
    ASSERT_TRUE(m_converter.convertSpeaker(event.Speakers[4]));
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(m_outcome.written, QStringList{m_folder.path("E/Never.pdf")});
}

} // namespace
