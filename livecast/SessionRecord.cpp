#include "livecast/SessionRecord.h"

#include <QFile>
#include <QSaveFile>

#include <array>

namespace {

// Far more than five typed fields; a bigger file is not ours.
constexpr qint64 MaxFileBytes = 64 * 1024;

QByteArray field(const QString& text)
{
    QString kept = text;
    kept.remove(QLatin1Char(']'));
    return '[' + kept.toLatin1() + ']';
}

} // namespace

bool SessionRecord::exists(const QString& appFolder)
{
    return QFile::exists(appFolder + FileName);
}

SessionRecord SessionRecord::load(const QString& appFolder)
{
    QFile file(appFolder + FileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.read(MaxFileBytes));
}

bool SessionRecord::save(const QString& appFolder) const
{
    QSaveFile file(appFolder + FileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encode();
    return file.write(bytes) == bytes.size() && file.commit();
}

QByteArray SessionRecord::encode() const
{
    return field(SessionName) + field(SessionSubtitle) + field(Description) + field(PasswordFlag) +
           field(Password);
}

SessionRecord SessionRecord::decode(QByteArrayView bytes)
{
    SessionRecord record;
    record.PasswordFlag.clear();
    const std::array<QString*, 5> fields{&record.SessionName, &record.SessionSubtitle,
                                         &record.Description, &record.PasswordFlag,
                                         &record.Password};
    qsizetype at = 0;
    for (QString* value : fields) {
        // A field opens with "[" and runs up to its first "]"; anything else means the rest of
        // the record cannot be trusted.
        if (at >= bytes.size() || bytes[at] != '[')
            break;
        const qsizetype close = bytes.indexOf(']', at + 1);
        if (close < 0)
            break;
        *value = QString::fromLatin1(bytes.sliced(at + 1, close - at - 1));
        at = close + 1;
    }
    return record;
}
