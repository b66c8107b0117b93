#include "document/EventDocument.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "slides/LiveCastExport.h"
#include "slides/PdfConverter.h"
#include "slides/PopUpSlideImporter.h"
#include "slides/SlideExtractor.h"
#include "slides/TemplateMaker.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTime>

#include <tuple>

#include <gtest/gtest.h>

namespace {

// The first job may have to start the office with a new profile.
constexpr int kWaitMs = 120000;
const QSize kThumbnail(200, 150);
const QSize kFullScreen(800, 600);
const QList<QRgb> kSlideColours = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(40, 60, 220)};

// One headless soffice for all tests, as the program uses for its exports: starting it takes
// seconds. The deck is generated through the back end from pictures of one colour per slide,
// so exported slides can be told apart.
class LibreOfficeSlidesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TestFolder;
        s_app = new LibreOfficeApp(QString(), s_folder->path("lo-profile"),
                                   LibreOfficeApp::Display::Headless);
        ASSERT_TRUE(s_app->isAvailable());
        const QString error = ColourPictures::buildDeck(*s_app, *s_folder, kSlideColours, deck());
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }

    static void TearDownTestSuite()
    {
        delete s_app;
        delete s_folder;
    }

    static QString deck() { return s_folder->path("deck.pptx"); }
    static QString run(const QString& name) { return s_folder->path("run/" + name); }

    static void expectImage(const QString& path, QSize size, int slide)
    {
        SCOPED_TRACE(path.toStdString());
        QImage image;
        ASSERT_TRUE(image.load(path));
        EXPECT_EQ(image.size(), size);
        EXPECT_TRUE(ColourPictures::near(ColourPictures::centre(image), kSlideColours[slide - 1]));
    }

    static inline TestFolder* s_folder = nullptr;
    static inline LibreOfficeApp* s_app = nullptr;
};

// Every format of the menu at the exact sizes, with the preview's thumbnails; then a pick from
// the preview, from the deck kept open until the preview is done with.
TEST_F(LibreOfficeSlidesTest, ExtractsEverySlideInEveryFormatAtTheExactSizes)
{
    SlideExtractor extractor(*s_app);
    SlideExtractor::Result result;
    QObject::connect(&extractor, &SlideExtractor::finished,
                     [&result](const SlideExtractor::Result& r) { result = r; });
    QSignalSpy finished(&extractor, &SlideExtractor::finished);
    for (const SlideFormat format : {SlideFormat::Bmp, SlideFormat::Gif, SlideFormat::Emf,
                                     SlideFormat::Wmf, SlideFormat::Jpg}) {
        const QString code = slideFormatCode(format);
        SCOPED_TRACE(code.toStdString());
        ASSERT_TRUE(
            extractor.start({deck(), s_folder->path("run"), format, kThumbnail, kFullScreen}));
        ASSERT_TRUE(finished.wait(kWaitMs));
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.slideCount, 3);
        const QString full = run("slide1." + code);
        EXPECT_EQ(result.fullImagePath, full);
        if (code == "EMF" || code == "WMF") {
            // Metafiles have no pixel size to check; they must at least hold something.
            EXPECT_GT(QFile(full).size(), 0);
        } else {
            expectImage(full, kFullScreen, 1);
        }
        expectImage(run("slide1.bmp"), kThumbnail, 1);
        for (int slide = 1; slide <= 3; ++slide)
            expectImage(run(QStringLiteral("Preview/Slide%1.bmp").arg(slide)), kThumbnail, slide);
    }
    QSignalSpy chosen(&extractor, &SlideExtractor::chosenSlideExported);
    ASSERT_TRUE(extractor.startChosenSlideExport(3));
    ASSERT_TRUE(chosen.wait(kWaitMs));
    EXPECT_EQ(chosen[0][1].toString(), "");
    expectImage(chosen[0][0].toString(), kFullScreen, 3);
    extractor.releaseWorkPresentation();
    EXPECT_TRUE(
        QTest::qWaitFor([] { return s_app->openPresentationCount().valueOr(-1) == 0; }, kWaitMs));
}

TEST_F(LibreOfficeSlidesTest, ConvertsToPdfAndPassesOverWhatCannotBeOpened)
{
    // No PDF exists yet, so no question may come: the fake fails the test on one.
    FakeMessageService messages;
    PdfConverter converter(*s_app, messages);
    PdfConverter::Outcome outcome;
    QObject::connect(&converter, &PdfConverter::finished,
                     [&outcome](const PdfConverter::Outcome& o) { outcome = o; });
    EventDocument event;
    event.Speakers.append({"Missing", "gone.pptx", s_folder->path("gone.pptx"), QString()});
    event.Speakers.append({"Keynote", "deck.pptx", deck(), QString()});

    QSignalSpy finished(&converter, &PdfConverter::finished);
    ASSERT_TRUE(converter.convertAll(event));
    ASSERT_TRUE(finished.wait(kWaitMs));

    EXPECT_EQ(outcome.failed, QStringList{s_folder->path("Missing.pdf")});
    EXPECT_EQ(outcome.written, QStringList{s_folder->path("Keynote.pdf")});
    EXPECT_FALSE(QFile::exists(s_folder->path("Missing.pdf")));
    // The office writes each page's object in the clear: one per slide.
    const QString pdf = QString::fromLatin1(s_folder->readFile("Keynote.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 3);
}

// The deck taken in as pop-ups: the default slide format is a metafile, which comes in as a
// raster of the same size.
TEST_F(LibreOfficeSlidesTest, PopUpImportFillsTheFirstThreeSlots)
{
    PopUpSlideImporter importer(*s_app);
    const PopUpSlideImporter::Result result = importer.importSlides(
        {deck(), s_folder->path("popups"), SlideFormat::Emf, QSize(160, 90), QSize(640, 360)});
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 3);
    for (int slot = 0; slot < 3; ++slot) {
        const PopUpSlot& popUp = result.popUps[size_t(slot)];
        ASSERT_EQ(popUp.Thumb.size(), QSize(160, 90));
        ASSERT_EQ(popUp.Full.size(), QSize(640, 360));
        EXPECT_TRUE(ColourPictures::near(ColourPictures::centre(popUp.Full), kSlideColours[slot]));
    }
    EXPECT_FALSE(result.popUps[3].isUsed());
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);
}

// An operator's own template (here a copy of the three-slide deck) is kept.
TEST_F(LibreOfficeSlidesTest, TemplatesAreMadeOnlyWhereMissingAndNeverHalfOfOne)
{
    TestFolder app;
    ASSERT_TRUE(QFile::copy(deck(), app.path("ppt.ppt")));
    TemplateMaker maker(*s_app);
    QSignalSpy finished(&maker, &TemplateMaker::finished);
    ASSERT_TRUE(maker.start(app.folder(), app.writeFile("dtitle", "damaged"), app.path("run")));
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_FALSE(finished.takeFirst().first().toString().isEmpty());
    EXPECT_EQ(TemplateMaker::missingTemplates(app.folder()).size(), 2);

    // The deck's first picture stands in for the holding slide.
    ASSERT_TRUE(maker.start(app.folder(), s_folder->path("picture1.png"), app.path("run")));
    EXPECT_FALSE(maker.start(app.folder(), s_folder->path("picture1.png"), app.path("run")));
    ASSERT_TRUE(finished.wait(kWaitMs));
    ASSERT_EQ(finished.first().first().toString(), "");
    for (const QString& name : TemplateMaker::TemplateNames) {
        const auto opened = s_app->open(app.path(name), PresentationApp::Visibility::Hidden);
        ASSERT_TRUE(opened.ok()) << name.toStdString() << ": " << opened.error().toStdString();
        EXPECT_EQ(opened.value()->slideCount().valueOr(0), name == "ppt.ppt" ? 3 : 1)
            << name.toStdString();
        opened.value()->close();
    }
    EXPECT_TRUE(QDir(app.path("run")).entryList(QDir::Files).isEmpty());
}

// Several decks through the real office, each opened while the one before is still being drawn:
// every slide is its own 1024 by 768 JPEG under its own deck's names, whichever deck was readied
// ahead, and no deck stays open (a cancelled export: LiveCastExportTest). A wide holding picture
// fills its JPEG from corner to corner (a red left half and a blue right half stay halves).
TEST_F(LibreOfficeSlidesTest, TheWebcastExportFillsEveryPictureAndKeepsEachDecksOwnSlides)
{
    TestFolder folder;
    LibreOfficeApp& office = *s_app;
    const QList<QRgb> colours = ColourPictures::colours(5);
    const QList<QRgb> first = colours.mid(0, 2);
    const QList<QRgb> second = colours.mid(2, 3);
    TestFolder pictures;
    ASSERT_EQ(ColourPictures::buildDeck(office, pictures, first, folder.path("a.pptx")), "");
    ASSERT_EQ(ColourPictures::buildDeck(office, pictures, second, folder.path("b.pptx")), "");

    LiveCastExport job(office, [](const QString& stem, QString*) {
        return QFile::copy(stem + ".jpg", stem + ".swf");
    });
    LiveCastExport::Request request;
    request.liveCastFolder = folder.path("veskCast");
    request.startedAt = QTime(9, 0, 0);
    QImage wide(1600, 900, QImage::Format_RGB32);
    wide.fill(kSlideColours[0]);
    QPainter(&wide).fillRect(800, 0, 800, 900, QColor(kSlideColours[2]));
    request.holding = wide;
    request.speakers = {{0, "Ann", folder.path("a.pptx")},
                        {1, "Bo", folder.path("b.pptx")},
                        {2, "Cy", folder.path("a.pptx")}};
    request.rollingPath = folder.path("b.pptx");
    QSignalSpy finished(&job, &LiveCastExport::finished);
    ASSERT_TRUE(job.start(request));
    ASSERT_TRUE(finished.wait(kWaitMs));
    const auto result = finished.first().first().value<LiveCastExport::Result>();
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_TRUE(result.conversionErrors.isEmpty());
    const auto expectSlides = [&](const QString& prefix, const QList<QRgb>& deck) {
        for (int slide = 1; slide <= deck.size() + 1; ++slide) {
            const QString path =
                request.liveCastFolder + prefix + QString::number(slide) + "090000.jpg";
            SCOPED_TRACE(path.toStdString());
            if (slide > deck.size()) {
                EXPECT_FALSE(QFile::exists(path));
                continue;
            }
            const QImage image(path);
            ASSERT_EQ(image.size(), QSize(1024, 768));
            EXPECT_TRUE(ColourPictures::near(ColourPictures::centre(image), deck[slide - 1]));
        }
    };
    expectSlides("/Ann/", first);
    expectSlides("/Bo/", second);
    expectSlides("/Cy/", first);
    expectSlides("/r", second);
    EXPECT_EQ(office.openPresentationCount().value(), 0);
    const QImage holding(request.liveCastFolder + "/h090000.jpg");
    ASSERT_EQ(holding.size(), QSize(1024, 768));
    for (const auto& [x, y, colour] :
         {std::tuple{8, 8, 0}, {500, 760, 0}, {530, 8, 2}, {1015, 760, 2}})
        EXPECT_TRUE(ColourPictures::near(holding.pixel(x, y), kSlideColours[colour]))
            << x << "," << y;
}

} // namespace
