#pragma once

#include "livecast/WebServiceSettings.h"
#include "platform/TransferService.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QUrl>

#include <functional>

class Event;

// An event's link to a session the vendor's web service hosts: the session test of the
// settings window, and the page keys "U" and "I" of the launch screen open. Each asks the
// service's "evf/internetconnect.php" with the session name and password, off this thread; a
// newer request replaces one still on its way.
class InternetConnect : public QObject
{
    Q_OBJECT

public:
    static inline const QString NoConnectionMessage =
        QStringLiteral("No internet connection available.");
    static inline const QString NoSessionMessage =
        QStringLiteral("No session available.\rPlease check session name and password.");
    static inline const QString TestOkMessage = QStringLiteral("Session test completed ok.");

    // Both must outlive the connection.
    InternetConnect(TransferService& transfers, const WebServiceSettings& service,
                    QObject* parent = nullptr);
    ~InternetConnect() override;

    // "http://" in front of an address that does not start with "htt"; anything else (and no
    // address at all) as typed.
    static QString normalisedUrl(const QString& typed);
    // The session query, its values percent-encoded; empty without a service address.
    static QString queryUrl(const WebServiceSettings& service, const QString& sessionName,
                            const QString& password);

    // The settings window's Test: done(message) with the text the operator is to read.
    void test(const QString& sessionName, const QString& password,
              std::function<void(const QString&)> done);
    // Keys "U" (sessionPage false: the event's own page) and "I" (the session's page, sized for
    // the screen). done(url) only when the service answered "OK"; an empty url means the event
    // or the service names no page, and the default page is to be shown.
    void resolvePage(const Event& event, bool sessionPage, const QSize& screen,
                     std::function<void(const QUrl&)> done);

private:
    void query(const QString& sessionName, const QString& password,
               std::function<void(const QString& answer, bool ok)> done);

    TransferService& m_transfers;
    WebServiceSettings m_service;
    TransferService::RequestId m_request = 0;
};
