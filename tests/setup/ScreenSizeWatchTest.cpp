#include "setup/ScreenSizeWatch.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

// The size everything was made for at start-up is no change; each later change is told once.
TEST(ScreenSizeWatchTest, TellsEachChangeAfterTheFirstSizeOnce)
{
    QSize screen(1280, 800);
    ScreenSizeWatch watch([&screen] { return screen; });
    QSignalSpy resized(&watch, &ScreenSizeWatch::resized);
    watch.tick();
    watch.tick();
    screen = QSize(1920, 1080);
    watch.tick();
    watch.tick();
    ASSERT_EQ(resized.size(), 1);
    EXPECT_EQ(resized[0][0].toSize(), QSize(1920, 1080));
}
