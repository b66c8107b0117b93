#pragma once

#include <QDateTime>
#include <QString>

// Dates and times in the operator's files as the system writes them: the locale's short date
// and the time with seconds.
class SystemDateTimeText
{
public:
    static QString date(const QDateTime& when);
    static QString time(const QDateTime& when);
    // Date, a blank and time.
    static QString dateTime(const QDateTime& when)
    {
        return date(when) + QLatin1Char(' ') + time(when);
    }
};
