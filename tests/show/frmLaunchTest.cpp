#include "frmLaunch.h"
#include "EventDocument.h"
#include "FakePresentationApp.h"
#include "LiveCastHooks.h"
#include "SystemShowClock.h"
#include "TimingsSetting.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

// The window's own overlay timer; shows, keys and F1 run through it in e2e.play_mode.
TEST(frmLaunch, SpeakerNameShowsForAMoment)
{
    EventDocument doc; // no speakers: the name reads "No Speaker"
    FakePresentationApp program;
    SystemShowClock clock;
    LiveCastHooks liveCast;
    TimingsSetting timings;

    frmLaunch window(doc, program, clock, liveCast, timings);
    window.show();

    QTest::keyClick(&window, Qt::Key_S);
    QLabel* name = nullptr;
    for (QLabel* label : window.findChildren<QLabel*>())
        name = label->accessibleDescription() == QStringLiteral("LabSName") ? label : name;
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("No Speaker"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !name->isVisible(); }, 3000)) << "hidden after 1 s";
}
