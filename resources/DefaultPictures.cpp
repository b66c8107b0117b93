#include "resources/DefaultPictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

void drawTitle(QPainter& painter, const QRect& area, const QString& text, double heightShare)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(6, int(area.height() * heightShare)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(area, Qt::AlignCenter, text);
}

} // namespace

QImage DefaultPictures::holdingSlide(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, QColor(0x10, 0x2a, 0x4c));
    background.setColorAt(1, QColor(0x04, 0x0c, 0x18));
    painter.fillRect(image.rect(), background);
    painter.setPen(QColor(0xf2, 0xf4, 0xf8));
    drawTitle(painter, QRect(0, 0, size.width(), size.height() * 9 / 10),
              QStringLiteral("vesk stagor"), 0.14);
    painter.setPen(QColor(0x8c, 0xa6, 0xc8));
    QRect subtitle(0, size.height() * 55 / 100, size.width(), size.height() / 5);
    drawTitle(painter, subtitle, QStringLiteral("The session will begin shortly"), 0.045);
    return image;
}

QImage DefaultPictures::logo(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x10, 0x2a, 0x4c));
    drawTitle(painter, image.rect(), QStringLiteral("vesk"), 0.4);
    return image;
}

bool DefaultPictures::writeAll(const QString& folder)
{
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    // The holding pictures carry no extension; their content says what they are.
    return holdingSlide(QSize(1920, 1080)).save(base + QStringLiteral("dtitle"), "PNG") &&
           holdingSlide(QSize(192, 108)).save(base + QStringLiteral("dtitle-sm"), "PNG") &&
           logo(QSize(480, 270)).save(base + QStringLiteral("vesk.jpg"), "JPG", 90);
}
