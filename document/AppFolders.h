#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the program keeps its files: the per-user application folder with the settings, the
// per-run working folder, the LiveCast folder and the desktop.
class AppFolders
{
public:
    // --app-folder wins, then STAGOR_APP_FOLDER, then $XDG_DATA_HOME/vesk-stagor (by default
    // ~/.local/share/vesk-stagor). Always ends with "/".
    static QString resolveAppFolder(const QString& argumentFolder, const QProcessEnvironment& env);
    // STAGOR_DESKTOP_FOLDER, else the desktop; ends with "/".
    static QString resolveDesktopFolder(const QProcessEnvironment& env);
    // STAGOR_LIVECAST_FOLDER, else ~/veskCast; no trailing "/".
    static QString resolveLiveCastFolder(const QProcessEnvironment& env);
    // The application folder followed by the process id: unique among running instances.
    static QString runFolderFor(const QString& appFolder, qint64 processId);

    // Copies every file of the installed resources that the application folder lacks, keeping
    // the operator's own copies. Returns false when the folder cannot be made.
    static bool seed(const QString& appFolder, const QString& resourcesFolder);
    // The read-only resources installed with the program (share/vesk-stagor beside bin/).
    static QString installedResourcesFolder();

    // Creates the folder and its parents; true when it exists afterwards.
    static bool ensureFolder(const QString& folder);
    // Removes the folder with everything in it, read-only files included.
    static bool removeFolder(const QString& folder);
};
