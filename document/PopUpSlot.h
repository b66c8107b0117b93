#pragma once

#include <QImage>
#include <QString>

// One of the ten numbered pop-up slides. A slot is in use exactly when its thumbnail is set.
struct PopUpSlot
{
    static inline const QString EmptyName = QStringLiteral("(Empty)");

    QString Name = EmptyName;
    QImage Full;
    QImage Thumb;

    bool isUsed() const { return !Thumb.isNull(); }
    void clear() { *this = PopUpSlot(); }
};
