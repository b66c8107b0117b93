#include "platform/widgets/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Shows a box and answers it as the operator would: a click on a button, or Esc.
MsgAnswer answerWith(MsgButtons buttons, std::optional<QMessageBox::StandardButton> click)
{
    QTimer::singleShot(0, [click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (click)
            box->button(*click)->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });
    QtMessageService service;
    return service.show(QStringLiteral("Continue?"), buttons, MsgIcon::Question);
}

} // namespace

// Every button gives its own answer; a box closed without one counts as Cancel where there is
// one, else as its only button.
TEST(QtMessageServiceTest, EachButtonAnswersForItselfAndEscapeCancels)
{
    EXPECT_EQ(answerWith(MsgButtons::OkCancel, QMessageBox::Ok), MsgAnswer::Ok);
    EXPECT_EQ(answerWith(MsgButtons::OkCancel, QMessageBox::Cancel), MsgAnswer::Cancel);
    EXPECT_EQ(answerWith(MsgButtons::OkCancel, std::nullopt), MsgAnswer::Cancel);
    EXPECT_EQ(answerWith(MsgButtons::YesNoCancel, QMessageBox::Yes), MsgAnswer::Yes);
    EXPECT_EQ(answerWith(MsgButtons::YesNoCancel, QMessageBox::No), MsgAnswer::No);
    EXPECT_EQ(answerWith(MsgButtons::Ok, QMessageBox::Ok), MsgAnswer::Ok);
    EXPECT_EQ(answerWith(MsgButtons::Ok, std::nullopt), MsgAnswer::Ok);
}
