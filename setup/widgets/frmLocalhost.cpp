#include "setup/widgets/frmLocalhost.h"

#include "document/EventDocument.h"
#include "livecast/LocalhostServiceStart.h"
#include "setup/widgets/WidgetNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString StatusCaption = QStringLiteral("Status");

// A broadcast mast whose waves light up one after another, then fade.
QList<QPixmap> animationFrames(int count, int size)
{
    QList<QPixmap> frames;
    for (int frame = 0; frame < count; ++frame) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF top(size / 2.0, size * 0.45);
        painter.setPen(QPen(QColor(60, 60, 60), size * 0.06));
        painter.drawLine(top, QPointF(size * 0.35, size * 0.95));
        painter.drawLine(top, QPointF(size * 0.65, size * 0.95));
        for (int wave = 0; wave < 4; ++wave) {
            QColor colour(40, 90, 170);
            colour.setAlpha(wave < frame % (count / 2 + 1) ? 255 : 50);
            painter.setPen(QPen(colour, size * 0.05));
            const double r = size * (0.1 + 0.1 * wave);
            const QRectF box(top.x() - r, top.y() - r, 2 * r, 2 * r);
            painter.drawArc(box, 30 * 16, 120 * 16);
        }
        frames << pixmap;
    }
    return frames;
}

} // namespace

frmLocalhost::frmLocalhost(LocalhostServiceStart& start, QWidget* parent, int timer1Ms,
                           int timDelayMs)
    : QDialog(parent), m_start(start), m_labStatus(new QLabel(this)),
      m_imgAnimation(new QLabel(this)),
      m_comCancel(new QPushButton(QStringLiteral("Cancel"), this)), m_timer1(new QTimer(this)),
      m_timDelay(new QTimer(this)), m_frames(animationFrames(LocalhostServiceStart::FrameCount, 48))
{
    WidgetNames::set(this, QStringLiteral("Starting the streaming server"),
                     QStringLiteral("frmLocalhost"));
    setWindowTitle(EventDocument::ProductName);
    WidgetNames::set(m_labStatus, StatusCaption, QStringLiteral("LabStatus"));
    WidgetNames::set(m_imgAnimation, QStringLiteral("Starting"), QStringLiteral("ImgAnimation"));
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    m_labStatus->setMinimumWidth(280);
    m_imgAnimation->setFixedSize(48, 48);
    m_comCancel->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_imgAnimation);
    top->addWidget(m_labStatus, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_comCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    m_timer1->setSingleShot(true);
    m_timer1->setInterval(timer1Ms >= 0 ? timer1Ms : LocalhostServiceStart::Timer1IntervalMs);
    m_timDelay->setInterval(timDelayMs >= 0 ? timDelayMs
                                            : LocalhostServiceStart::TimDelayIntervalMs);
    connect(m_timer1, &QTimer::timeout, &m_start, &LocalhostServiceStart::Timer1_Timer);
    connect(m_timDelay, &QTimer::timeout, &m_start, &LocalhostServiceStart::TimDelay_Timer);
    connect(m_comCancel, &QPushButton::clicked, &m_start, &LocalhostServiceStart::ComCancel_Click);
    connect(&m_start, &LocalhostServiceStart::changed, this, &frmLocalhost::refresh);
    connect(&m_start, &LocalhostServiceStart::closeRequested, this, &QDialog::accept);
    refresh();
}

void frmLocalhost::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_comCancel->setFocus();
    m_timer1->start();
    m_timDelay->start();
}

void frmLocalhost::reject()
{
    m_start.ComCancel_Click();
}

void frmLocalhost::refresh()
{
    WidgetNames::showData(m_labStatus, StatusCaption, m_start.LabStatus());
    m_imgAnimation->setPixmap(m_frames.value(m_start.frame()));
}
