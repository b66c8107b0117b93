#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

class TestFolder;

// Pictures of one plain colour each, so that slides built from them can be told apart by the
// colour at their centre.
class ColourPictures
{
public:
    // Writes picture1.png, picture2.png, ... into folder; empty when one cannot be written.
    static QStringList write(const TestFolder& folder, const QList<QRgb>& colours);
};
