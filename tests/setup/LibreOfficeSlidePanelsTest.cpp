#include "ColourPictures.h"
#include "FakeClipboardService.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "HoldingSlide.h"
#include "LibreOfficeApp.h"
#include "MimeTransfer.h"
#include "PopUpSlots.h"
#include "TestFolder.h"
#include "frmPreview.h"
#include "frmSetup.h"

#include <QDir>
#include <QMimeData>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <
           60;
}

QRgb centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

// A twelve-slide deck dropped on the holding slide of the real window: slide 1 at once, the
// progress in the status bar, the preview; then slide 4 into the pop-up keyed 5.
TEST(LibreOfficeSlidePanelsTest, TwelveSlidesOnTheHoldingSlideThenSlideFourIntoPopUpFive)
{
    const QList<QRgb> colours = ColourPictures::colours(12);
    TestFolder folder;
    LibreOfficeApp app(QString(), folder.path("lo-profile"), LibreOfficeApp::Display::Headless);
    ASSERT_TRUE(app.isAvailable());
    const QString deck = folder.path("Twelve.pptx");
    const QString built = ColourPictures::buildDeck(app, folder, colours, deck);
    ASSERT_TRUE(built.isEmpty()) << built.toStdString();

    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakeClipboardService clipboard;
    frmSetup setup(messages, dialogs);
    EventDocument& doc = setup.document();
    doc.RunFolder = folder.path("run");
    doc.SlideImageFormat = "JPG";
    QDir().mkpath(doc.RunFolder);
    setup.buildSlides(messages, dialogs, clipboard, app);
    QStringList progress;
    QObject::connect(setup.statusBar(), &QStatusBar::messageChanged,
                     [&progress](const QString& text) { progress << text; });

    QMimeData dropped;
    MimeTransfer::putFileList(&dropped, {deck});
    setup.holdingSlide()->drop(&dropped);
    ASSERT_TRUE(QTest::qWaitFor([&] { return setup.preview() != nullptr; }, 90000));
    EXPECT_TRUE(near(centre(doc.ImgHoldingFull), colours[0]));
    EXPECT_TRUE(progress.contains("Extracting - 0%"));
    EXPECT_TRUE(progress.contains("Extracting - 50%"));
    EXPECT_TRUE(progress.contains("Extracting - 100%"));
    EXPECT_EQ(setup.preview()->slideCount(), 12);

    setup.sections()->setCurrentIndex(2);
    setup.popUpSlots()->select(4);
    setup.preview()->scrollBar()->setValue(4);
    setup.preview()->ComInsert_Click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return doc.PopUps[4].isUsed() && near(centre(doc.PopUps[4].Full), colours[3]); },
        30000));
    EXPECT_EQ(doc.PopUps[4].Name, "PopUp");
    EXPECT_TRUE(near(centre(doc.PopUps[4].Thumb), colours[3]));
    EXPECT_TRUE(near(centre(doc.ImgHoldingFull), colours[0]));

    // Closing the preview closes the presentation.
    setup.preview()->close();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return app.openPresentationCount().valueOr(-1) == 0; }, 10000));
}
