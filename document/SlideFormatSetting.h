#pragma once

#include "document/SlideFormat.h"

#include <QString>
#include <QStringList>

// The image format of extracted slides, kept in "Slide.INI" as the menu entry index 1..5.
class SlideFormatSetting
{
public:
    static inline const QString FileName = QStringLiteral("Slide.INI");
    // Captions of the format menu; the code is the first three characters of each.
    static inline const QStringList Captions = {QStringLiteral("BMP - Device Independent Format"),
                                                QStringLiteral("EMF - Enhanced Windows Metafile"),
                                                QStringLiteral("GIF - Graphics Interchange Format"),
                                                QStringLiteral("JPG - File Interchange Format"),
                                                QStringLiteral("WMF - Windows Meta File")};
    static constexpr int DefaultIndex = 2;

    int Index = DefaultIndex;

    // The chosen entry's format (EMF by default): the menu lists them in the enum's order.
    SlideFormat SlideImageFormat() const { return SlideFormat(Index - 1); }

    // Creates the file with "2" when it is missing; an index out of range falls back to 2.
    void load(const QString& appFolder);
    bool save(const QString& appFolder) const;
};
