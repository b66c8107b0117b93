#pragma once

#include <QString>
#include <QStringList>

// The image format of extracted slides, kept in "Slide.INI" as the menu entry index 1..5.
class SlideFormatSetting
{
public:
    static inline const QString FileName = QStringLiteral("Slide.INI");
    static inline const QStringList Formats = {QStringLiteral("BMP"), QStringLiteral("EMF"),
                                               QStringLiteral("GIF"), QStringLiteral("JPG"),
                                               QStringLiteral("WMF")};
    static constexpr int DefaultIndex = 2;

    int Index = DefaultIndex;

    // Three-letter type of the chosen entry ("EMF" by default).
    QString SlideImageFormat() const { return Formats.at(Index - 1); }

    // Creates the file with "2" when it is missing; an index out of range falls back to 2.
    void load(const QString& appFolder);
    bool save(const QString& appFolder) const;
};
