#include "livecast/ConnectServerSetup.h"

#include "livecast/ConnectQuery.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/MessageService.h"

ConnectServerSetup::ConnectServerSetup(TransferService& transfers, MessageService& messages,
                                       WebcastServerSettings& settings, const QString& appFolder,
                                       const QString& productId, int testTimeoutMs, int httpPort,
                                       QObject* parent)
    : QObject(parent), m_transfers(transfers), m_messages(messages), m_settings(settings),
      m_appFolder(appFolder), m_productId(productId), m_httpPort(httpPort)
{
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(testTimeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (!m_testing)
            return;
        m_testing = false;
        m_transfers.cancel(m_request);
        answered(TransferResult::failure(28, QStringLiteral("No answer in time")));
    });
}

ConnectServerSetup::~ConnectServerSetup()
{
    if (m_testing)
        m_transfers.cancel(m_request);
}

std::optional<ServerAddressFile::Octets> ConnectServerSetup::TimLoadDelay_Timer() const
{
    return ServerAddressFile::load(m_appFolder);
}

void ConnectServerSetup::ComTest_Click(const ServerAddressFile::Octets& octets)
{
    test(octets, false);
}

void ConnectServerSetup::ComOk_Click(const ServerAddressFile::Octets& octets)
{
    test(octets, true);
}

void ConnectServerSetup::test(const ServerAddressFile::Octets& octets, bool keep)
{
    if (m_testing || m_closing || !m_buttonsEnabled)
        return;
    setButtonsEnabled(false);
    if (!ServerAddressFile::valid(octets)) {
        m_messages.ask(NotSetMessage, MsgButtons::Ok, MsgIcon::Exclamation, [](MsgAnswer) {});
        setButtonsEnabled(true);
        return;
    }
    m_tested = octets;
    m_keep = keep;
    m_testing = true;
    m_timeout.start();
    m_request = m_transfers.get(
        ConnectQuery::url(ServerAddressFile::address(octets), m_productId, m_httpPort), this,
        [this](const TransferResult& result) {
            if (!m_testing || result.cancelled())
                return;
            m_testing = false;
            m_timeout.stop();
            answered(result);
        });
}

void ConnectServerSetup::answered(const TransferResult& result)
{
    if (m_closing)
        return;
    if (result.completed() && ConnectQuery::answeredOk(result.body)) {
        setStatus(QStringLiteral("Connected to Server"));
        emit delayStarted();
        if (m_keep) {
            m_settings.WebcastFtpUrl =
                QStringLiteral("ftp://") + ServerAddressFile::address(m_tested);
            m_settings.WebcastEventFolder = WebcastServerSettings::eventFolderFor(m_productId);
            if (!ServerAddressFile::save(m_appFolder, m_tested))
                m_messages.ask(QStringLiteral("The server address could not be saved in ") +
                                   m_appFolder + ServerAddressFile::FileName,
                               MsgButtons::Ok, MsgIcon::Exclamation, [](MsgAnswer) {});
            else
                emit delayOkStarted();
        }
        setButtonsEnabled(true);
        return;
    }
    setStatus(QStringLiteral("Server connection unavailable"));
    m_settings.WebcastFtpUrl.clear();
    setButtonsEnabled(true);
    m_messages.ask(QStringLiteral("No Server connection available."), MsgButtons::Ok,
                   MsgIcon::Exclamation, [](MsgAnswer) {});
    emit delayStarted();
}

void ConnectServerSetup::TimDelay_Timer()
{
    setStatus(IdleStatus);
}

void ConnectServerSetup::TimDelayOk_Timer()
{
    m_closing = true;
    emit closeRequested();
}

void ConnectServerSetup::setStatus(const QString& status)
{
    m_status = status;
    emit changed();
}

void ConnectServerSetup::setButtonsEnabled(bool enabled)
{
    m_buttonsEnabled = enabled;
    emit changed();
}
