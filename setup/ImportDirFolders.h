#pragma once

#include <QString>
#include <QStringList>

// The folder rules behind the import-directory tree, apart from any widget. A node's key is its
// folder's full path without a trailing "/"; the one exception is the file system root, whose
// key is "/" itself.
class ImportDirFolders
{
public:
    // What PathPrefix gives when the path has fewer separators than asked for.
    static const QString NoPrefix;
    // Text of the stand-in child that gives an unopened folder with subfolders its expand sign.
    static const QString PlaceholderText;

    // The path up to its n-th "/", counting from 1. The text before the first "/" of an
    // absolute path is empty, so prefix 1 is the root "/" itself (as prefix 1 of a drive path
    // is the drive); prefix 2 is the first folder level ("/home"), and so on. NoPrefix when the
    // path has fewer than n separators or n is below 1.
    static QString PathPrefix(const QString& path, int n);

    // The folder's key: no trailing "/" except for the root.
    static QString keyOf(const QString& folder);
    static QString childKey(const QString& parentKey, const QString& name);
    static QString placeholderKey(const QString& parentKey);
    // The value kept as the import folder: the key with a trailing "/".
    static QString folderOf(const QString& key);

    // Whether the folder holds at least one visible subfolder; stops at the first. An unreadable
    // or missing folder has none.
    static bool hasSubfolders(const QString& folder);
    // Names of the folder's visible subfolders, sorted without regard to case.
    static QStringList subfolderNames(const QString& folder);
};
