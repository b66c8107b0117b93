#include "frmLaunch.h"
#include "EventDocument.h"
#include "FakePresentationApp.h"
#include "LiveCastHooks.h"
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

// The window's own timers and key handling; shows run through it in e2e.play_mode.
TEST(frmLaunch, SpeakerNameShowsForAMomentAndF1EndsPlayMode)
{
    TestFolder app;
    EventDocument doc;
    doc.AppFolder = app.folder();
    doc.DesktopFolder = app.folder();
    FakePresentationApp program;
    SpeakerRecord& speaker = doc.Speakers[0];
    speaker.Name = QStringLiteral("Talk 1");
    speaker.FilePath = app.writeFile(QStringLiteral("Talk 1.pptx"), "deck");
    program.addPresentation(speaker.FilePath, 3);
    doc.SpeakerCount = 1;
    SystemShowClock clock;
    LiveCastHooks liveCast;
    TimingsSetting timings;

    frmLaunch window(doc, program, clock, liveCast, timings);
    QSignalSpy ended(&window, &frmLaunch::playModeEnded);
    window.show();

    QTest::keyClick(&window, Qt::Key_S);
    QLabel* name = labelNamed(window, QStringLiteral("LabSName"));
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("Talk 1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !name->isVisible(); }, 3000)) << "hidden after 1 s";

    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window.isVisible());
}
