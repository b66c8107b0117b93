#include "livecast/InternetConnect.h"

#include "document/Event.h"
#include "livecast/AnswerFields.h"

InternetConnect::InternetConnect(TransferService& transfers, const WebServiceSettings& service,
                                 QObject* parent)
    : QObject(parent), m_transfers(transfers), m_service(service)
{}

InternetConnect::~InternetConnect()
{
    if (m_request)
        m_transfers.cancel(m_request);
}

QString InternetConnect::normalisedUrl(const QString& typed)
{
    if (typed.isEmpty() || typed.startsWith(QLatin1String("htt")))
        return typed;
    return QStringLiteral("http://") + typed;
}

QString InternetConnect::queryUrl(const WebServiceSettings& service, const QString& sessionName,
                                  const QString& password)
{
    if (!service.hasService())
        return {};
    return service.WebService + QStringLiteral("evf/internetconnect.php?sessionName=") +
           QString::fromLatin1(QUrl::toPercentEncoding(sessionName)) +
           QStringLiteral("&password=") + QString::fromLatin1(QUrl::toPercentEncoding(password));
}

void InternetConnect::query(const QString& sessionName, const QString& password,
                            std::function<void(const QString&, bool)> done)
{
    if (m_request)
        m_transfers.cancel(m_request);
    m_request = 0;
    const QString url = queryUrl(m_service, sessionName, password);
    if (url.isEmpty()) {
        done(QString(), false);
        return;
    }
    m_request = m_transfers.get(url, this, [this, done](const TransferResult& result) {
        if (result.cancelled())
            return;
        m_request = 0;
        const bool ok =
            result.completed() &&
            AnswerFields::value(result.body, QStringLiteral("testCode :")) == QLatin1String("OK");
        done(result.body, ok);
    });
}

void InternetConnect::test(const QString& sessionName, const QString& password,
                           std::function<void(const QString&)> done)
{
    query(sessionName, password, [done](const QString& answer, bool ok) {
        if (!ok)
            done(NoConnectionMessage);
        else if (AnswerFields::value(answer, QStringLiteral("sessionURL :")).isEmpty())
            done(NoSessionMessage);
        else
            done(TestOkMessage);
    });
}

void InternetConnect::resolvePage(const Event& event, bool sessionPage, const QSize& screen,
                                  std::function<void(const QUrl&)> done)
{
    const QString ownPage = event.InternetConnectUrl;
    query(event.InternetConnectSession, event.InternetConnectPassword,
          [done, ownPage, sessionPage, screen](const QString& answer, bool ok) {
              if (!ok)
                  return;
              if (!sessionPage) {
                  done(ownPage.isEmpty() ? QUrl() : QUrl(ownPage));
                  return;
              }
              const QString session = AnswerFields::value(answer, QStringLiteral("sessionURL :"));
              if (session.isEmpty()) {
                  done(QUrl());
                  return;
              }
              done(QUrl(session + QStringLiteral("?productID=") +
                        AnswerFields::value(answer, QStringLiteral("productID :")) +
                        QStringLiteral("&w=") + QString::number(screen.width()) +
                        QStringLiteral("&h=") + QString::number(screen.height())));
          });
}
