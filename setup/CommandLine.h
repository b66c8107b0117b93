#pragma once

#include <QString>
#include <QStringList>

// What the program was started with: an optional application folder and one file to open.
struct CommandLine
{
    QString appFolder;
    QString file;

    // Arguments after the program name. "--app-folder DIR" (or "--app-folder=DIR") names the
    // application folder; the first other argument is the file. A file manager passes a bare path,
    // a Windows-style launcher a quoted one: surrounding quotes are dropped.
    static CommandLine parse(const QStringList& arguments);
};
