#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

class PresentationApp;
class QImage;
class TestFolder;

// Pictures of one plain colour each, so that slides built from them can be told apart by the
// colour at their centre.
class ColourPictures
{
public:
    // count colours, all told apart from each other at a glance.
    static QList<QRgb> colours(int count);
    // Writes picture1.png, picture2.png, ... into folder; empty when one cannot be written.
    static QStringList write(const TestFolder& folder, const QList<QRgb>& colours);
    // Builds a deck of one slide per colour through the program and saves it as .pptx at
    // deckPath. Empty on success, else what went wrong.
    static QString buildDeck(PresentationApp& app, const TestFolder& folder,
                             const QList<QRgb>& colours, const QString& deckPath);
    // Whether two colours differ by less than tolerance, summed over red, green and blue: what an
    // export's scaling and compression leave of a plain colour.
    static bool near(QRgb a, QRgb b, int tolerance = 60);
    // A picture whose pixels all differ with their place and the seed: hard to compress, and two
    // seeds never give the same picture.
    static QImage pattern(int width, int height, int seed);
    // The colour at the centre of a picture.
    static QRgb centre(const QImage& image);
};
