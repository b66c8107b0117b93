#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class SlideTimings;

// The traces play mode leaves for the organisers: "stagor.log" on the desktop (time marks,
// synchronise marks, per-slide timings of every talk) and "Record.log" in the application folder
// (one record per launch). Both are only ever appended to; a log that cannot be written is
// reported by the result and otherwise ignored, as a show must go on.
class ShowLogFiles
{
public:
    static inline const QString RunLogName = QStringLiteral("stagor.log");
    static inline const QString RecordLogName = QStringLiteral("Record.log");

    struct LaunchRecord
    {
        QString name;
        QString path;
        QString date;
    };

    // Values of one print statement: every value but the last is padded with blanks to the next
    // multiple of 14 columns (with at least one blank between two values).
    static QString printZones(const QStringList& values);

    static bool appendTimeMark(const QString& desktopFolder, const QDateTime& now);
    static bool appendSynchroniseMark(const QString& desktopFolder, const QDateTime& now);
    static bool appendSpeakerTiming(const QString& desktopFolder, const QDateTime& now,
                                    const QString& speakerName, const QString& filePath,
                                    int showSlideCount, const SlideTimings& timings);
    static bool appendLaunch(const QString& appFolder, const QString& speakerName,
                             const QString& filePath, const QDateTime& now);
    // The launches in file order; a missing file gives none. A last record cut short still
    // counts when it names a file.
    static QList<LaunchRecord> readLaunches(const QString& appFolder);

private:
    static bool appendLines(const QString& path, const QStringList& lines);
    static QStringList mark(const QString& title, const QDateTime& now);
};
