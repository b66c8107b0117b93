#include "slides/SlideExtractor.h"
#include "document/EventDocument.h"
#include "platform/fake/FakePresentationDocument.h"
#include "slides/PdfConverter.h"
#include "slides/PopUpSlideImporter.h"
#include "slides/TemplateMaker.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;
const QSize kThumbnail(160, 120);
const QSize kFullScreen(640, 480);

// The slide jobs on the scripted presentation program; the extractor's signals are recorded.
class SlideJobsTest : public ::testing::Test
{
protected:
    SlideJobsTest()
    {
        QObject::connect(&m_extractor, &SlideExtractor::firstSlideReady,
                         [this](const QString& thumbnail, const QString& full) {
                             events << "first " + thumbnail + " " + full;
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
    SlideExtractor m_extractor{m_app};
    QStringList events;
    SlideExtractor::Result result;
};

TEST_F(SlideJobsTest, SlideOneComesFirstThenThePreviewAndANewJobReplacesTheKeptPresentation)
{
    ASSERT_TRUE(extract(request(presentation("talk.pptx", 3), SlideFormat::Jpg)));
    EXPECT_EQ(events, QStringList({"first " + run("slide1.bmp") + " " + run("slide1.JPG"),
                                   "Extracting - 0%", "Extracting - 33%", "Extracting - 66%",
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

    // The presentation stays open for picks from the preview (LibreOfficeSlidesTest) until the
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
    // Released once the preview is done with: LibreOfficeSlidesTest, SetupWindowTest.
    EXPECT_FALSE(m_app.lastOpened() || m_extractor.startChosenSlideExport(1));
}

// Pop-ups from a presentation: its first ten slides, in order; a slide that cannot be read back
// ends the import, keeping the slots filled before it.
TEST_F(SlideJobsTest, PopUpImportTakesTheFirstTenSlidesAndThePdfBatchAsksAboutOldPdfs)
{
    PopUpSlideImporter importer(m_app);
    const PopUpSlideImporter::Request request{presentation("deck.pptx", 12),
                                              m_folder.path("run"),
                                              SlideFormat::Gif,
                                              {80, 60},
                                              {320, 240}};
    QList<int> reported;
    PopUpSlideImporter::Result imported =
        importer.importSlides(request, [&](int slot) { reported << slot; });
    EXPECT_TRUE(imported.ok()) << imported.error.toStdString();
    // Names and full pictures through the menu: PopUpsFileCommandsTest.
    EXPECT_EQ(imported.imported, 10);
    EXPECT_EQ(reported, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(imported.popUps[0].Thumb.size(), QSize(80, 60));
    EXPECT_EQ(imported.popUps[9].Thumb.pixel(1, 1), FakePresentationDocument::colourOf(10));
    PopUpSlideImporter::Request sizeless = request;
    sizeless.fullScreenPx = QSize();
    EXPECT_EQ(importer.importSlides(sizeless, {}).error, "The image sizes must be positive");

    // The full-size picture, then the thumbnail, goes nowhere: written, but nothing to read back.
    for (const char* picture : {"slide1.GIF", "slide1.bmp"}) {
        QFile::remove(run(picture));
        ASSERT_TRUE(QFile::link("/dev/null", run(picture)));
        imported = importer.importSlides(request, {});
        EXPECT_EQ(imported.error, "Slide 1 could not be read back") << picture;
        EXPECT_EQ(imported.imported, 0);
        EXPECT_TRUE(imported.popUps[0].Full.isNull() && imported.popUps[0].Thumb.isNull());
        QFile::remove(run(picture));
    }

    // The PDF batch replaces an old PDF on Yes, skips it on No, goes on after failures and stops on
    // Cancel.
    FakeMessageService messages;
    PdfConverter converter(m_app, messages);
    PdfConverter::Outcome outcome;
    QObject::connect(&converter, &PdfConverter::finished,
                     [&](const PdfConverter::Outcome& ended) { outcome = ended; });
    const auto ended = [&] { return QSignalSpy(&converter, &PdfConverter::finished).wait(10000); };
    EventDocument event; // each speaker's talk in a folder of its own, old PDFs beside three
    const char* names[] = {"Broken", "Skipped", "Replaced", "Stopper", "Never"};
    for (int i = 0; i < 5; ++i) {
        const QString folder = QString(QChar('A' + i)) + '/';
        event.Speakers.append(
            {names[i], {}, presentation(folder + names[i] + " talk.pptx", 3), {}});
        if (i >= 1 && i <= 3)
            m_folder.writeFile(folder + names[i] + ".pdf", "old");
    }
    m_app.failToOpen(event.Speakers[0].FilePath);
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Cancel})
        messages.queueAnswer(answer);

    ASSERT_TRUE(converter.convertAll(event));
    EXPECT_FALSE(converter.convertSpeaker(event.Speakers[4]));
    EXPECT_FALSE(converter.convertAll(event)) << "one batch at a time";
    ASSERT_TRUE(ended());
    EXPECT_FALSE(converter.convertAll(EventDocument())) << "no speakers, no batch";
    EXPECT_EQ(messages.texts().first(),
              "PDF File 'Skipped.pdf' already exists.\nDo you want to replace it?");
    EXPECT_EQ(messages.lastIcon(), MsgIcon::Question);
    EXPECT_EQ(messages.unusedAnswers(), 0);
    EXPECT_EQ(outcome.failed, QStringList{m_folder.path("A/Broken.pdf")});
    EXPECT_EQ(outcome.written, QStringList{m_folder.path("C/Replaced.pdf")});
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(m_folder.readFile("B/Skipped.pdf"), "old");
    EXPECT_TRUE(m_folder.readFile("C/Replaced.pdf").startsWith("fake presentation"));
    EXPECT_FALSE(QFile::exists(m_folder.path("E/Never.pdf")) || m_app.lastOpened());

    // One speaker on their own, with no old PDF in the way; an event of one speaker.
    ASSERT_TRUE(converter.convertSpeaker(event.Speakers[4]));
    ASSERT_TRUE(ended());
    EXPECT_EQ(outcome.written, QStringList{m_folder.path("E/Never.pdf")});
    EventDocument alone;
    alone.Speakers.append(event.Speakers[0]);
    ASSERT_TRUE(converter.convertAll(alone));
    ASSERT_TRUE(ended());
    EXPECT_EQ(outcome.failed, QStringList{m_folder.path("A/Broken.pdf")});
}

// The templates are written whole or not at all: one that cannot take its place is reported.
TEST_F(SlideJobsTest, TemplatesAndSlideJobsThatFailAreReportedAndLeaveNothing)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(m_folder.path("slide.png")));
    TemplateMaker maker(m_app);
    QSignalSpy finished(&maker, &TemplateMaker::finished);
    const auto make = [&](const char* folder) {
        return maker.start(m_folder.path(folder), m_folder.path("slide.png"), run(""));
    };
    ASSERT_TRUE(make("gone/"));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(finished.takeFirst().first().toString(),
              "The template " + m_folder.path("gone/ppt.pptx") + " cannot be written.");
    EXPECT_TRUE(QDir(run("")).isEmpty());

    QDir().mkpath(m_folder.path("app"));
    ASSERT_TRUE(make("app/"));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(finished.takeFirst().first().toString(), "");
    EXPECT_TRUE(TemplateMaker::missingTemplates(m_folder.path("app/")).isEmpty());
    EXPECT_FALSE(make("app/")) << "nothing is missing";

    // Slide jobs that fail end with a message and leave nothing open.
    const auto fails = [this](const SlideExtractor::Request& request, const QString& mentions) {
        SCOPED_TRACE(request.presentationPath.toStdString());
        ASSERT_TRUE(extract(request));
        EXPECT_TRUE(!result.ok() && result.error.contains(mentions)) << result.error.toStdString();
        EXPECT_FALSE(m_extractor.hasWorkPresentation() || m_app.lastOpened());
    };
    const QString good = presentation("good.pptx", 2);
    fails(request(m_folder.path("gone.pptx"), SlideFormat::Emf), "gone.pptx");
    fails(request(presentation("empty.pptx", 0), SlideFormat::Emf), "empty.pptx has no slides");
    fails({good, run(""), SlideFormat::Bmp, QSize(), kFullScreen}, "sizes must be positive");
    EXPECT_FALSE(QFile::exists(run("slide1.bmp")));
    // A program that is gone is a failure too, not a wait.
    m_app.setAvailable(false);
    fails(request(good, SlideFormat::Emf), "good.pptx");
}

} // namespace
