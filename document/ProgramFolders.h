#pragma once

#include <QString>

// Where this run of the program keeps and finds things; set at start-up.
struct ProgramFolders
{
    QString AppFolder;     // ends with "/"
    QString RunFolder;     // no trailing "/"
    QString DesktopFolder; // ends with "/"
    QString LiveCastFolder;
};
