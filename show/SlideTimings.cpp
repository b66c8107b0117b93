#include "show/SlideTimings.h"

#include <QLocale>

#include <cmath>

void SlideTimings::reset(int slideCount)
{
    m_entries = QStringList();
    for (int i = 0; i < std::max(slideCount, 1); ++i)
        m_entries << QString();
    m_entries[0] = QStringLiteral("True");
    m_lastPosition = 0;
}

QString SlideTimings::entry(int slide) const
{
    return slide >= 1 && slide <= count() ? m_entries[slide - 1] : QString();
}

bool SlideTimings::slideSeen(int position, const QDateTime& now)
{
    if (position == m_lastPosition)
        return false;
    if (m_lastPosition != 0) {
        double nowSeconds = secondsSinceMidnight(now);
        const QString elapsed = ElapsedText(m_showStartTimer, nowSeconds);
        if (m_lastPosition <= count())
            m_entries[m_lastPosition - 1] += QStringLiteral(", ") + elapsed;
    } else {
        m_firstSlideTime = timeText(now);
        m_showStartTimer = secondsSinceMidnight(now);
    }
    m_lastPosition = position;
    return true;
}

bool SlideTimings::recordDue() const
{
    return m_entries[0].startsWith(QStringLiteral("True"));
}

void SlideTimings::showEnded()
{
    if (recordDue()) {
        m_firstSlideTime.clear();
        m_showStartTimer = 0;
    }
    m_entries[0] = QStringLiteral("False");
    m_lastPosition = 0;
}

QString SlideTimings::ElapsedText(double& start, double& now)
{
    start = std::floor(start);
    now = std::floor(now);
    if (now < start)
        now += 86399;
    const qint64 seconds = qint64(now - start);
    auto twoDigits = [](qint64 value) {
        return QString::number(value).rightJustified(2, QLatin1Char('0'));
    };
    return twoDigits(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
           QLatin1Char(':') + twoDigits(seconds % 60);
}

double SlideTimings::secondsSinceMidnight(const QDateTime& time)
{
    return time.time().msecsSinceStartOfDay() / 1000.0;
}

QString SlideTimings::timeText(const QDateTime& time)
{
    return time.time().toString(QStringLiteral("HH:mm:ss"));
}

QString SlideTimings::dateText(const QDateTime& time)
{
    return QLocale::system().toString(time.date(), QLocale::ShortFormat);
}
