#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

class PresentationApp;
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
};
