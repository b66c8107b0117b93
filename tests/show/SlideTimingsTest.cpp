#include "SlideTimings.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int h, int m, int s, int ms = 0)
{
    return QDateTime(QDate(2026, 3, 14), QTime(h, m, s, ms));
}

} // namespace

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
        {0, 0, "00:00:00", 0},           // same second
        {3600, 7200 + 9 * 60 + 5, "01:09:05", 3600},
        {86390.5, 5.7, "00:00:14", 86390}, // 5 + 86399 - 86390: one second short
        {36000, 36000 + 13 * 3600, "13:00:00", 36000},
    };
    for (const Case& c : cases) {
        double start = c.start;
        double now = c.now;
        EXPECT_EQ(SlideTimings::ElapsedText(start, now), QString::fromUtf8(c.text)) << c.start;
        EXPECT_EQ(start, c.startAfter);
    }
}

TEST(SlideTimings, EachSlideCollectsTheTimesItWasLeftAndTheFirstEntryKeepsItsMarker)
{
    SlideTimings timings;
    EXPECT_FALSE(timings.recordDue()) << "nothing is due before the first launch";
    timings.reset(3);
    EXPECT_TRUE(timings.recordDue());
    EXPECT_TRUE(timings.slideSeen(1, at(10, 0, 0, 600)));
    EXPECT_FALSE(timings.slideSeen(1, at(10, 0, 3)));
    EXPECT_EQ(timings.FirstSlideTime(), QStringLiteral("10:00:00"));
    EXPECT_DOUBLE_EQ(timings.ShowStartTimer(), 36000.6);
    timings.slideSeen(2, at(10, 0, 5));
    timings.slideSeen(1, at(10, 1, 0));
    timings.slideSeen(2, at(10, 1, 30));
    EXPECT_EQ(timings.entry(1), QStringLiteral("True, 00:00:05, 00:01:30"));
    EXPECT_EQ(timings.entry(2), QStringLiteral(", 00:01:00"));
    EXPECT_EQ(timings.entry(3), QString());
    EXPECT_DOUBLE_EQ(timings.ShowStartTimer(), 36000) << "cut by the first elapsed time";
    EXPECT_TRUE(timings.recordDue()) << "leaving slide 1 keeps the record due";

    timings.showEnded();
    EXPECT_FALSE(timings.recordDue());
    EXPECT_EQ(timings.entry(1), QStringLiteral("False"));
    EXPECT_EQ(timings.LastPosition(), 0);
    EXPECT_TRUE(timings.FirstSlideTime().isEmpty());
}

TEST(SlideTimings, PositionsBeyondTheCountedSlidesAreFollowedWithoutEntries)
{
    SlideTimings timings;
    timings.reset(0);
    EXPECT_EQ(timings.count(), 1);
    timings.slideSeen(5, at(9, 0, 0));
    timings.slideSeen(1, at(9, 0, 2));
    EXPECT_EQ(timings.entry(5), QString());
    EXPECT_EQ(timings.entry(1), QStringLiteral("True"));
    EXPECT_EQ(timings.LastPosition(), 1);
}
