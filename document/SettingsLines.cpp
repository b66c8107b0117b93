#include "document/SettingsLines.h"

#include <QFile>
#include <QSaveFile>

std::optional<QStringList> SettingsLines::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A settings file is a handful of short lines; anything large is not ours.
    if (file.size() > 1 << 20)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromUtf8(line);
        start = end + 1;
    }
    return lines;
}

bool SettingsLines::write(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    file.write(bytes);
    return file.commit();
}
