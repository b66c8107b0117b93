#pragma once

#include <QList>
#include <QString>

// The rows the record window shows for "Record.log": one per presentation, from its newest
// launch, sorted by speaker name.
class LaunchRecordRows
{
public:
    struct Row
    {
        QString name;
        bool available = false; // the file is still there
        QString file;
        QString date;
        QString size; // empty for a file that has gone
    };

    static QList<Row> load(const QString& appFolder);
    // Bytes as "KB" (divided by 1000 once) or "MB" (twice); "GB" from a billion bytes on. One
    // decimal below ten, none above.
    static QString SizeText(qint64 bytes);
};
