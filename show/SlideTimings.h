#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The per-slide timings of the talk being shown and the watcher's view of its show. Entry i
// (1-based, as slides are counted) collects ", hh:mm:ss" each time the show leaves slide i,
// counted from the talk's first slide. Entry 1 starts with "True" while the talk's record is
// still to be written; it turns "False" once it is.
class SlideTimings
{
public:
    // One empty entry: nothing is due before the first launch.
    SlideTimings() : m_entries{QString()} {}

    // A new launch of a presentation of slideCount slides (at least one entry is kept).
    void reset(int slideCount);
    int count() const { return int(m_entries.size()); }
    // Empty outside 1..count().
    QString entry(int slide) const;

    // The show was seen on slide `position`; returns false when that is the slide already seen.
    bool slideSeen(int position, const QDateTime& now);
    // The record of the current launch has not been written yet.
    bool recordDue() const;
    // After the show ended: the record (if any) is written, the next show starts from scratch.
    void showEnded();

    int LastPosition() const { return m_lastPosition; }
    const QString& FirstSlideTime() const { return m_firstSlideTime; }
    // Seconds since midnight when the first slide was seen; whole seconds once a slide was left.
    double ShowStartTimer() const { return m_showStartTimer; }

    // The time from start to now as hh:mm:ss. Both readings are cut to whole seconds in place;
    // a later reading below the earlier one means midnight passed, and 86399 is added to it.
    static QString ElapsedText(double& start, double& now);
    static double secondsSinceMidnight(const QDateTime& time);
    static QString timeText(const QDateTime& time);
    static QString dateText(const QDateTime& time);

private:
    QStringList m_entries;
    int m_lastPosition = 0;
    double m_showStartTimer = 0;
    QString m_firstSlideTime;
};
