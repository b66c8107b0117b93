#pragma once

#include <QString>

// Where the local streaming server keeps its content: the first line of "FMS.ini" in the
// application folder. Without that file no local server is installed.
class LocalStreamingFolder
{
public:
    static inline const QString FileName = QStringLiteral("FMS.ini");
    // The LiveCast slides' folder inside it.
    static inline const QString SlidesFolder = QStringLiteral("veskCast");

    // appFolder ends with "/". Empty when the file is missing, unreadable or its first line is.
    static QString read(const QString& appFolder);
    // folder + "/veskCast" (one "/" whether or not folder ends with one); empty for no folder.
    static QString slidesFolderIn(const QString& folder);
};
