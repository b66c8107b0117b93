#include "FakeClipboardService.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakeShellService.h"
#include "LaunchController.h"
#include "LiveCastHooks.h"
#include "SystemShowClock.h"
#include "TestFolder.h"
#include "frmLaunch.h"
#include "frmSetup.h"

#include <QPointer>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PlayModeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setClosingWindowMs(1);
        options.appFolder = dir.path("app/");
        options.instanceId = 78;
        options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
        options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
        window.buildShow(messages, program, clock, liveCast, shell, clipboard);
    }

    TestFolder dir;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp program;
    SystemShowClock clock;
    LiveCastHooks liveCast;
    FakeShellService shell;
    FakeClipboardService clipboard;
    frmSetup window{messages, dialogs};
    SetupController::StartUpOptions options;
};

} // namespace

TEST_F(PlayModeTest, OtherPresentationsBlockPlayUntilClosedAndF1ReturnsWithinTheScreen)
{
    ASSERT_TRUE(window.startUp(options));
    const QRect screen = window.screen()->availableGeometry();
    window.show();
    window.move(screen.right() - 50, screen.top() + 40); // mostly beyond the right edge
    program.addPresentation(QStringLiteral("/t/other.pptx"), 2);
    const auto other =
        program.open(QStringLiteral("/t/other.pptx"), PresentationApp::Visibility::Visible);
    ASSERT_TRUE(other.ok());

    messages.queueAnswer(2); // Cancel
    window.ComPlay_Click();
    EXPECT_EQ(window.launchScreen(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(program.openPresentationCount().value(), 1);

    messages.queueAnswer(1);
    window.ComPlay_Click();
    QPointer<frmLaunch> launch = window.launchScreen();
    ASSERT_TRUE(launch);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(launch->isVisible());
    EXPECT_EQ(program.openPresentationCount().value(), 0);
    EXPECT_EQ(launch->controller().LabSName(), QStringLiteral("No Speaker"));

    launch->controller().Form_KeyDown(LaunchController::KeyF1, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.launchScreen(), nullptr);
    EXPECT_LE(window.frameGeometry().right(), screen.left() + int(screen.width() * 0.99));
    EXPECT_EQ(window.frameGeometry().top(), screen.top() + 40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return launch.isNull(); }, 2000)) << "closed for good";
}
