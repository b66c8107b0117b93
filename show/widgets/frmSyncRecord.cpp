#include "show/widgets/frmSyncRecord.h"

#include "show/ShowClock.h"
#include "show/ShowLogFiles.h"

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

frmSyncRecord::frmSyncRecord(const QString& desktopFolder, const ShowClock& clock, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_desktopFolder(desktopFolder),
      m_clock(clock)
{
    setWindowTitle(QStringLiteral("Synchronise Record"));
    setAccessibleName(QStringLiteral("Synchronise Record"));
    setAccessibleDescription(QStringLiteral("frmSyncRecord"));
    setModal(true);
    resize(240, 240);
    m_labCount = new QLabel(m_countdown.labCount(), this);
    m_labCount->setAlignment(Qt::AlignCenter);
    m_labCount->setStyleSheet(QStringLiteral("color: white; font-size: 72pt; font-weight: bold;"));
    m_labCount->setAccessibleName(m_countdown.labCount());
    m_labCount->setAccessibleDescription(QStringLiteral("labCount"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_labCount);
    if (QScreen* screen = parent ? parent->screen() : this->screen())
        move(screen->geometry().center() - rect().center());
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &frmSyncRecord::Timer1_Timer);
    m_timer1.start();
}

void frmSyncRecord::Timer1_Timer()
{
    if (m_countdown.Timer1_Timer()) {
        ShowLogFiles::appendSynchroniseMark(m_desktopFolder, m_clock.now());
        m_timer1.stop();
        accept();
        return;
    }
    m_labCount->setText(m_countdown.labCount());
    m_labCount->setAccessibleName(m_countdown.labCount());
    m_labCount->setVisible(m_countdown.labelVisible());
    update();
}

void frmSyncRecord::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    setMask(QRegion(rect(), QRegion::Ellipse));
}

void frmSyncRecord::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(m_countdown.red() ? QColor(250, 0, 0) : QColor(40, 40, 40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(rect());
}
