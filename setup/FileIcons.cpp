#include "setup/FileIcons.h"

#include "document/SpeakerTable.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap slideOutline(const QColor& colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(150), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(3, 6, 26, 20), 2, 2);
    painter.fillRect(QRectF(6, 9, 20, 4), colour);
    return pixmap;
}

} // namespace

QIcon FileIcons::presentation()
{
    QPixmap pixmap = slideOutline(QColor(208, 74, 36));
    QPainter painter(&pixmap);
    painter.fillRect(QRectF(6, 15, 12, 2), Qt::gray);
    painter.fillRect(QRectF(6, 19, 16, 2), Qt::gray);
    return QIcon(pixmap);
}

QIcon FileIcons::show()
{
    QPixmap pixmap = slideOutline(QColor(36, 120, 208));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath play;
    play.moveTo(13, 14);
    play.lineTo(21, 18.5);
    play.lineTo(13, 23);
    play.closeSubpath();
    painter.fillPath(play, QColor(36, 120, 208));
    return QIcon(pixmap);
}

QIcon FileIcons::forFile(const QString& path)
{
    return SpeakerTable::isShowFile(path) ? show() : presentation();
}
