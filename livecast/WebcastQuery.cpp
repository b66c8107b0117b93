#include "livecast/WebcastQuery.h"

#include "livecast/AnswerFields.h"
#include "livecast/WebcastServerSettings.h"

#include <QUrl>

QString WebcastQuery::url(const QString& serviceAddress, const QString& productId)
{
    // The identifier is opaque: whatever it holds must not change the query's shape.
    return serviceAddress + QStringLiteral("evf/webcast.php?productID=") +
           QString::fromLatin1(QUrl::toPercentEncoding(productId));
}

WebcastQuery::Reading WebcastQuery::read(const QString& answer, const QString& productId,
                                         WebcastServerSettings& settings)
{
    if (AnswerFields::value(answer, QStringLiteral("testCode :")) != QLatin1String("OK")) {
        settings.WebcastFtpUrl.clear();
        return {Outcome::NoConnection, NoConnectionStatus};
    }
    settings.fillFrom(answer, productId);
    if (settings.WebcastServerName.isEmpty())
        return {Outcome::NoServer, QStringLiteral("No Server available for ") + productId};
    return {Outcome::Connected, QStringLiteral("Connected to ") + settings.WebcastServerName};
}
