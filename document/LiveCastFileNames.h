#pragma once

#include <QString>
#include <QTime>

// How the webcast's picture files are named. Every export of a group of slides (the holding
// slide, the pop-ups, the rolling presentation, one speaker's talk) stamps its files with a time
// code, the time of day it started; the event keeps each group's code, so that the names the
// last export gave can be worked out again later (to upload or verify them). Names have no
// extension: the export writes a ".jpg" and a ".swf" of each.
class LiveCastFileNames
{
public:
    // "hhmmss": 14:05:09 gives "140509".
    static QString timeCode(const QTime& time);
    // The speaker's name with every blank turned into "_".
    static QString speakerFolder(const QString& speakerName);

    static QString holding(const QString& timeCode) { return QStringLiteral("h") + timeCode; }
    // slot from 0 to 9, named by its key number (slot 9 is "0").
    static QString popUp(int slot, const QString& timeCode);
    // slide from 1.
    static QString rolling(int slide, const QString& timeCode);
    // Inside the speaker's folder; slide from 1.
    static QString speakerSlide(int slide, const QString& timeCode);

    // The local streaming server's content folder, as the first line of "FMS.ini" in the
    // application folder names it, + "/veskCast"; empty without that file or when the folder
    // it names does not exist.
    static QString localCopyFolder(const QString& appFolder);
};
