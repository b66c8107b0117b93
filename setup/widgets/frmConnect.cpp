#include "setup/widgets/frmConnect.h"

#include "document/EventDocument.h"
#include "livecast/ConnectConnection.h"
#include "setup/widgets/WidgetNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString StatusCaption = QStringLiteral("Status");

} // namespace

frmConnect::frmConnect(ConnectConnection& connection, QWidget* parent, int timer1Ms, int timDelayMs)
    : QDialog(parent), m_connection(connection)
{
    WidgetNames::set(this, QStringLiteral("Connect"), QStringLiteral("frmConnect"));
    setWindowTitle(EventDocument::ProductName);

    m_labStatus = new QLabel(this);
    WidgetNames::set(m_labStatus, StatusCaption, QStringLiteral("LabStatus"));
    m_labStatus->setMinimumWidth(320);
    m_labStatus->setAlignment(Qt::AlignCenter);
    m_comCancel = new QPushButton(QStringLiteral("Cancel"), this);
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    m_comCancel->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_comCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_labStatus);
    layout->addLayout(buttons);

    m_timer1 = new QTimer(this);
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(timer1Ms >= 0 ? timer1Ms : ConnectConnection::Timer1IntervalMs);
    m_timDelay = new QTimer(this);
    m_timDelay->setSingleShot(true);
    m_timDelay->setInterval(timDelayMs >= 0 ? timDelayMs : ConnectConnection::TimDelayIntervalMs);

    connect(m_timer1, &QTimer::timeout, &m_connection, &ConnectConnection::Timer1_Timer);
    connect(m_timDelay, &QTimer::timeout, &m_connection, &ConnectConnection::TimDelay_Timer);
    connect(m_comCancel, &QPushButton::clicked, &m_connection, &ConnectConnection::ComCancel_Click);
    connect(&m_connection, &ConnectConnection::changed, this, &frmConnect::refresh);
    connect(&m_connection, &ConnectConnection::delayStarted, m_timDelay,
            qOverload<>(&QTimer::start));
    connect(&m_connection, &ConnectConnection::hideRequested, this, &QWidget::hide);
    connect(&m_connection, &ConnectConnection::closeRequested, this, &QDialog::accept);
    refresh();
}

void frmConnect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_timer1->start();
}

void frmConnect::reject()
{
    if (m_comCancel->isEnabled())
        m_connection.ComCancel_Click();
}

void frmConnect::refresh()
{
    WidgetNames::showData(m_labStatus, StatusCaption, m_connection.LabStatus());
    m_comCancel->setEnabled(m_connection.ComCancelEnabled());
}
