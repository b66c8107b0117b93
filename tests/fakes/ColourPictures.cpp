#include "tests/fakes/ColourPictures.h"

#include "platform/PresentationApp.h"
#include "platform/PresentationDocument.h"
#include "tests/fakes/TestFolder.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

QList<QRgb> ColourPictures::colours(int count)
{
    QList<QRgb> result;
    for (int i = 0; i < count; ++i)
        result << QColor::fromHsv((i * 360 / std::max(count, 1)) % 360, 220, 220).rgb();
    return result;
}

QStringList ColourPictures::write(const TestFolder& folder, const QList<QRgb>& colours)
{
    QStringList pictures;
    for (qsizetype i = 0; i < colours.size(); ++i) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(colours[i]);
        pictures << folder.path(QStringLiteral("picture%1.png").arg(i + 1));
        if (!image.save(pictures.last()))
            return {};
    }
    return pictures;
}

QString ColourPictures::buildDeck(PresentationApp& app, const TestFolder& folder,
                                  const QList<QRgb>& colours, const QString& deckPath)
{
    const QStringList pictures = write(folder, colours);
    if (pictures.size() != colours.size())
        return QStringLiteral("pictures not written");
    const auto built = app.buildFromPictures(pictures, PresentationApp::Visibility::Hidden);
    if (!built.ok())
        return built.error();
    const PresentationStatus saved =
        built.value()->saveCopyAs(deckPath, PresentationDocument::FileFormat::Pptx);
    built.value()->close();
    return saved.ok() ? QString() : saved.error();
}

bool ColourPictures::near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <
           tolerance;
}

QRgb ColourPictures::centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

QImage ColourPictures::pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb((x * 5 + seed) % 256, (y * 3 + seed * 7) % 256, (x ^ y) % 256));
    return image;
}
