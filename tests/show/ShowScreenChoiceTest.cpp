#include "show/ShowScreenChoice.h"
#include "tests/fakes/TestFolder.h"

#include <gtest/gtest.h>

// A laptop with a projector: the audience's screen is the one the setup window is not on,
// unless the operator picked one that is connected today.
TEST(ShowScreenChoice, TheProjectorUnlessTheOperatorPickedAConnectedScreen)
{
    const QList<ShowScreenChoice::Screen> two = {{"LAPTOP", QRect(0, 0, 1280, 800)},
                                                 {"PROJECTOR", QRect(1280, 0, 1920, 1080)}};
    EXPECT_EQ(ShowScreenChoice::choose(two, 0, QString()), 1);
    EXPECT_EQ(ShowScreenChoice::choose(two, 1, QString()), 0);
    EXPECT_EQ(ShowScreenChoice::choose(two, 1, QStringLiteral("PROJECTOR")), 1);
    EXPECT_EQ(ShowScreenChoice::choose(two, 0, QStringLiteral("HDMI-2")), 1)
        << "a screen not connected today does not count";
    EXPECT_EQ(ShowScreenChoice::choose(two.mid(0, 1), 0, QStringLiteral("PROJECTOR")), 0);
    EXPECT_EQ(ShowScreenChoice::choose({}, -1, QString()), -1);
    EXPECT_EQ(ShowScreenChoice::caption(two[1]), QStringLiteral("PROJECTOR (1920 x 1080)"));

    TestFolder app;
    EXPECT_TRUE(ShowScreenChoice::load(app.folder()).isEmpty());
    ASSERT_TRUE(ShowScreenChoice::save(app.folder(), QStringLiteral("PROJECTOR")));
    EXPECT_EQ(app.readFile(ShowScreenChoice::FileName), QByteArray("PROJECTOR\r\n"));
    EXPECT_EQ(ShowScreenChoice::load(app.folder()), QStringLiteral("PROJECTOR"));
}
