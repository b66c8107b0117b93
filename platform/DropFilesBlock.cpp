#include "platform/DropFilesBlock.h"

#include <QtEndian>

namespace {

constexpr int ListOffsetField = 0;
constexpr int WideFlagField = 16;

quint32 headerField(const QByteArray& block, int at)
{
    return qFromLittleEndian<quint32>(block.constData() + at);
}

// Only pieces followed by their NUL count: a piece running into the end of the block was cut.
QStringList completePieces(const QString& text)
{
    QStringList paths;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf(QChar(u'\0'), start);
        if (end < 0 || end == start)
            break;
        paths.append(text.mid(start, end - start));
        start = end + 1;
    }
    return paths;
}

} // namespace

QByteArray DropFilesBlock::encode(const QStringList& paths)
{
    QByteArray block(HeaderBytes, '\0');
    qToLittleEndian<quint32>(HeaderBytes, block.data() + ListOffsetField);
    for (const QString& path : paths) {
        block.append(path.toUtf8());
        block.append('\0');
    }
    block.append('\0');
    return block;
}

QStringList DropFilesBlock::decode(const QByteArray& block)
{
    if (block.size() < HeaderBytes)
        return {};
    const quint32 offset = headerField(block, ListOffsetField);
    // An offset into the header would read the header as names.
    if (offset < quint32(HeaderBytes) || offset > quint32(block.size()))
        return {};
    const QByteArray list = block.mid(qsizetype(offset));
    if (headerField(block, WideFlagField) == 1) {
        // A trailing odd byte is half a character and cannot end a name.
        const qsizetype units = list.size() / 2;
        QString text(units, Qt::Uninitialized);
        for (qsizetype i = 0; i < units; ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(list.constData() + 2 * i));
        return completePieces(text);
    }
    return completePieces(QString::fromUtf8(list));
}
