#include "show/SlideTimings.h"

#include <gtest/gtest.h>

// The entries a show leaves are checked word for word in LaunchControllerTest and ShowLogFilesTest.
TEST(SlideTimings, ElapsedTextCutsToWholeSecondsAndCorrectsMidnightBy86399)
{
    double start = 100.9, now = 287.2;
    EXPECT_EQ(SlideTimings::ElapsedText(start, now), QStringLiteral("00:03:07"));
    EXPECT_EQ(start, 100) << "both readings are cut before subtracting";
    start = 86390.5;
    now = 5.7;
    EXPECT_EQ(SlideTimings::ElapsedText(start, now), QStringLiteral("00:00:14"))
        << "5 + 86399 - 86390";
}
