#include "bench/BenchSupport.h"

#include <cstdio>

#include "platform/PresentationApp.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <cmath>

bool BenchSupport::hasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        return true;
    std::fprintf(stderr, "No display: run it under scripts/with-display.sh\n");
    return false;
}

QImage BenchSupport::photograph(int seed)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QRandomGenerator rng{quint32(seed)};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double fx = x / 1920.0, fy = y / 1080.0;
            const int noise = int(rng.bounded(24u)) - 12;
            const int r = int(128 + 100 * std::sin(6 * fx + seed)) + noise;
            const int g = int(128 + 100 * std::cos(5 * fy + fx * seed)) + noise;
            const int b = int(128 + 90 * std::sin(9 * (fx + fy))) + noise;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

double BenchSupport::median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double BenchSupport::msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

QString BenchSupport::profileArgument(const QString& folder)
{
    return QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(folder).toString();
}

namespace {

bool showWindowMapped()
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {"search", "--onlyvisible", "--name", QStringLiteral("^Presenting: ")});
    return search.waitForFinished(5000) && !search.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

void BenchSupport::endOffice(QProcess& office, const QString& profile)
{
    office.kill();
    office.waitForFinished(10000);
    // soffice hands over to soffice.bin, which outlives the launcher.
    const QString argument = BenchSupport::profileArgument(profile);
    QProcess::execute(QStringLiteral("pkill"), {"-9", "-f", "--", argument});
    QElapsedTimer timer;
    timer.start();
    while (QProcess::execute(QStringLiteral("pgrep"), {"-f", "--", argument}) == 0 &&
           timer.elapsed() < 10000)
        QThread::msleep(50);
}

double BenchSupport::coldShowMs(const QString& deck, const QString& profile, int boundMs)
{
    QProcess office;
    QElapsedTimer timer;
    timer.start();
    office.start(QStringLiteral("soffice"),
                 {profileArgument(profile), "--norestore", "--nologo", "--show", deck});
    double result = -1;
    while (timer.elapsed() < boundMs) {
        if (showWindowMapped()) {
            result = msSince(timer);
            break;
        }
        QThread::msleep(10);
    }
    endOffice(office, profile);
    // The killed office leaves its lock file behind.
    QFile::remove(QFileInfo(deck).absolutePath() + "/.~lock." + QFileInfo(deck).fileName() + "#");
    return result;
}

QString BenchSupport::buildPhotoDeck(PresentationApp& app, const QString& folder, int slides,
                                     const QString& deckPath)
{
    QStringList pictures;
    for (int i = 0; i < slides; ++i) {
        pictures << folder + QStringLiteral("/photo%1.jpg").arg(i + 1);
        if (!photograph(i).save(pictures.last(), "JPEG", 90))
            return QStringLiteral("could not write ") + pictures.last();
    }
    return buildDeck(app, pictures, deckPath);
}

QList<QRgb> BenchSupport::slideColours(int count)
{
    QList<QRgb> colours;
    for (int i = 0; i < count; ++i)
        colours << QColor::fromHsv(i * 359 / std::max(count, 1), 255, 230).rgb();
    return colours;
}

QString BenchSupport::buildColourDeck(PresentationApp& app, const QString& folder,
                                      const QList<QRgb>& colours, const QString& deckPath)
{
    QStringList pictures;
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (qsizetype i = 0; i < colours.size(); ++i) {
        pictures << folder + QStringLiteral("/colour%1.png").arg(i + 1);
        picture.fill(colours[i]);
        if (!picture.save(pictures.last(), "PNG"))
            return QStringLiteral("could not write ") + pictures.last();
    }
    return buildDeck(app, pictures, deckPath);
}

QString BenchSupport::buildDeck(PresentationApp& app, const QStringList& pictures,
                                const QString& deckPath)
{
    const auto built = app.buildFromPictures(pictures, PresentationApp::Visibility::Hidden);
    if (!built.ok())
        return built.error();
    const PresentationStatus saved =
        built.value()->saveCopyAs(deckPath, PresentationDocument::FileFormat::Pptx);
    built.value()->close();
    return saved.ok() ? QString() : saved.error();
}
