#include "livecast/ErrorLog.h"

#include "livecast/SystemDateTimeText.h"

#include <QFile>

ErrorLog::ErrorLog(const QString& appFolder, std::function<QDateTime()> now)
    : m_path(appFolder + FileName), m_now(std::move(now))
{}

bool ErrorLog::append(const QString& error) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = line(m_now(), error).toUtf8() + "\r\n";
    return file.write(bytes) == bytes.size() && file.flush();
}

QString ErrorLog::line(const QDateTime& when, const QString& error)
{
    return QStringLiteral("Date & Time: ") + SystemDateTimeText::date(when) + QLatin1Char(' ') +
           SystemDateTimeText::time(when) + QLatin1Char(' ') + error;
}
