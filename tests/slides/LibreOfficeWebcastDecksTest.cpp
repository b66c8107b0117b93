#include "platform/libreoffice/LibreOfficeApp.h"
#include "slides/LiveCastExport.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/TestFolder.h"

#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 120000;

LiveCastExport::Result exportEvent(LiveCastExport& job, const LiveCastExport::Request& request,
                                   bool cancelAtFirstSpeaker)
{
    QSignalSpy finished(&job, &LiveCastExport::finished);
    const QMetaObject::Connection canceller = QObject::connect(
        &job, &LiveCastExport::statusChanged, [&job, cancelAtFirstSpeaker](const QString& status) {
            if (cancelAtFirstSpeaker && status == LiveCastExport::groupStatus("Ann"))
                job.cancel();
        });
    EXPECT_TRUE(job.start(request));
    EXPECT_TRUE(finished.wait(kWaitMs));
    QObject::disconnect(canceller);
    return finished.isEmpty() ? LiveCastExport::Result()
                              : finished.first().first().value<LiveCastExport::Result>();
}

} // namespace

// Several decks through the real office, each opened while the one before is still being drawn:
// every slide ends up under its own deck's names, whichever deck was readied ahead, and no deck
// stays open, also when the export is cancelled with the next one already open.
TEST(LibreOfficeWebcastDecks, EachDeckKeepsItsOwnSlidesAndNoneStaysOpen)
{
    TestFolder folder;
    LibreOfficeApp office(QString(), folder.path("lo-profile"), LibreOfficeApp::Display::Headless);
    ASSERT_TRUE(office.isAvailable());
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
    request.speakers = {{0, "Ann", folder.path("a.pptx")},
                        {1, "Bo", folder.path("b.pptx")},
                        {2, "Cy", folder.path("a.pptx")}};
    request.rollingPath = folder.path("b.pptx");
    LiveCastExport::Result result = exportEvent(job, request, false);
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

    // Cancelled during the first deck, with the second one being opened ahead.
    result = exportEvent(job, request, true);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(QFile::exists(request.liveCastFolder + "/Bo"));
    EXPECT_EQ(office.openPresentationCount().value(), 0);
}
