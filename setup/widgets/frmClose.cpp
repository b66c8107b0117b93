#include "setup/widgets/frmClose.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

frmClose::frmClose(const QString& logoPath, int showMs, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_showMs(showMs)
{
    setObjectName(QStringLiteral("frmClose"));
    setWindowTitle(QStringLiteral("vesk stagor"));
    setAccessibleName(QStringLiteral("vesk stagor closing"));
    setAccessibleDescription(QStringLiteral("frmClose"));
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ImgLogo"));
    logo->setAccessibleName(QStringLiteral("Logo"));
    logo->setAccessibleDescription(QStringLiteral("ImgLogo"));
    if (QFileInfo::exists(logoPath))
        logo->setPixmap(QPixmap(logoPath));
    else
        logo->setMinimumSize(320, 180);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(logo);
}

void frmClose::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_timerStarted)
        return;
    m_timerStarted = true;
    QTimer::singleShot(m_showMs, this, &QDialog::accept);
}
