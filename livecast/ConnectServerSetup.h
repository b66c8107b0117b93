#pragma once

#include "livecast/ConnectQuery.h"
#include "livecast/ServerAddressFile.h"
#include "platform/TransferService.h"

#include <QObject>
#include <QString>
#include <QTimer>

class MessageService;
class WebcastServerSettings;

// The server window's work without the window: testing the address in its four boxes against
// the connect server, and keeping it in "ServerIP.INI" once the test went through.
// The window starts TimDelay on delayStarted() and TimDelayOk on delayOkStarted(), calls the
// handlers from them and closes on closeRequested().
class ConnectServerSetup : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimLoadDelayIntervalMs = 10;
    static constexpr int TimDelayIntervalMs = 1500;
    // How long the test waits for the server's answer.
    static constexpr int TestTimeoutMs = 5000;

    static inline const QString IdleStatus = QStringLiteral("Server IP");
    static inline const QString NotSetMessage = QStringLiteral("IP Address not correctly set!");

    // Everything passed in must outlive the setup.
    ConnectServerSetup(TransferService& transfers, MessageService& messages,
                       WebcastServerSettings& settings, const QString& appFolder,
                       const QString& productId, int testTimeoutMs = TestTimeoutMs,
                       int httpPort = ConnectQuery::DefaultHttpPort, QObject* parent = nullptr);
    // A test still on its way is cancelled.
    ~ConnectServerSetup() override;

    // Whether "ServerIP.INI" exists, so that the boxes start with it.
    bool addressSaved() const { return ServerAddressFile::exists(m_appFolder); }
    // What the boxes start with: the saved address, if there is one.
    std::optional<ServerAddressFile::Octets> TimLoadDelay_Timer() const;
    void ComTest_Click(const ServerAddressFile::Octets& octets);
    // Tests first; a working address becomes the FTP server and is saved.
    void ComOk_Click(const ServerAddressFile::Octets& octets);
    void TimDelay_Timer();
    void TimDelayOk_Timer();

    const QString& LabStatus() const { return m_status; }
    // "OK" and "Test" are available (not while a test runs).
    bool buttonsEnabled() const { return m_buttonsEnabled; }
    bool testing() const { return m_testing; }

signals:
    // The status or the buttons changed.
    void changed();
    void delayStarted();
    void delayOkStarted();
    void closeRequested();

private:
    void test(const ServerAddressFile::Octets& octets, bool keep);
    void answered(const TransferResult& result);
    void setStatus(const QString& status);
    void setButtonsEnabled(bool enabled);

    TransferService& m_transfers;
    MessageService& m_messages;
    WebcastServerSettings& m_settings;
    const QString m_appFolder;
    const QString m_productId;
    const int m_httpPort;

    QTimer m_timeout;
    bool m_testing = false;
    bool m_keep = false; // the test is OK's
    bool m_closing = false;
    ServerAddressFile::Octets m_tested;
    TransferService::RequestId m_request = 0;
    QString m_status = IdleStatus;
    bool m_buttonsEnabled = true;
};
