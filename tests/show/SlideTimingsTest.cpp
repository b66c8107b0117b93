#include "SlideTimings.h"

#include <gtest/gtest.h>

// The entries a show leaves are checked word for word in LaunchControllerTest and ShowLogFilesTest.
TEST(SlideTimings, ElapsedTextCutsToWholeSecondsAndCorrectsMidnightBy86399)
{
    struct Case
    {
        double start;
        double now;
        const char* text;
        double startAfter;
    };
    const Case cases[] = {
        {100.9, 287.2, "00:03:07", 100}, // both readings cut before subtracting
        {3600, 7200 + 9 * 60 + 5, "01:09:05", 3600},
        {86390.5, 5.7, "00:00:14", 86390}, // 5 + 86399 - 86390: one second short
    };
    for (const Case& c : cases) {
        double start = c.start;
        double now = c.now;
        EXPECT_EQ(SlideTimings::ElapsedText(start, now), QString::fromUtf8(c.text)) << c.start;
        EXPECT_EQ(start, c.startAfter);
    }
}

TEST(SlideTimings, PositionsBeyondTheCountedSlidesAreFollowedWithoutEntries)
{
    const QDate day(2026, 3, 14);
    SlideTimings timings;
    timings.reset(0);
    EXPECT_EQ(timings.count(), 1);
    timings.slideSeen(5, QDateTime(day, QTime(9, 0, 0)));
    timings.slideSeen(1, QDateTime(day, QTime(9, 0, 2)));
    EXPECT_EQ(timings.entry(5), QString());
    EXPECT_EQ(timings.entry(1), QStringLiteral("True"));
    EXPECT_EQ(timings.LastPosition(), 1);
}
