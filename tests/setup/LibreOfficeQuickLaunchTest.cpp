#include "ColourPictures.h"
#include "LibreOfficeApp.h"
#include "QuickLaunchProperties.h"
#include "TestFolder.h"
#include "frmQLProperties.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

// The settings that the properties window writes must be inside the file: a deck generated
// through the office, changed through the window, saved as .pptx and opened again.
TEST(LibreOfficeQuickLaunchTest, PropertiesSurviveSavingAndReopening)
{
    const QList<QRgb> colours = ColourPictures::colours(3);
    TestFolder folder;
    LibreOfficeApp app(QString(), folder.path("lo-profile"), LibreOfficeApp::Display::Headless);
    ASSERT_TRUE(app.isAvailable());
    const QString deck = folder.path("Rolling.pptx");
    const QString built = ColourPictures::buildDeck(app, folder, colours, deck);
    ASSERT_TRUE(built.isEmpty()) << built.toStdString();

    {
        frmQLProperties window(app, deck);
        EXPECT_EQ(window.fileName()->text(), "Rolling.pptx");
        window.loop()->setChecked(true);
        window.advance()->setChecked(true);
        window.delay()->setText(QStringLiteral("02:05"));
        window.TxtDelay_LostFocus();
        EXPECT_EQ(window.delaySpinner()->value(), 125);
        window.ComOk_Click();
        ASSERT_TRUE(window.okStatus().ok()) << window.okStatus().error().toStdString();
    }
    EXPECT_EQ(app.openPresentationCount().valueOr(-1), 0);

    const auto reopened = app.open(deck, PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    const auto options = reopened.value()->showOptions();
    ASSERT_TRUE(options.ok()) << options.error().toStdString();
    EXPECT_TRUE(options.value().loopUntilStopped);
    EXPECT_EQ(options.value().advanceMode, SlideShowOptions::AdvanceMode::SlideTimings);
    ASSERT_EQ(options.value().slides.size(), colours.size());
    for (const SlideShowOptions::SlideAdvance& slide : options.value().slides) {
        EXPECT_TRUE(slide.onTime);
        EXPECT_EQ(slide.advanceTimeS, 125);
    }
    reopened.value()->close();

    // The window reads back what it wrote.
    QuickLaunchProperties properties(app);
    properties.load(deck);
    EXPECT_TRUE(properties.fields().loop);
    EXPECT_TRUE(properties.fields().advance);
    EXPECT_EQ(properties.fields().delayText, "02:05");
    properties.cancel();
    EXPECT_EQ(app.openPresentationCount().valueOr(-1), 0);
}
