#include "ColourPictures.h"
#include "LibreOfficeApp.h"
#include "PopUpSlideImporter.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

// A deck of three slides, generated through the office itself, taken in as pop-ups.
TEST(LibreOfficePopUpImportTest, ThreeSlidesFillTheFirstThreeSlots)
{
    const QList<QRgb> colours = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(40, 60, 220)};
    TestFolder folder;
    LibreOfficeApp app(QString(), folder.path("lo-profile"));
    ASSERT_TRUE(app.isAvailable());
    const QString deck = folder.path("deck.pptx");
    const QString built = ColourPictures::buildDeck(app, folder, colours, deck);
    ASSERT_TRUE(built.isEmpty()) << built.toStdString();

    PopUpSlideImporter importer(app);
    QList<int> progress;
    // The default slide format is a metafile, which comes in as a raster of the same size.
    const PopUpSlideImporter::Result result = importer.importSlides(
        {deck, folder.path("run"), QStringLiteral("EMF"), QSize(160, 90), QSize(640, 360)},
        [&](int slot) { progress << slot; });

    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 3);
    EXPECT_EQ(progress, QList<int>({0, 1, 2}));
    for (int slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(slot);
        const PopUpSlot& popUp = result.popUps[size_t(slot)];
        EXPECT_EQ(popUp.Name, "PopUp");
        ASSERT_EQ(popUp.Thumb.size(), QSize(160, 90));
        ASSERT_EQ(popUp.Full.size(), QSize(640, 360));
        const QRgb got = popUp.Full.pixel(320, 180);
        const QRgb want = colours[slot];
        EXPECT_LT(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                      std::abs(qBlue(got) - qBlue(want)),
                  60);
    }
    for (int slot = 3; slot < 10; ++slot) {
        EXPECT_FALSE(result.popUps[size_t(slot)].isUsed()) << slot;
        EXPECT_EQ(result.popUps[size_t(slot)].Name, PopUpSlot::EmptyName) << slot;
    }
    EXPECT_EQ(app.openPresentationCount().valueOr(-1), 0);
}
