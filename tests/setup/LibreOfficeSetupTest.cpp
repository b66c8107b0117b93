#include "platform/libreoffice/LibreOfficeApp.h"
#include "setup/widgets/frmQLProperties.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/TestFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

// The settings that the properties window writes must be inside the file: changed through the
// window (the delay typed, then the field left), saved as .pptx and opened again.
TEST(LibreOfficeSetupTest, QuickLaunchPropertiesSurviveSavingAndReopening)
{
    TestFolder folder;
    LibreOfficeApp office(QString(), folder.path("lo-profile"), LibreOfficeApp::Display::Headless);
    ASSERT_TRUE(office.isAvailable());
    const QString path = folder.path("Rolling.pptx");
    const QString error =
        ColourPictures::buildDeck(office, folder, ColourPictures::colours(3), path);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    {
        QuickLaunchProperties properties(office);
        frmQLProperties window(properties, path);
        QSignalSpy loaded(&properties, &QuickLaunchProperties::loaded);
        QSignalSpy saved(&properties, &QuickLaunchProperties::saved);
        ASSERT_TRUE(loaded.wait(30000));
        window.loop()->setChecked(true);
        window.advance()->setChecked(true);
        window.delay()->setText(QStringLiteral("02:05"));
        window.TxtDelay_LostFocus();
        window.ComOk_Click();
        ASSERT_TRUE(saved.wait(30000));
        ASSERT_TRUE(window.okStatus().ok()) << window.okStatus().error().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !properties.isBusy(); }, 30000));
    }
    EXPECT_EQ(office.openPresentationCount().valueOr(-1), 0);

    const auto reopened = office.open(path, PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    const SlideShowOptions options = reopened.value()->showOptions().valueOr(SlideShowOptions());
    reopened.value()->close();
    EXPECT_EQ(options, (SlideShowOptions{true,
                                         SlideShowOptions::AdvanceMode::SlideTimings,
                                         {{true, 125}, {true, 125}, {true, 125}}}));
}
