#include "livecast/InternetConnect.h"
#include "document/Event.h"
#include "platform/fake/FakeTransferService.h"
#include "setup/widgets/frmInternetConnectSettings.h"
#include "tests/fakes/FakeMessageService.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// What a query through connect answered, waited for with a bound.
QString tested(InternetConnect& connect, const QString& name, const QString& password)
{
    QString message;
    connect.test(name, password, [&](const QString& text) { message = text; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !message.isEmpty(); }, 10000));
    return message;
}

} // namespace

// Keys "U" and "I" and the settings window's Test read the same answer: only an "OK" opens a
// page, "U" the event's own; a name with blanks reaches the service whole. "I" opening the
// session's page sized for the screen, and "U" our own page without one: e2e.web_windows.
TEST(InternetConnect, TheAnswerDecidesThePageAndTheTestAndTheSettingsWindowStoresOnOk)
{
    const TransferResult hosted = TransferResult::completedWith(
        "testCode :OK;productID :P7;sessionURL :http://hall.example/live;");
    FakeTransferService transfers;
    InternetConnect connect(transfers, {"http://service.example/", "ABCDEFGHIJKL"});
    transfers.queueAnswer(hosted);
    EXPECT_EQ(tested(connect, "Main Hall", "p&w"), InternetConnect::TestOkMessage);
    EXPECT_EQ(transfers.urls(), QStringList{"http://service.example/evf/internetconnect.php"
                                            "?sessionName=Main%20Hall&password=p%26w"});

    Event event;
    event.InternetConnectUrl = "http://own.example/page";
    QUrl opened;
    transfers.queueAnswer(hosted);
    connect.resolvePage(event, false, QSize(1920, 1080), [&](const QUrl& url) { opened = url; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 10000));
    EXPECT_EQ(opened, QUrl("http://own.example/page"));
    event.InternetConnectUrl.clear();

    // An answer without a session, any other than an "OK", none, or no service at all.
    const std::pair<TransferResult, QString> answers[] = {
        {TransferResult::completedWith("testCode :OK;productID :P7;sessionURL :;"),
         InternetConnect::NoSessionMessage},
        {TransferResult::completedWith("testCode :NO;sessionURL :http://hall.example/live;"),
         InternetConnect::NoConnectionMessage},
        {TransferResult::failure(7, "Failed to connect"), InternetConnect::NoConnectionMessage}};
    for (const auto& [answer, message] : answers) {
        transfers.queueAnswer(answer);
        EXPECT_EQ(tested(connect, "Main", "pw"), message);
    }
    bool pageOpened = false;
    connect.resolvePage(event, true, QSize(800, 600), [&](const QUrl&) { pageOpened = true; });
    ASSERT_TRUE(transfers.answerWaiting(
        TransferResult::completedWith("testCode :NO;sessionURL :http://hall.example/live;")));
    QCoreApplication::processEvents(); // the answer comes on the next turn of the event loop
    EXPECT_FALSE(pageOpened) << "no page without an OK";
    InternetConnect nowhere(transfers, WebServiceSettings());
    EXPECT_EQ(tested(nowhere, "Main", "pw"), InternetConnect::NoConnectionMessage);

    // The settings window shows the event's values, masks the password without changing it,
    // stores on OK with "http://" in front of a bare host, and leaves the event alone on Cancel.
    FakeMessageService messages;
    event.InternetConnectUrl = "https://secure.example/";
    event.InternetConnectSession = "Main Hall";
    event.InternetConnectPassword = "s3cret";
    event.InternetConnectObscure = 1;
    {
        frmInternetConnectSettings window(event, connect, messages);
        EXPECT_EQ(window.password()->echoMode(), QLineEdit::Password);
        EXPECT_EQ(window.password()->text(), "s3cret");
        window.obscure()->click();
        window.findChild<QLineEdit*>("TxtURL")->setText("hall.example");
        window.findChild<QPushButton*>("ComCancel")->click();
    }
    EXPECT_EQ(event.InternetConnectUrl, "https://secure.example/");
    EXPECT_EQ(event.InternetConnectObscure, 1);

    frmInternetConnectSettings window(event, connect, messages);
    window.findChild<QLineEdit*>("TxtURL")->setText("hall.example");
    window.obscure()->click();
    window.ComClear_Click();
    window.findChild<QLineEdit*>("TxtSessionName")->setText("Side Room");
    window.findChild<QPushButton*>("ComOk")->click();
    EXPECT_EQ(event.InternetConnectUrl, "http://hall.example");
    EXPECT_EQ(event.InternetConnectSession, "Side Room");
    EXPECT_EQ(event.InternetConnectPassword, "");
    EXPECT_EQ(event.InternetConnectObscure, 0);
}
