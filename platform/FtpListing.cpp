#include "platform/FtpListing.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

QStringList linesOf(const QByteArray& listing)
{
    QStringList lines = QString::fromUtf8(listing).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

void addEntry(QString& entries, const QString& name, bool folder)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return;
    entries += name;
    if (folder)
        entries += QLatin1Char('/');
    entries += QLatin1String("\r\n");
}

} // namespace

QString FtpListing::fromMlsd(const QByteArray& listing)
{
    QString entries;
    for (const QString& line : linesOf(listing)) {
        // The facts end at the first blank; the name is everything after it, blanks included.
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        if (blank < 0)
            continue;
        QString type;
        for (const QString& fact : line.left(blank).split(QLatin1Char(';'))) {
            if (fact.startsWith(QLatin1String("type="), Qt::CaseInsensitive))
                type = fact.mid(5).toLower();
        }
        if (type == QLatin1String("cdir") || type == QLatin1String("pdir"))
            continue;
        addEntry(entries, line.mid(blank + 1), type == QLatin1String("dir"));
    }
    return entries;
}

QString FtpListing::fromList(const QByteArray& listing)
{
    static const QRegularExpression Unix(QStringLiteral(
        R"(^([-dlbcps])\S*\s+.*?\s[A-Za-z]{3}\s+\d{1,2}\s+(?:\d{1,2}:\d{2}|\d{4})\s(.*)$)"));
    static const QRegularExpression Windows(QStringLiteral(
        R"(^\d{2}-\d{2}-\d{2,4}\s+\d{1,2}:\d{2}(?:[AaPp][Mm])?\s+(<DIR>|\d+)\s+(.*)$)"));
    QString entries;
    for (const QString& line : linesOf(listing)) {
        if (const QRegularExpressionMatch unix = Unix.match(line); unix.hasMatch()) {
            QString name = unix.captured(2);
            const QChar kind = unix.captured(1).at(0);
            if (kind == QLatin1Char('l'))
                name = name.section(QStringLiteral(" -> "), 0, 0);
            addEntry(entries, name, kind == QLatin1Char('d'));
        } else if (const QRegularExpressionMatch windows = Windows.match(line);
                   windows.hasMatch()) {
            addEntry(entries, windows.captured(2), windows.captured(1) == QLatin1String("<DIR>"));
        }
    }
    return entries;
}
