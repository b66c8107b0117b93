#pragma once

#include <QImage>
#include <QString>

// The pictures the program ships: the default holding slide at full size and as a thumbnail,
// and the closing logo. Drawn here so that nothing is taken from elsewhere.
class DefaultPictures
{
public:
    static QImage holdingSlide(const QSize& size);
    static QImage logo(const QSize& size);
    // Writes "dtitle", "dtitle-sm" and "vesk.jpg" into folder; false when one cannot be written.
    static bool writeAll(const QString& folder);
};
