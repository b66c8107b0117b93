#include "livecast/FtpListingText.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QStringList FtpListingText::entries(const QString& listing)
{
    QStringList lines = listing.split(LineEnd);
    // What follows the last CR LF is no entry: empty, or a line that was never ended.
    lines.removeLast();
    return lines;
}

bool FtpListingText::isFolder(const QString& entry)
{
    return entry.endsWith(QLatin1Char('/')) && entry != QLatin1String("./") &&
           entry != QLatin1String("../");
}

int FtpListingText::countFiles(const QString& listing)
{
    int count = 0;
    for (const QString& entry : entries(listing)) {
        if (!entry.isEmpty() && !entry.endsWith(QLatin1Char('/')))
            ++count;
    }
    return count;
}

QString FtpListingText::firstFile(const QString& listing)
{
    for (const QString& entry : entries(listing)) {
        if (!entry.isEmpty() && !entry.endsWith(QLatin1Char('/')) && entry != CreatorFile)
            return entry;
    }
    return QString();
}

QString FtpListingText::firstFolder(const QString& listing)
{
    for (const QString& entry : entries(listing)) {
        if (isFolder(entry))
            return entry;
    }
    return QString();
}

bool FtpListingText::hasNoFolders(const QString& listing)
{
    return firstFolder(listing).isEmpty();
}

bool FtpListingText::folderExists(const QString& listing, const QString& name)
{
    return entries(listing).contains(name + QLatin1Char('/'));
}

QString FtpListingText::fileExists(const QString& listing, const QString& name)
{
    return entries(listing).contains(name) ? QStringLiteral("True") : QStringLiteral("False");
}

QString FtpListingText::removeLine(const QString& listing, const QString& line)
{
    // A whole line only: "1.jpg" must not be cut out of "11.jpg" or "creator.INI" lose its end.
    const QString wanted = line + LineEnd;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = listing.indexOf(wanted, from);
        if (at < 0)
            return listing;
        if (at == 0 || listing.at(at - 1) == QLatin1Char('\n'))
            return listing.left(at) + listing.mid(at + wanted.size());
        from = at + 1;
    }
}

QString FtpListingText::blanksToUnderscores(const QString& text)
{
    return QString(text).replace(QLatin1Char(' '), QLatin1Char('_'));
}
