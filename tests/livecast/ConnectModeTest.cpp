#include "livecast/ConnectConnection.h"
#include "livecast/ConnectModeMenu.h"
#include "livecast/ConnectServerSetup.h"
#include "livecast/ConnectSessionEditor.h"
#include "livecast/LiveCastModes.h"
#include "livecast/ServerAddressFile.h"
#include "livecast/SessionRecord.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/curl/CurlTransferService.h"
#include "platform/fake/FakeTransferService.h"
#include "setup/widgets/frmConnect.h"
#include "setup/widgets/frmConnectServerIP.h"
#include "setup/widgets/frmConnectSession.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/fakes/TestFolder.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using Mode = LiveCastModes::Mode;

namespace {

const QString ProductId = "ABCDEFGHIJKL";
const QString ConnectAnswer = "testCode :OK;url :elsewhere.example;serverName :Hall 1;"
                              "userName :hall;password :pw;uploadExtension :webcasts;"
                              "encoderFMSURL :rtmp://10.0.0.5/live;streamName :hall1;";

// The decoded queries the connect server received, oldest first.
QList<QJsonObject> receivedQueries(FixtureServer& server)
{
    QList<QJsonObject> queries;
    for (const QString& line : server.lines("QUERY "))
        queries << QJsonDocument::fromJson(line.mid(6).toUtf8()).object();
    return queries;
}

} // namespace

TEST(ConnectModeTest, TheServerAndSessionFilesReadBackAndDamageReadsAsEmpty)
{
    TestFolder dir;
    EXPECT_FALSE(ServerAddressFile::load(dir.folder()));
    ASSERT_TRUE(ServerAddressFile::save(dir.folder(), {"192", "168", "0", "20"}));
    EXPECT_EQ(dir.readFile("ServerIP.INI"), QByteArray("192\r\n168\r\n0\r\n20\r\n"));
    // A truncated file and lines that are no octets give empty boxes, which are not an address.
    dir.writeFile("ServerIP.INI", "10\r\nx7\r\n1234");
    EXPECT_EQ(ServerAddressFile::load(dir.folder()), (ServerAddressFile::Octets{"10", "", "", ""}));

    const SessionRecord session{"Main Hall", "Day [1]", QString::fromUtf8("Keynotes \xc3\xa9"), "1",
                                "pw"};
    ASSERT_TRUE(session.save(dir.folder()));
    // One byte a character; a "]" would end its field early and is left out.
    EXPECT_EQ(dir.readFile("Session.INI"), QByteArray("[Main Hall][Day [1][Keynotes \xe9][1][pw]"));
    EXPECT_EQ(SessionRecord::load(dir.folder()),
              (SessionRecord{"Main Hall", "Day [1", session.Description, "1", "pw"}));

    // Damaged bytes, then the name and description read from them.
    const std::tuple<QByteArray, QString, QString> damages[] = {
        {"[Main Hall][Day 1][Keyno", "Main Hall", ""},
        {"Main Hall][Day 1][Keynotes][0][]", "", ""},
        {QByteArray("\x00\xff[\x01]\n", 6), "", ""},
    };
    for (const auto& [bytes, name, description] : damages) {
        const SessionRecord read = SessionRecord::decode(bytes);
        EXPECT_EQ(
            std::tuple(read.SessionName, read.Description, read.Password, read.passwordProtected()),
            std::tuple(name, description, QString(), false))
            << bytes.toStdString();
    }
}

// Connect mode asks to leave another mode (No, for the other menus: LiveCastMenuTest,
// LocalhostModeTest); without a server address the server window comes,
// which takes digits only and tests within its bound; the session window needs a name.
TEST(ConnectModeTest, ConnectModeAsksToLeaveTheOthersWantsAServerAndASessionName)
{
    TestFolder dir;
    LiveCastModes modes;
    FakeMessageService messages;
    ConnectModeMenu menu(modes, messages);
    QSignalSpy connects(&menu, &ConnectModeMenu::connectWindowRequested);
    QSignalSpy servers(&menu, &ConnectModeMenu::serverWindowRequested);

    // Yes to leaving another mode, without a server address: the server window comes after the
    // message, and the other mode stays on until a connection goes through.
    modes.setMode(Mode::Localhost);
    messages.queueAnswer(MsgAnswer::Yes);
    menu.MnuConnect_Click(dir.folder());
    EXPECT_EQ(messages.texts(), (QStringList{"Localhost Mode enabled, switch to Connect Mode.",
                                             "Specify a Server and then re-connect"}));
    EXPECT_EQ(servers.count(), 1);
    EXPECT_EQ(connects.count(), 0);
    EXPECT_EQ(modes.mode(), Mode::Localhost);

    // The server window takes digits only, and tests within its bound.
    messages.clear();
    FakeTransferService transfers;
    WebcastServerSettings settings;
    settings.WebcastFtpUrl = "ftp://earlier";
    ConnectServerSetup setup(transfers, messages, settings, dir.folder(), ProductId, 300);
    frmConnectServerIP server(setup, nullptr, 20);
    server.show();
    server.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&server));
    server.octetBox(0)->setFocus();
    QTest::keyClicks(server.octetBox(0), "1a9");
    EXPECT_EQ(server.octetBox(0)->text(), QString("19"));
    QTest::keyClick(server.octetBox(0), '2');
    EXPECT_TRUE(server.octetBox(1)->hasFocus());
    QTest::keyClicks(server.octetBox(1), "256");
    QTest::keyClicks(server.octetBox(2), "0.");
    EXPECT_EQ(server.octetBox(2)->text(), QString("0"));
    server.octetBox(3)->setText("1");

    // 256 is no octet: nothing is sent.
    QTest::mouseClick(server.testButton(), Qt::LeftButton);
    EXPECT_EQ(messages.texts(), QStringList{"IP Address not correctly set!"});
    EXPECT_TRUE(transfers.urls().isEmpty());

    // A server that never answers: unavailable once the bound has passed.
    messages.clear();
    server.octetBox(0)->setText("127");
    server.octetBox(1)->setText("0");
    QTest::mouseClick(server.testButton(), Qt::LeftButton);
    EXPECT_FALSE(server.okButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.texts().isEmpty(); }, 5000));
    EXPECT_EQ(messages.texts(), QStringList{"No Server connection available."});
    EXPECT_EQ(server.statusLabel()->text(), QString("Server connection unavailable"));
    EXPECT_TRUE(server.okButton()->isEnabled());
    EXPECT_EQ(settings.WebcastFtpUrl, QString());
    EXPECT_EQ(transfers.cancelled(), 1);
    // The status goes back after its delay; nothing was saved.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return server.statusLabel()->text() == QString("Server IP"); }, 2000));
    EXPECT_FALSE(ServerAddressFile::exists(dir.folder()));

    // With one, straight to the connect window; Connect mode on is only switched off.
    messages.clear();
    modes.setMode(Mode::None);
    ServerAddressFile::save(dir.folder(), {"10", "0", "0", "1"});
    menu.MnuConnect_Click(dir.folder());
    EXPECT_EQ(connects.count(), 1);
    modes.setMode(Mode::Connect);
    menu.MnuConnect_Click(dir.folder());
    EXPECT_EQ(modes.mode(), Mode::None);
    EXPECT_EQ(connects.count(), 1);
    EXPECT_TRUE(messages.texts().isEmpty());

    // The session window needs a name, and reconnects in Connect mode.
    ConnectSessionEditor editor(messages, modes, dir.folder());
    frmConnectSession window(editor);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.okButton(), Qt::LeftButton);
    EXPECT_EQ(messages.texts(), QStringList{"A Session Name is required"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(SessionRecord::exists(dir.folder()));

    window.nameBox()->setText("Main Hall");
    window.passwordCheck()->click();
    window.passwordBox()->setText("pw2");
    modes.setMode(Mode::Connect);
    QTest::mouseClick(window.okButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.reconnectWanted());
    EXPECT_EQ(dir.readFile("Session.INI"), QByteArray("[Main Hall][][][1][pw2]"));
}

// The server window's OK tests the server and keeps it; the connection then asks that server
// whether it is there and joins the session as typed, and Connect becomes the only mode.
TEST(ConnectModeTest, OkKeepsATestedServerAndAFullConnectJoinsTheSessionThere)
{
    TestFolder dir;
    FixtureServer server("web_service.py", {"--route", "/connect.php=" + ConnectAnswer});
    ASSERT_TRUE(server.ready()) << server.failure().toStdString();
    CurlTransferService transfers;
    FakeMessageService messages;
    WebcastServerSettings tested;
    ConnectServerSetup setup(transfers, messages, tested, dir.folder(), ProductId,
                             ConnectServerSetup::TestTimeoutMs, server.port());
    {
        frmConnectServerIP window(setup, nullptr, 20);
        for (int i = 0; i < 4; ++i)
            window.octetBox(i)->setText(QStringList{"127", "0", "0", "1"}[i]);
        QSignalSpy finished(&window, &QDialog::finished);
        window.open();
        QTest::mouseClick(window.okButton(), Qt::LeftButton);
        ASSERT_TRUE(finished.wait(5000));
    }
    EXPECT_EQ(tested.WebcastFtpUrl, QString("ftp://127.0.0.1"));
    EXPECT_EQ(tested.WebcastEventFolder, QString("ABCDEFVKTJKL"));

    frmConnectServerIP again(setup, nullptr, 20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again.octetBox(0)->text().isEmpty(); }, 2000));
    EXPECT_EQ(ServerAddressFile::address(again.octets()), QString("127.0.0.1"));
    setup.ComOk_Click(again.octets()); // the first window has closed after its OK: too late
    EXPECT_FALSE(setup.testing());

    dir.writeFile("Session.INI", "[Main Hall][Day 1][Keynotes][1][s&cret=1]");
    LiveCastModes modes;
    modes.setMode(Mode::Webcast);
    WebcastServerSettings settings;
    ConnectConnection connection(transfers, messages, modes, settings, dir.folder(), ProductId,
                                 server.port());
    frmConnect window(connection, nullptr, 0, 50);
    QSignalSpy finished(&window, &QDialog::finished);
    window.open();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(messages.texts().isEmpty()) << "neither the server window nor the connection";
    EXPECT_EQ(window.statusLabel()->text(), QString("Connected to Hall 1"));
    EXPECT_EQ(modes.mode(), Mode::Connect);

    // The server window's test and the connection's own: whether the server is there; then the
    // session as typed, the flag staying here.
    const QJsonObject asked{{"productID", ProductId}};
    const QJsonObject joined{{"productID", ProductId},
                             {"sessionName", "Main Hall"},
                             {"sessionSubtitle", "Day 1"},
                             {"description", "Keynotes"},
                             {"password", "s&cret=1"}};
    ASSERT_TRUE(server.waitForLines("QUERY", 3, 2000));
    EXPECT_EQ(receivedQueries(server), (QList<QJsonObject>{asked, asked, joined}));

    EXPECT_EQ((QStringList{settings.WebcastFtpUrl, settings.WebcastServerName,
                           settings.WebcastUserName, settings.WebcastPassword,
                           settings.WebcastUploadDir, settings.WebcastEventFolder,
                           settings.EncoderFmsUrl, settings.EncoderStreamName}),
              (QStringList{"ftp://127.0.0.1", "Hall 1", "hall", "pw", "/webcasts", "ABCDEFVKTJKL",
                           "rtmp://10.0.0.5/live", "hall1"}));
}

TEST(ConnectModeTest, WithoutASessionOrAServerTheConnectionEndsWithItsMessage)
{
    // What is missing, the session file (empty: none), the server's answer, the message and
    // whether the session window is wanted.
    const std::tuple<const char*, QByteArray, QString, QString, bool> cases[] = {
        {"no session file", {}, "testCode :OK;", "A session name is required.", true},
        {"empty session name", "[][s][d][0][]", "testCode :OK;", "A session name is required.",
         false},
        {"server says no", "[Main Hall]", "testCode :NO;",
         "A connection to the Server 10.0.0.1 couldn't be established", false},
    };
    for (const auto& [what, sessionFile, testAnswer, message, sessionWindow] : cases) {
        SCOPED_TRACE(what);
        TestFolder dir;
        ServerAddressFile::save(dir.folder(), {"10", "0", "0", "1"});
        if (!sessionFile.isEmpty())
            dir.writeFile("Session.INI", sessionFile);
        FakeTransferService transfers;
        transfers.queueAnswer(TransferResult::completedWith(testAnswer));
        FakeMessageService messages;
        LiveCastModes modes;
        // A reconnection that fails leaves Connect mode off.
        modes.setMode(Mode::Connect);
        WebcastServerSettings settings;
        ConnectConnection connection(transfers, messages, modes, settings, dir.folder(), ProductId);
        QSignalSpy hides(&connection, &ConnectConnection::hideRequested);
        QSignalSpy closes(&connection, &ConnectConnection::closeRequested);
        connection.Timer1_Timer();
        ASSERT_TRUE(closes.wait(1000));
        connection.Timer1_Timer(); // a later tick starts nothing more
        EXPECT_EQ(messages.texts(), QStringList{message});
        EXPECT_EQ(connection.sessionWindowWanted(), sessionWindow);
        EXPECT_EQ(hides.count(), sessionWindow ? 1 : 0);
        EXPECT_EQ(modes.mode(), Mode::None);
        EXPECT_EQ(transfers.urls(),
                  QStringList{"http://10.0.0.1/connect.php?productID=ABCDEFGHIJKL"});
    }
}
