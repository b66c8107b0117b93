#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// Wraps a JPEG picture into a one-frame Flash movie for the webcast's web player: the picture,
// kept byte for byte, fills a 1024x768 frame (stretched when its own size differs). The movie is
// left uncompressed: its bulk is the JPEG, which deflate cannot shrink, and writing it must cost
// next to nothing beside the export of each slide.
//
// Everything here is reentrant: conversions may run on any thread, several at once.
class SwfWriter
{
public:
    static constexpr int FrameWidth = 1024;
    static constexpr int FrameHeight = 768;
    static constexpr int TwipsPerPixel = 20;
    // What the operator is told when a slide's Flash file could not be made; the export goes on.
    static inline const QString FailureMessage = QStringLiteral("Error converting Image file");

    // basePath + ".jpg" into basePath + ".swf", the way the export names its files. Empty on
    // success, else what went wrong.
    static QString convert(const QString& basePath);
    // A JPEG file into a Flash file. The Flash file is written beside its final name and renamed
    // into place when complete: on any failure an earlier file of that name stays as it was and
    // nothing else is left behind. Empty on success, else what went wrong.
    static QString writeFile(const QString& jpegPath, const QString& swfPath);
    // The same from JPEG bytes in memory.
    static QString writeBytes(const QByteArray& jpeg, const QString& swfPath);

    // The whole movie for these JPEG bytes; empty, with *error set, when they are no JPEG
    // picture a Flash player can show.
    static QByteArray movie(const QByteArray& jpeg, QString* error = nullptr);
    // Width and height from the JPEG's frame header; invalid, with *error set, when there is
    // none or the coding is one Flash players cannot decode.
    static QSize jpegSize(const QByteArray& jpeg, QString* error = nullptr);

    // The largest JPEG taken: far beyond any slide, well within the format's 32-bit lengths.
    static constexpr qint64 MaxJpegBytes = 256 * 1024 * 1024;
};
