#include "show/LaunchRecordRows.h"

#include "show/ShowLogFiles.h"

#include <QFileInfo>

#include <algorithm>

QList<LaunchRecordRows::Row> LaunchRecordRows::load(const QString& appFolder)
{
    QList<Row> rows;
    for (const ShowLogFiles::LaunchRecord& launch : ShowLogFiles::readLaunches(appFolder)) {
        rows.removeIf([&](const Row& row) { return row.file == launch.path; });
        const QFileInfo file(launch.path);
        Row row{launch.name, file.isFile(), launch.path, launch.date, QString()};
        if (row.available)
            row.size = SizeText(file.size());
        rows << row;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return rows;
}

QString LaunchRecordRows::SizeText(qint64 bytes)
{
    static const char* const units[] = {"KB", "MB", "GB"};
    double value = double(std::max<qint64>(bytes, 0)) / 1000;
    int unit = 0;
    while (value >= 1000 && unit < 2) {
        value /= 1000;
        ++unit;
    }
    return QString::number(value, 'f', value < 10 ? 1 : 0) + QLatin1String(units[unit]);
}
