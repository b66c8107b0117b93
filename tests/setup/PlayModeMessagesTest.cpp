#include "setup/PlayModeMessages.h"
#include "tests/fakes/FakeMessageService.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// While play mode runs nothing comes up: a notice is kept for afterwards and its work goes on, a
// question put with ask() waits for its answer, one that must be answered at once gets the answer
// of a box closed unread. Afterwards everything kept comes up in the order raised.
TEST(PlayModeMessages, NothingComesUpDuringPlayModeNoticesFollowAndQuestionsWait)
{
    FakeMessageService boxes;
    PlayModeMessages messages(boxes);
    messages.show(QStringLiteral("before"), MsgButtons::Ok, MsgIcon::None);
    ASSERT_EQ(boxes.texts().size(), 1);

    messages.setPlaying(true);
    EXPECT_EQ(messages.show(QStringLiteral("gone 1"), MsgButtons::Ok, MsgIcon::None),
              MsgAnswer::Ok);
    QList<MsgAnswer> answers;
    messages.ask(QStringLiteral("convert?"), MsgButtons::YesNo, MsgIcon::None,
                 [&](MsgAnswer answer) { answers << answer; });
    EXPECT_EQ(messages.show(QStringLiteral("gone 2"), MsgButtons::Ok, MsgIcon::None),
              MsgAnswer::Ok);
    EXPECT_EQ(messages.show(QStringLiteral("now?"), MsgButtons::YesNoCancel, MsgIcon::None),
              MsgAnswer::Cancel);
    EXPECT_EQ(messages.show(QStringLiteral("now?"), MsgButtons::YesNo, MsgIcon::None),
              MsgAnswer::No);
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(answers.isEmpty());
    EXPECT_EQ(messages.waiting(), 3);

    boxes.queueAnswer(MsgAnswer::Yes);
    messages.setPlaying(false);
    EXPECT_EQ(boxes.texts().size(), 1) << "not inside what ended play mode";
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(), (QStringList{"before", "gone 1", "convert?", "gone 2"}));
    EXPECT_EQ(answers, QList<MsgAnswer>{MsgAnswer::Yes});
    EXPECT_EQ(messages.waiting(), 0);

    boxes.queueAnswer(MsgAnswer::No);
    messages.ask(QStringLiteral("again?"), MsgButtons::YesNo, MsgIcon::None,
                 [&](MsgAnswer answer) { answers << answer; });
    EXPECT_EQ(answers, (QList<MsgAnswer>{MsgAnswer::Yes, MsgAnswer::No}))
        << "asked at once outside play mode";
}
