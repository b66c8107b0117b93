#pragma once

#include <QString>
#include <QStringList>

// Reading a server listing the way the upload and the verification work it off: one entry a
// line, folders ending in "/". Only lines ended by CR LF are entries, so a listing without one
// has none. The listing is fetched once per folder and then worked off here, one line removed
// per deleted file, instead of being listed again.
class FtpListingText
{
public:
    // The file the server keeps for itself in every folder; never deleted, never "first".
    static inline const QString CreatorFile = QStringLiteral("creator.INI");

    // The entries, in order, without their line ends.
    static QStringList entries(const QString& listing);
    // Non-empty entries that do not end in "/".
    static int countFiles(const QString& listing);
    // The first entry that is no folder and not creator.INI; empty if none.
    static QString firstFile(const QString& listing);
    // The first entry ending in "/" other than "./" and "../", with its "/"; empty if none.
    static QString firstFolder(const QString& listing);
    static bool hasNoFolders(const QString& listing);
    // Whether an entry equals name + "/".
    static bool folderExists(const QString& listing, const QString& name);
    // "True" or "False": whether an entry equals name.
    static QString fileExists(const QString& listing, const QString& name);
    // The listing without the first entry equal to line (with its CR LF).
    static QString removeLine(const QString& listing, const QString& line);
    // A speaker's folder name on the server and in the LiveCast folder.
    static QString blanksToUnderscores(const QString& text);

private:
    static bool isFolder(const QString& entry);
};
