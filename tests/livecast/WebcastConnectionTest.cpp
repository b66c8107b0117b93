#include "livecast/WebcastConnection.h"
#include "livecast/LiveCastModes.h"
#include "livecast/WebServiceSettings.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/fake/FakeTransferService.h"
#include "setup/widgets/frmWebcast.h"
#include "tests/fakes/FakeMessageService.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using Mode = LiveCastModes::Mode;

namespace {

struct ConnectionFixture
{
    explicit ConnectionFixture(const QString& address = "http://service.example/")
        : service{address, "ABCDEFGHIJKL"}
    {
        // The window switches the mode off first; it comes on again only with a server.
        modes.setMode(Mode::Webcast);
    }

    FakeTransferService transfers;
    FakeMessageService messages;
    LiveCastModes modes;
    WebcastServerSettings settings;
    WebServiceSettings service;
    WebcastConnection connection{transfers, messages, modes, settings, service};
    QSignalSpy delays{&connection, &WebcastConnection::delayStarted};
    QSignalSpy closes{&connection, &WebcastConnection::closeRequested};
};

} // namespace

// An answer naming a server, through the window: e2e.webcast_play. Escape in the window cancels
// the query, and nothing comes of it later.
TEST(WebcastConnectionTest, EscapeCancelsTheQueryAndNothingComesOfItLater)
{
    ConnectionFixture escaped;
    frmWebcast window(escaped.connection, nullptr, 0, 50);
    QSignalSpy finished(&window, &QDialog::finished);
    window.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return escaped.connection.querying(); }, 1000));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(escaped.transfers.cancelled(), 1);
    EXPECT_EQ(escaped.modes.mode(), Mode::None);
    // The cancelled query's report changes nothing, and a late tick sends nothing.
    QTest::qWait(10);
    escaped.connection.Timer1_Timer();
    EXPECT_EQ(escaped.delays.count(), 0);
    EXPECT_EQ(escaped.transfers.urls().size(), 1);
}

// An answer without a server fills the settings but the mode stays off, quietly; any other answer
// than an "OK" empties only the FTP address, and the operator is told.
TEST(WebcastConnectionTest, WithoutAServerOrAnAnswerTheModeStaysOff)
{
    const QString noConnection = "No internet connection available";
    // The answer, the status then shown and the FTP address and server name left.
    const std::tuple<TransferResult, QString, QString, QString> cases[] = {
        {TransferResult::completedWith("testCode :OK;url :srv1;serverName :;"),
         "No Server available for ABCDEFGHIJKL", "ftp://srv1", ""},
        {TransferResult::completedWith("testCode :NO;url :srv2;serverName :S1;"), noConnection, "",
         "S0"},
        {TransferResult::failure(7, "Failed to connect"), noConnection, "", "S0"},
    };
    for (const auto& [result, status, ftpUrl, serverName] : cases) {
        SCOPED_TRACE(status.toStdString() + " " + result.body.toStdString());
        ConnectionFixture f;
        f.settings.WebcastFtpUrl = "ftp://earlier";
        f.settings.WebcastServerName = "S0";
        f.settings.EncoderStreamName = "kept";
        f.transfers.queueAnswer(result);
        f.connection.Timer1_Timer();
        ASSERT_TRUE(f.delays.wait(1000));
        EXPECT_EQ(f.connection.LabStatus(), status);
        EXPECT_EQ(f.modes.mode(), Mode::None);
        EXPECT_EQ(f.settings.WebcastFtpUrl, ftpUrl);
        EXPECT_EQ(f.settings.WebcastServerName, serverName);
        EXPECT_EQ(f.settings.EncoderStreamName, ftpUrl.isEmpty() ? "kept" : "");
        const bool told = status == noConnection;
        EXPECT_EQ(f.messages.texts(),
                  told ? QStringList{"No internet connection available."} : QStringList{});
        // A Cancel once the window closes after its delay is too late to do anything.
        f.connection.TimDelay_Timer();
        f.connection.ComCancel_Click();
        EXPECT_EQ(f.closes.count(), 1);
    }

    // No service configured: the same as no connection, without asking anything.
    ConnectionFixture f{QString()};
    f.connection.Timer1_Timer();
    EXPECT_TRUE(f.transfers.urls().isEmpty());
    EXPECT_EQ(f.connection.LabStatus(), QString("No internet connection available"));
    EXPECT_EQ(f.delays.count(), 1);
}
