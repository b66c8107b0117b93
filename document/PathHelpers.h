#pragma once

#include <QString>

#include <atomic>
#include <functional>

// Path and file helpers shared by every window. Paths use "/" as their separator.
class PathHelpers
{
public:
    // Everything after the last "/" (the search starts at the second-last character, so a
    // trailing "/" belongs to the name). Empty for an empty path; the whole path when it has no
    // "/".
    static QString FileNameOf(const QString& path);
    // Everything up to and including that "/"; empty when there is none.
    static QString FolderOf(const QString& path);
    // Empty when nothing exists at path; otherwise the smallest n >= 2 (as text) for which the
    // path with n inserted before its extension names no existing file.
    static QString UniqueNumberSuffix(const QString& path);
    // The path with a suffix inserted before the extension of its file name: Talk.ppt -> Talk2.ppt.
    static QString withSuffix(const QString& path, const QString& suffix);
    // Byte-for-byte comparison; false when either file cannot be read.
    static bool FilesAreEqual(const QString& a, const QString& b);
    // Copies source to target (replacing it) through a file beside the target, so a failed copy
    // never leaves a half-written target; the copy is made writable. False on any failure, and
    // when *stop turns true: then within one chunk, with the partial file removed. progress
    // hears the bytes copied so far and the source's size after every chunk.
    using CopyProgress = std::function<void(qint64 doneBytes, qint64 totalBytes)>;
    static bool ShellCopyFile(const QString& source, const QString& target,
                              const CopyProgress& progress = {},
                              const std::atomic<bool>* stop = nullptr);
    // Renames a file; never replaces another file. True when the file now has the new name.
    static bool ShellRenameFile(const QString& oldPath, const QString& newPath);
    // Appends "/" when the folder does not end with one.
    static QString withTrailingSlash(const QString& folder);
};
