#include "show/ShowLogFiles.h"

#include "show/SlideTimings.h"

#include <QFile>

namespace {
constexpr int PrintZoneWidth = 14;
}

QString ShowLogFiles::printZones(const QStringList& values)
{
    QString line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        line += values[i];
        if (i + 1 < values.size()) {
            const qsizetype next = (line.size() / PrintZoneWidth + 1) * PrintZoneWidth;
            line += QString(next - line.size(), QLatin1Char(' '));
        }
    }
    return line;
}

bool ShowLogFiles::appendLines(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return file.write(bytes) == bytes.size();
}

QStringList ShowLogFiles::mark(const QString& title, const QDateTime& now)
{
    const double seconds = SlideTimings::secondsSinceMidnight(now);
    return {title,
            printZones({SlideTimings::dateText(now), SlideTimings::timeText(now),
                        QString::number(seconds, 'g', 7)}),
            QString()};
}

bool ShowLogFiles::appendTimeMark(const QString& desktopFolder, const QDateTime& now)
{
    return appendLines(desktopFolder + RunLogName, mark(QStringLiteral("[Record Time Log]"), now));
}

bool ShowLogFiles::appendSynchroniseMark(const QString& desktopFolder, const QDateTime& now)
{
    return appendLines(desktopFolder + RunLogName,
                       mark(QStringLiteral("[Synchronise Record]"), now));
}

bool ShowLogFiles::appendSpeakerTiming(const QString& desktopFolder, const QDateTime& now,
                                       const QString& speakerName, const QString& filePath,
                                       int showSlideCount, const SlideTimings& timings)
{
    QStringList lines{QStringLiteral("[Speaker]"),
                      printZones({SlideTimings::dateText(now), timings.FirstSlideTime(),
                                  QString::number(timings.ShowStartTimer(), 'g', 7)}),
                      speakerName + QStringLiteral(", #") + QString::number(showSlideCount),
                      filePath};
    for (int i = 1; i <= showSlideCount; ++i)
        lines << printZones({QString::number(i), timings.entry(i)});
    lines << QStringLiteral(" ");
    return appendLines(desktopFolder + RunLogName, lines);
}

bool ShowLogFiles::appendLaunch(const QString& appFolder, const QString& speakerName,
                                const QString& filePath, const QDateTime& now)
{
    return appendLines(appFolder + RecordLogName,
                       {speakerName, filePath, SlideTimings::dateText(now), QStringLiteral(" ")});
}

QList<ShowLogFiles::LaunchRecord> ShowLogFiles::readLaunches(const QString& appFolder)
{
    QList<LaunchRecord> records;
    QFile file(appFolder + RecordLogName);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\n"));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    for (qsizetype i = 0; i + 1 < lines.size(); i += 4) {
        if (lines[i + 1].isEmpty())
            continue;
        records << LaunchRecord{lines[i], lines[i + 1], lines.value(i + 2)};
    }
    return records;
}
