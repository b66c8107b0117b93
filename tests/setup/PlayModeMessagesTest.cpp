#include "PlayModeMessages.h"
#include "FakeMessageService.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

// While play mode runs nothing comes up: a notice is kept for afterwards and its work goes on, a
// question waits with the program still running (timers fire). Afterwards the question is asked
// and the notices follow, in order.
TEST(PlayModeMessages, NothingComesUpDuringPlayModeNoticesFollowAndQuestionsWait)
{
    FakeMessageService boxes;
    PlayModeMessages messages(boxes);
    messages.show(QStringLiteral("before"), MsgButtons::Ok, MsgIcon::None);
    ASSERT_EQ(boxes.texts().size(), 1);

    messages.setPlaying(true);
    EXPECT_EQ(messages.show(QStringLiteral("gone 1"), MsgButtons::Ok, MsgIcon::None), 1);
    EXPECT_EQ(messages.show(QStringLiteral("gone 2"), MsgButtons::Ok, MsgIcon::None), 1);
    EXPECT_EQ(boxes.texts().size(), 1);

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        EXPECT_EQ(boxes.texts().size(), 1) << "no box while play mode runs";
        EXPECT_EQ(messages.waiting(), 3);
        if (ticks == 3)
            messages.setPlaying(false);
    });
    ticker.start(5);
    boxes.queueAnswer(6);
    EXPECT_EQ(messages.show(QStringLiteral("convert?"), MsgButtons::YesNo, MsgIcon::None), 6);
    ticker.stop();
    EXPECT_EQ(ticks, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(), (QStringList{"before", "convert?", "gone 1", "gone 2"}));
    EXPECT_EQ(messages.waiting(), 0);
}
