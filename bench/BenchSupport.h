#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class PresentationApp;
class QProcess;

// What every benchmark needs: realistic pictures and robust figures.
class BenchSupport
{
public:
    // 1920x1080, smooth shapes with sensor-like noise: compresses like a photograph, not like a
    // flat slide. The same seed gives the same picture.
    static QImage photograph(int seed);
    // False, after saying how to get one, when there is no X display to show on.
    static bool hasDisplay();
    static double median(std::vector<double> values);
    static double msSince(const QElapsedTimer& timer);

    // The office's own profile folder as a command-line argument.
    static QString profileArgument(const QString& folder);
    // The cold baseline of every show benchmark: `soffice --show deck` from a stopped office
    // with that profile until its show window is mapped (xdotool), then the office is ended
    // again. -1 when no show window appeared within boundMs.
    static double coldShowMs(const QString& deck, const QString& profile, int boundMs);
    // Ends an office started by hand with that profile: the launcher and the office it handed
    // over to, waiting until both have gone.
    static void endOffice(QProcess& office, const QString& profile);
    // A .pptx of `slides` slides with one photograph each, built through app (pictures are
    // written into folder). Empty on success, else what went wrong.
    static QString buildPhotoDeck(PresentationApp& app, const QString& folder, int slides,
                                  const QString& deckPath);
    // count saturated colours of distinct hues: none is near black, white or any grey, and
    // neighbours differ by far more than a show's scaling changes a plain colour.
    static QList<QRgb> slideColours(int count);
    // The same with one plain-coloured 1920x1080 picture per slide: the screen tells which slide
    // a show is on by the colour in its middle.
    static QString buildColourDeck(PresentationApp& app, const QString& folder,
                                   const QList<QRgb>& colours, const QString& deckPath);

private:
    static QString buildDeck(PresentationApp& app, const QStringList& pictures,
                             const QString& deckPath);
};
