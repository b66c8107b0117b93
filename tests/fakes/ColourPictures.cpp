#include "ColourPictures.h"

#include "TestFolder.h"

#include <QImage>

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
