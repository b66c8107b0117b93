#pragma once

#include <QString>

// The audience's web page: the room's video beside the slide on screen, following "status.inf".
// It is installed with the program (share/vesk-stagor-web/player, with the HLS player it loads)
// and goes, as a folder "player" of its own, beside the status file it reads: into the local
// streaming server's folder in Localhost mode, into the event's folder on the webcast server
// with the admin files.
class PlayerPage
{
public:
    static inline const QString FolderName = QStringLiteral("player");
    static inline const QString PageFile = QStringLiteral("index.html");

    // share/vesk-stagor-web beside the program's folder, or STAGOR_WEB_FOLDER when set.
    static QString installedWebFolder();
    // webFolder's "player" folder when it holds the page; empty otherwise.
    static QString sourceFolder(const QString& webFolder);
    // Copies the page's files into folder + "/player" (made when missing), each replacing an
    // older copy in one step. False when there is no page to copy or a file could not be
    // copied.
    static bool copyInto(const QString& webFolder, const QString& folder);
};
