#include "livecast/ConnectQuery.h"

#include "livecast/AnswerFields.h"
#include "livecast/SessionRecord.h"
#include "livecast/WebcastServerSettings.h"

#include <QUrl>

namespace {

QString encoded(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

QString ConnectQuery::url(const QString& address, const QString& productId, int httpPort)
{
    const QString port =
        httpPort == DefaultHttpPort ? QString() : QLatin1Char(':') + QString::number(httpPort);
    return QStringLiteral("http://") + address + port + QStringLiteral("/connect.php?productID=") +
           encoded(productId);
}

QString ConnectQuery::url(const QString& address, const QString& productId,
                          const SessionRecord& session, int httpPort)
{
    return url(address, productId, httpPort) + QStringLiteral("&sessionName=") +
           encoded(session.SessionName) + QStringLiteral("&sessionSubtitle=") +
           encoded(session.SessionSubtitle) + QStringLiteral("&description=") +
           encoded(session.Description) + QStringLiteral("&password=") + encoded(session.Password);
}

bool ConnectQuery::answeredOk(const QString& answer)
{
    return AnswerFields::value(answer, QStringLiteral("testCode :")) == QLatin1String("OK");
}

void ConnectQuery::fill(const QString& answer, const QString& address, const QString& productId,
                        WebcastServerSettings& settings)
{
    settings.fillFrom(answer, productId);
    settings.WebcastFtpUrl = QStringLiteral("ftp://") + address;
}
