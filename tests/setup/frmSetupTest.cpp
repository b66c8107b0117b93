#include "frmSetup.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "TestFolder.h"

#include <QAction>
#include <QFileInfo>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

class frmSetupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setClosingWindowMs(1);
        options.appFolder = dir.path("app/");
        options.instanceId = 77;
        options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
        options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
    }

    TestFolder dir;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    frmSetup window{messages, dialogs};
    SetupController::StartUpOptions options;
};

} // namespace

TEST_F(frmSetupTest, SectionsMenusAndNamesForAssistiveTechnology)
{
    ASSERT_TRUE(window.startUp(options));
    EXPECT_EQ(window.windowTitle(), "vesk stagor");
    QTabWidget* sections = window.sections();
    ASSERT_EQ(sections->count(), 3);
    EXPECT_EQ(sections->tabText(0), "Main");
    EXPECT_EQ(sections->tabText(1), "Speakers");
    EXPECT_EQ(sections->tabText(2), "Pop Ups");
    EXPECT_EQ(sections->accessibleDescription(), "TabStrip1");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sections->widget(i)->accessibleName(), sections->tabText(i));
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(window.recentAction(i)->isVisible());
    EXPECT_FALSE(window.recentSeparator()->isVisible());
}

TEST_F(frmSetupTest, RecentEntriesAppearAfterSaveAsAndToolbarKeysDispatch)
{
    ASSERT_TRUE(window.startUp(options));
    window.document().Speakers[0].Name = "Ada";
    window.document().SpeakerCount = 1;
    dialogs.queueChoice(dir.path("Gala.evf"));
    window.Toolbar1_ButtonClick("Save"); // untitled: Save becomes Save As
    EXPECT_TRUE(QFileInfo::exists(dir.path("Gala.evf")));
    EXPECT_TRUE(window.recentAction(0)->isVisible());
    EXPECT_EQ(window.recentAction(0)->text(), "&1 Gala.evf");
    EXPECT_TRUE(window.recentSeparator()->isVisible());
    EXPECT_FALSE(window.recentAction(1)->isVisible());

    window.sections()->setCurrentIndex(2);
    window.Toolbar1_ButtonClick("New");
    EXPECT_EQ(window.document().SpeakerCount, 0);
    EXPECT_EQ(window.sections()->currentIndex(), 0);
}

TEST_F(frmSetupTest, CloseQueryKeepsTheWindowOnCancelAndCleansUpOtherwise)
{
    ASSERT_TRUE(window.startUp(options));
    window.show();
    QSignalSpy finished(&window, &frmSetup::shutDownFinished);
    window.document().SpeakerCount = 1;
    window.document().Speakers[0].Name = "Ada";

    messages.queueAnswer(int(MsgAnswer::Cancel));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(QFileInfo(dir.path("app/77")).isDir());

    messages.queueAnswer(int(MsgAnswer::No));
    EXPECT_TRUE(window.close());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.path("app/77")));
    EXPECT_EQ(dir.readFile("app/Previous.INI"), "[Empty]\r\n[Empty]\r\n[Empty]\r\n[Empty]\r\n");
}

TEST_F(frmSetupTest, AlignLeftAndRightPlaceTheWindowAtTheScreenEdges)
{
    ASSERT_TRUE(window.startUp(options));
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    window.MnuALeft_Click();
    EXPECT_EQ(window.x(), screen.left() + int(screen.width() - 0.99 * screen.width()));
    window.Toolbar1_ButtonClick("Align Right");
    EXPECT_EQ(window.x(),
              screen.left() + int(0.99 * screen.width()) - window.frameGeometry().width());
}

TEST_F(frmSetupTest, SlideFormatMenuChecksOneEntryAndRemembersIt)
{
    ASSERT_TRUE(window.startUp(options));
    EXPECT_TRUE(window.slideFormatAction(2)->isChecked());
    EXPECT_EQ(window.document().SlideImageFormat, "EMF");
    window.slideFormatAction(4)->trigger();
    EXPECT_EQ(window.document().SlideImageFormat, "JPG");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(window.slideFormatAction(i)->isChecked(), i == 4) << i;
    EXPECT_EQ(dir.readFile("app/Slide.INI"), "4\r\n");
    EXPECT_EQ(window.slideFormatAction(1)->text(), "BMP - Device Independent Format");
}
