#include "frmLaunch.h"
#include "EventDocument.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "LaunchController.h"
#include "LiveCastHooks.h"
#include "ShowLogFiles.h"
#include "SystemShowClock.h"
#include "TestFolder.h"
#include "TimingsSetting.h"
#include "VirtualKeys.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLabel* labelNamed(const QWidget& window, const QString& name)
{
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->accessibleDescription() == name)
            return label;
    }
    return nullptr;
}

} // namespace

TEST(VirtualKeys, QtKeysBecomeTheCommandCodes)
{
    const std::pair<int, int> cases[] = {
        {Qt::Key_PageDown, 34},
        {Qt::Key_PageUp, 33},
        {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},
        {Qt::Key_F1, 112},
        {Qt::Key_F12, 123},
        {Qt::Key_B, 66},
        {Qt::Key_0, 48},
        {Qt::Key_9, 57},
        {Qt::Key_Backspace, 8},
        {Qt::Key_BracketLeft, 219},
        {Qt::Key_BracketRight, 221},
        {Qt::Key_Home, 36},
        {Qt::Key_Shift, 0},
        {Qt::Key_F13, 0},
    };
    for (const auto& [qtKey, code] : cases)
        EXPECT_EQ(VirtualKeys::fromQt(qtKey), code) << qtKey;
}

// The window with the program behind its own thread: keys are taken at once, the show comes
// up a moment later, and the real timers follow it.
TEST(frmLaunch, KeysDriveARealTimedShowWithoutWaitingForTheProgram)
{
    TestFolder app;
    TestFolder desktop;
    EventDocument doc;
    doc.AppFolder = app.folder();
    doc.DesktopFolder = desktop.folder();
    FakePresentationApp program;
    for (int i = 0; i < 2; ++i) {
        SpeakerRecord& speaker = doc.Speakers[size_t(i)];
        speaker.Name = QStringLiteral("Talk %1").arg(i + 1);
        speaker.FilePath = app.writeFile(speaker.Name + QStringLiteral(".pptx"), "deck");
        program.addPresentation(speaker.FilePath, 3);
    }
    doc.SpeakerCount = 2;
    SystemShowClock clock;
    LiveCastHooks liveCast;
    TimingsSetting timings;
    timings.Checked = true;

    frmLaunch window(doc, program, clock, liveCast, timings);
    QSignalSpy ended(&window, &frmLaunch::playModeEnded);
    window.show();
    LaunchController& controller = window.controller();

    QTest::keyClick(&window, Qt::Key_PageDown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return controller.showRunning(); }, 5000));
    EXPECT_EQ(controller.LabSName(), QStringLiteral("Talk 2"));
    EXPECT_FALSE(labelNamed(window, QStringLiteral("PicPPLoading"))->isVisible());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return controller.slideTimings().LastPosition() == 1; }, 2000));
    program.lastOpened()->presenterEndsShow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.showRunning(); }, 2000));
    EXPECT_TRUE(desktop.readFile(ShowLogFiles::RunLogName).contains("Talk 1, #3"));

    QTest::keyClick(&window, Qt::Key_S);
    QLabel* name = labelNamed(window, QStringLiteral("LabSName"));
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("Talk 2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !name->isVisible(); }, 3000)) << "hidden after 1 s";

    QTest::keyClick(&window, Qt::Key_B);
    EXPECT_TRUE(controller.blanked());
    QTest::keyClick(&window, Qt::Key_X);
    EXPECT_FALSE(controller.blanked());

    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window.isVisible());
}
