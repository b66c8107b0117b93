#include "setup/widgets/frmConnectServerIP.h"

#include "livecast/ConnectServerSetup.h"
#include "setup/widgets/WidgetNames.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString StatusCaption = QStringLiteral("Status");

} // namespace

frmConnectServerIP::frmConnectServerIP(ConnectServerSetup& setup, QWidget* parent, int timDelayMs)
    : QDialog(parent), m_setup(setup)
{
    WidgetNames::set(this, QStringLiteral("Connect Server IP"),
                     QStringLiteral("frmConnectServerIP"));
    setWindowTitle(QStringLiteral("Connect Server IP"));

    m_labStatus = new QLabel(this);
    WidgetNames::set(m_labStatus, StatusCaption, QStringLiteral("LabStatus"));
    m_labStatus->setAlignment(Qt::AlignCenter);

    auto* boxes = new QHBoxLayout;
    // Pasted text obeys the same rule as typed text.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this);
    for (size_t i = 0; i < m_txtServerIP.size(); ++i) {
        auto* box = new QLineEdit(this);
        WidgetNames::set(box, QStringLiteral("Server IP address, part %1").arg(i + 1),
                         QStringLiteral("txtServerIP%1").arg(i));
        box->setValidator(digits);
        box->setMaximumWidth(56);
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i] { txtServerIP_Change(i); });
        if (i > 0)
            boxes->addWidget(new QLabel(QStringLiteral("."), this));
        boxes->addWidget(box);
        m_txtServerIP[i] = box;
    }

    m_comTest = new QPushButton(QStringLiteral("&Test"), this);
    WidgetNames::set(m_comTest, QStringLiteral("Test"), QStringLiteral("ComTest"));
    m_comOk = new QPushButton(QStringLiteral("OK"), this);
    WidgetNames::set(m_comOk, QStringLiteral("OK"), QStringLiteral("ComOk"));
    m_comOk->setDefault(true);
    m_comCancel = new QPushButton(QStringLiteral("Cancel"), this);
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_comTest);
    buttons->addStretch();
    buttons->addWidget(m_comOk);
    buttons->addWidget(m_comCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_labStatus);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    const auto timer = [this](int intervalMs) {
        auto* t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(intervalMs);
        return t;
    };
    const int delayMs = timDelayMs >= 0 ? timDelayMs : ConnectServerSetup::TimDelayIntervalMs;
    m_timLoadDelay = timer(ConnectServerSetup::TimLoadDelayIntervalMs);
    m_timDelay = timer(delayMs);
    m_timDelayOk = timer(delayMs);

    connect(m_timLoadDelay, &QTimer::timeout, this, &frmConnectServerIP::TimLoadDelay_Timer);
    connect(m_timDelay, &QTimer::timeout, &m_setup, &ConnectServerSetup::TimDelay_Timer);
    connect(m_timDelayOk, &QTimer::timeout, &m_setup, &ConnectServerSetup::TimDelayOk_Timer);
    connect(m_comTest, &QPushButton::clicked, this, [this] { m_setup.ComTest_Click(octets()); });
    connect(m_comOk, &QPushButton::clicked, this, [this] { m_setup.ComOk_Click(octets()); });
    connect(m_comCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_setup, &ConnectServerSetup::changed, this, &frmConnectServerIP::refresh);
    connect(&m_setup, &ConnectServerSetup::delayStarted, m_timDelay, qOverload<>(&QTimer::start));
    connect(&m_setup, &ConnectServerSetup::delayOkStarted, m_timDelayOk,
            qOverload<>(&QTimer::start));
    connect(&m_setup, &ConnectServerSetup::closeRequested, this, &QDialog::accept);
    refresh();
    if (m_setup.addressSaved())
        m_timLoadDelay->start();
}

ServerAddressFile::Octets frmConnectServerIP::octets() const
{
    ServerAddressFile::Octets octets;
    for (size_t i = 0; i < octets.size(); ++i)
        octets[i] = m_txtServerIP[i]->text();
    return octets;
}

void frmConnectServerIP::TimLoadDelay_Timer()
{
    const std::optional<ServerAddressFile::Octets> saved = m_setup.TimLoadDelay_Timer();
    if (!saved)
        return;
    for (size_t i = 0; i < saved->size(); ++i)
        m_txtServerIP[i]->setText(saved->at(i));
    m_txtServerIP[0]->setFocus();
}

void frmConnectServerIP::txtServerIP_Change(size_t index)
{
    QLineEdit* box = m_txtServerIP[index];
    if (box->text().size() < 3)
        return;
    box->setText(box->text().left(3));
    if (index + 1 < m_txtServerIP.size())
        m_txtServerIP[index + 1]->setFocus(Qt::TabFocusReason);
    else
        m_comTest->setFocus(Qt::TabFocusReason);
}

bool frmConnectServerIP::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // After the click that brought the focus, which would place the cursor instead.
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        // Digits and backspace are typed; other characters are refused, while keys without a
        // character (Tab, arrows, Enter) keep their usual work.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0].isPrint() && !ServerAddressFile::isOctetText(text))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmConnectServerIP::refresh()
{
    WidgetNames::showData(m_labStatus, StatusCaption, m_setup.LabStatus());
    m_comTest->setEnabled(m_setup.buttonsEnabled());
    m_comOk->setEnabled(m_setup.buttonsEnabled());
}
