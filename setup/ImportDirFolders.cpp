#include "setup/ImportDirFolders.h"

#include <QDir>
#include <QDirIterator>

const QString ImportDirFolders::NoPrefix = QStringLiteral("None");
const QString ImportDirFolders::PlaceholderText = QStringLiteral("Temp");

namespace {

// Hidden folders stay out of the tree, as the desktop's own folder dialogs leave them out.
constexpr QDir::Filters SubfolderFilter = QDir::Dirs | QDir::NoDotAndDotDot;

QString withSeparator(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace

QString ImportDirFolders::PathPrefix(const QString& path, int n)
{
    if (n < 1)
        return NoPrefix;
    qsizetype at = -1;
    for (int found = 0; found < n; ++found) {
        at = path.indexOf(QLatin1Char('/'), at + 1);
        if (at < 0)
            return NoPrefix;
    }
    // Before the first "/" of an absolute path there is nothing: that level is the root.
    return at == 0 ? QStringLiteral("/") : path.left(at);
}

QString ImportDirFolders::keyOf(const QString& folder)
{
    QString key = folder;
    while (key.size() > 1 && key.endsWith(QLatin1Char('/')))
        key.chop(1);
    return key;
}

QString ImportDirFolders::childKey(const QString& parentKey, const QString& name)
{
    return withSeparator(parentKey) + name;
}

QString ImportDirFolders::placeholderKey(const QString& parentKey)
{
    return childKey(parentKey, PlaceholderText);
}

QString ImportDirFolders::folderOf(const QString& key)
{
    return withSeparator(key);
}

bool ImportDirFolders::hasSubfolders(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    return QDirIterator(withSeparator(folder), SubfolderFilter).hasNext();
}

QStringList ImportDirFolders::subfolderNames(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    return QDir(withSeparator(folder))
        .entryList(SubfolderFilter, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}
