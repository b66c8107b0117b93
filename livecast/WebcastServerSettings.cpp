#include "livecast/WebcastServerSettings.h"

#include "livecast/AnswerFields.h"

QString WebcastServerSettings::eventFolderFor(const QString& productId)
{
    return productId.left(6) + QStringLiteral("VKT") + productId.right(3);
}

void WebcastServerSettings::fillFrom(const QString& answer, const QString& productId)
{
    auto value = [&](const char* key) { return AnswerFields::value(answer, QLatin1String(key)); };
    WebcastFtpUrl = QStringLiteral("ftp://") + value("url :");
    WebcastServerName = value("serverName :");
    WebcastUserName = value("userName :");
    WebcastPassword = value("password :");
    WebcastUploadDir = value("uploadExtension :");
    if (!WebcastUploadDir.isEmpty())
        WebcastUploadDir.prepend(QLatin1Char('/'));
    WebcastEventFolder = eventFolderFor(productId);
    EncoderFmsUrl = value("encoderFMSURL :");
    EncoderStreamName = value("streamName :");
}
