#include "setup/widgets/frmInitialise.h"

#include <QLabel>
#include <QVBoxLayout>

frmInitialise::frmInitialise(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmInitialise"));
    setWindowTitle(QStringLiteral("vesk stagor - Initialising....."));
    auto* label = new QLabel(QStringLiteral("vesk stagor - Initialising....."), this);
    label->setObjectName(QStringLiteral("labInitialise"));
    label->setAccessibleName(label->text());
    label->setAccessibleDescription(QStringLiteral("labInitialise"));
    label->setMargin(24);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    label->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    setAccessibleName(label->text());
    setAccessibleDescription(QStringLiteral("frmInitialise"));
}
