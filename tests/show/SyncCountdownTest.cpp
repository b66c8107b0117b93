#include "show/SyncCountdown.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(SyncCountdown, CountsDownTurnsRedBlinksTenTimesAndIsDueOnce)
{
    SyncCountdown countdown;
    QStringList labels{countdown.labCount()};
    int dueAt = -1;
    for (int tick = 1; tick <= 20; ++tick) {
        if (countdown.Timer1_Timer()) {
            EXPECT_EQ(dueAt, -1) << "due twice";
            dueAt = tick;
        }
        labels << countdown.labCount() + (countdown.labelVisible() ? "" : "-");
    }
    EXPECT_EQ(dueAt, 15) << "4 counts, the R, 10 blinks";
    EXPECT_EQ(labels.mid(0, 8), (QStringList{"5", "4", "3", "2", "1", "R", "R-", "R"}));
    EXPECT_TRUE(countdown.red());
    EXPECT_TRUE(countdown.finished());
}
