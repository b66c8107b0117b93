#include "livecast/ServerAddressFile.h"

#include "document/SettingsLines.h"

#include <QFile>
#include <QFileInfo>

bool ServerAddressFile::exists(const QString& appFolder)
{
    return QFile::exists(appFolder + FileName);
}

std::optional<ServerAddressFile::Octets> ServerAddressFile::load(const QString& appFolder)
{
    const QString path = appFolder + FileName;
    if (!QFile::exists(path))
        return std::nullopt;
    // Four short lines; anything much longer is not ours and reads as empty boxes.
    constexpr qint64 MaxFileBytes = 4096;
    Octets octets;
    if (QFileInfo(path).size() > MaxFileBytes)
        return octets;
    const std::optional<QStringList> lines = SettingsLines::read(path);
    if (!lines)
        return octets;
    for (size_t i = 0; i < octets.size() && qsizetype(i) < lines->size(); ++i) {
        const QString line = lines->at(qsizetype(i)).trimmed();
        if (!line.isEmpty() && line.size() <= 3 && isOctetText(line))
            octets[i] = line;
    }
    return octets;
}

bool ServerAddressFile::save(const QString& appFolder, const Octets& octets)
{
    return SettingsLines::write(appFolder + FileName,
                                QStringList{octets[0], octets[1], octets[2], octets[3]});
}

QString ServerAddressFile::address(const Octets& octets)
{
    return QStringList{octets[0], octets[1], octets[2], octets[3]}.join(QLatin1Char('.'));
}

bool ServerAddressFile::valid(const Octets& octets)
{
    for (const QString& octet : octets) {
        if (octet.isEmpty() || octet.size() > 3 || !isOctetText(octet) || octet.toInt() > 255)
            return false;
    }
    return true;
}

bool ServerAddressFile::isOctetText(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
