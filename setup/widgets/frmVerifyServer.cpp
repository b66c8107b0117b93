#include "setup/widgets/frmVerifyServer.h"

#include "document/EventDocument.h"
#include "livecast/ServerVerification.h"
#include "setup/widgets/WidgetNames.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString StatusCaption = QStringLiteral("Status");

// The spinner: eight dots on a circle, the lit one moving on by one each frame.
QList<QPixmap> spinnerFrames(int count, int size)
{
    QList<QPixmap> frames;
    const double pi = std::acos(-1.0);
    for (int frame = 0; frame < count; ++frame) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const double radius = size * 0.36;
        const double dot = size * 0.09;
        for (int k = 0; k < count; ++k) {
            const double angle = 2 * pi * k / count - pi / 2;
            const int age = (frame - k + count) % count;
            QColor colour(40, 90, 170);
            colour.setAlpha(255 - age * 200 / count);
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(size / 2.0 + radius * std::cos(angle),
                                        size / 2.0 + radius * std::sin(angle)),
                                dot, dot);
        }
        frames << pixmap;
    }
    return frames;
}

} // namespace

frmVerifyServer::frmVerifyServer(ServerVerification& check, const QString& caption, QWidget* parent,
                                 int timVerifyMs, int timDelayMs)
    : QDialog(parent), m_check(check), m_frame1(new QFrame(this)),
      m_lstVerify(new QListWidget(m_frame1)), m_labStatus(new QLabel(this)),
      m_imgAnimation(new QLabel(this)),
      m_comCancel(new QPushButton(QStringLiteral("Cancel"), this)), m_timVerify(new QTimer(this)),
      m_timDelay(new QTimer(this)),
      m_imgSource(spinnerFrames(ServerVerification::AnimationFrames, 48))
{
    WidgetNames::set(this, caption, QStringLiteral("frmVerifyServer"));
    setWindowTitle(EventDocument::ProductName);
    WidgetNames::set(m_frame1, QStringLiteral("Verification"), QStringLiteral("Frame1"));
    WidgetNames::set(m_lstVerify, QStringLiteral("Missing or out of date slides"),
                     QStringLiteral("lstVerify"));
    WidgetNames::set(m_labStatus, StatusCaption, QStringLiteral("LabStatus"));
    WidgetNames::set(m_imgAnimation, QStringLiteral("Checking"), QStringLiteral("ImgAnimation"));
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    m_labStatus->setMinimumWidth(300);
    m_imgAnimation->setFixedSize(48, 48);
    m_comCancel->setDefault(true);
    m_lstVerify->setMinimumSize(320, 160);

    auto* frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(m_lstVerify);
    m_frame1->hide(); // grows into view when there is something to list

    auto* top = new QHBoxLayout;
    top->addWidget(m_imgAnimation);
    top->addWidget(m_labStatus, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_comCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_frame1, 1);
    layout->addLayout(buttons);

    m_timVerify->setSingleShot(true);
    m_timVerify->setInterval(timVerifyMs >= 0 ? timVerifyMs
                                              : ServerVerification::TimVerifyIntervalMs);
    m_timDelay->setInterval(timDelayMs >= 0 ? timDelayMs : ServerVerification::TimDelayIntervalMs);
    connect(m_timVerify, &QTimer::timeout, &m_check, &ServerVerification::timVerify_Timer);
    connect(m_timDelay, &QTimer::timeout, &m_check, &ServerVerification::TimDelay_Timer);
    connect(&m_check, &ServerVerification::frameChanged, this, &frmVerifyServer::showFrame);
    connect(m_comCancel, &QPushButton::clicked, &m_check, &ServerVerification::ComCancel_Click);
    connect(&m_check, &ServerVerification::changed, this, &frmVerifyServer::refresh);
    connect(&m_check, &ServerVerification::closeRequested, this, &QDialog::accept);
    showFrame(m_check.animationFrame());
    refresh();
}

void frmVerifyServer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_comCancel->setFocus();
    m_timDelay->start();
    m_timVerify->start();
}

void frmVerifyServer::reject()
{
    if (m_comCancel->isEnabled())
        m_check.ComCancel_Click();
}

void frmVerifyServer::showFrame(int frame)
{
    m_imgAnimation->setPixmap(m_imgSource.value(frame));
}

void frmVerifyServer::refresh()
{
    WidgetNames::showData(m_labStatus, StatusCaption, m_check.LabStatus());
    if (m_lstVerify->count() != m_check.lstVerify().size()) {
        m_lstVerify->clear();
        m_lstVerify->addItems(m_check.lstVerify());
    }
    m_comCancel->setText(m_check.ComCancelCaption());
    m_comCancel->setAccessibleName(m_check.ComCancelCaption());
    m_comCancel->setEnabled(m_check.ComCancelEnabled());
    if (m_check.reported() && m_frame1->isHidden()) {
        m_timDelay->stop();
        m_imgAnimation->hide();
        m_frame1->show();
        m_comCancel->setFocus();
        adjustSize();
    }
}
