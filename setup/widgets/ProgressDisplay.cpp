#include "setup/widgets/ProgressDisplay.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

ProgressDisplay::ProgressDisplay(QWidget* parent)
    : QWidget(parent), m_labStatus(new QLabel(this)), m_labPercent(new QLabel(this)),
      m_picPercent(new QProgressBar(this))
{
    // Labels keep their text as accessible name, so a screen reader says what they show.
    m_labStatus->setObjectName(QStringLiteral("LabStatus"));
    m_labStatus->setAccessibleDescription(QStringLiteral("LabStatus"));
    m_labStatus->setMinimumWidth(360);
    m_labPercent->setObjectName(QStringLiteral("labPercent"));
    m_labPercent->setAccessibleDescription(QStringLiteral("labPercent"));
    m_labPercent->setAlignment(Qt::AlignCenter);
    m_picPercent->setObjectName(QStringLiteral("PicPercent"));
    m_picPercent->setAccessibleName(QStringLiteral("Progress"));
    m_picPercent->setAccessibleDescription(QStringLiteral("PicPercent"));
    m_picPercent->setRange(0, 100);
    m_picPercent->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_labStatus);
    layout->addWidget(m_labPercent);
    layout->addWidget(m_picPercent);
    reset();
}

void ProgressDisplay::setProgress(const QString& status, int percent)
{
    m_labStatus->setText(status);
    m_labPercent->setText(QString::number(percent) + QLatin1Char('%'));
    m_picPercent->setValue(percent);
}

void ProgressDisplay::reset()
{
    m_labStatus->clear();
    m_labPercent->setText(QStringLiteral("0%"));
    m_picPercent->setValue(0);
}
