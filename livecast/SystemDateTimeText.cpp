#include "livecast/SystemDateTimeText.h"

#include <QLocale>

QString SystemDateTimeText::date(const QDateTime& when)
{
    return QLocale::system().toString(when.date(), QLocale::ShortFormat);
}

QString SystemDateTimeText::time(const QDateTime& when)
{
    return when.time().toString(QStringLiteral("HH:mm:ss"));
}
