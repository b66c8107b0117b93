#include "setup/widgets/frmLHSettings.h"

#include "document/EventDocument.h"
#include "livecast/LocalhostSettings.h"
#include "setup/widgets/WidgetNames.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString ServerCaption = QStringLiteral("Server address");

} // namespace

frmLHSettings::frmLHSettings(LocalhostSettings& settings, QWidget* parent, int populateMs)
    : QDialog(parent), m_settings(settings), m_frameServerIP(new QFrame(this)),
      m_labIP(new QLabel(m_frameServerIP)),
      m_comChangeIP(new QPushButton(QStringLiteral("&Change IP"), m_frameServerIP)),
      m_comOkServer(new QPushButton(QStringLiteral("OK"), m_frameServerIP)),
      m_frameIPAddress(new QFrame(this)), m_lstIPAddress(new QListWidget(m_frameIPAddress)),
      m_comRefresh(new QPushButton(QStringLiteral("&Refresh"), m_frameIPAddress)),
      m_comOk(new QPushButton(QStringLiteral("OK"), m_frameIPAddress)),
      m_timPopulate(new QTimer(this))
{
    WidgetNames::set(this, QStringLiteral("Localhost Settings"), QStringLiteral("frmLHSettings"));
    setWindowTitle(EventDocument::ProductName);
    WidgetNames::set(m_frameServerIP, ServerCaption, QStringLiteral("FrameServerIP"));
    WidgetNames::set(m_labIP, ServerCaption, QStringLiteral("LabIP"));
    WidgetNames::set(m_comChangeIP, QStringLiteral("Change IP"), QStringLiteral("ComChangeIP"));
    WidgetNames::set(m_comOkServer, QStringLiteral("OK"), QStringLiteral("ComOkServer"));
    WidgetNames::set(m_frameIPAddress, QStringLiteral("Network addresses"),
                     QStringLiteral("FrameIPAddress"));
    WidgetNames::set(m_lstIPAddress, QStringLiteral("Network addresses of this computer"),
                     QStringLiteral("LstIPAddress"));
    WidgetNames::set(m_comRefresh, QStringLiteral("Refresh"), QStringLiteral("ComRefresh"));
    WidgetNames::set(m_comOk, QStringLiteral("OK"), QStringLiteral("ComOk"));
    m_labIP->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_lstIPAddress->setMinimumSize(300, 120);

    auto* serverButtons = new QHBoxLayout;
    serverButtons->addStretch();
    serverButtons->addWidget(m_comChangeIP);
    serverButtons->addWidget(m_comOkServer);
    auto* serverLayout = new QVBoxLayout(m_frameServerIP);
    serverLayout->addWidget(m_labIP);
    serverLayout->addLayout(serverButtons);

    auto* note = new QLabel(QStringLiteral("If the required IPAddress isn't available make sure "
                                           "the NIC is plugged in and enabled."),
                            m_frameIPAddress);
    note->setWordWrap(true);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(m_comRefresh);
    listButtons->addWidget(m_comOk);
    auto* listLayout = new QVBoxLayout(m_frameIPAddress);
    listLayout->addWidget(m_lstIPAddress, 1);
    listLayout->addWidget(note);
    listLayout->addLayout(listButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frameServerIP);
    layout->addWidget(m_frameIPAddress, 1);

    m_timPopulate->setSingleShot(true);
    m_timPopulate->setInterval(populateMs >= 0 ? populateMs
                                               : LocalhostSettings::TimPopulateIntervalMs);
    connect(m_timPopulate, &QTimer::timeout, &m_settings, &LocalhostSettings::TimPopulate_Timer);
    connect(&m_settings, &LocalhostSettings::populateTimerStart, m_timPopulate,
            qOverload<>(&QTimer::start));
    connect(&m_settings, &LocalhostSettings::populateTimerStop, m_timPopulate, &QTimer::stop);
    connect(&m_settings, &LocalhostSettings::changed, this, &frmLHSettings::refresh);
    connect(&m_settings, &LocalhostSettings::closeRequested, this, &QDialog::accept);
    connect(m_comRefresh, &QPushButton::clicked, &m_settings, &LocalhostSettings::ComRefresh_Click);
    connect(m_comChangeIP, &QPushButton::clicked, &m_settings,
            &LocalhostSettings::ComChangeIP_Click);
    connect(m_comOkServer, &QPushButton::clicked, &m_settings,
            &LocalhostSettings::ComOkServer_Click);
    connect(m_comOk, &QPushButton::clicked, this, [this] {
        m_settings.setSelectedIndex(m_lstIPAddress->currentRow());
        m_settings.ComOk_Click();
    });
    connect(m_lstIPAddress, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_settings.LstIPAddress_ItemClick(m_lstIPAddress->row(item));
    });
    m_settings.Form_Load();
}

void frmLHSettings::refresh()
{
    const bool server = m_settings.FrameServerIPVisible();
    m_frameServerIP->setVisible(server);
    m_frameIPAddress->setVisible(!server);
    WidgetNames::showData(m_labIP, ServerCaption, m_settings.LabIP());
    const QList<LocalhostSettings::Item>& items = m_settings.LstIPAddress();
    m_lstIPAddress->clear();
    for (const LocalhostSettings::Item& item : items) {
        auto* row = new QListWidgetItem(item.text, m_lstIPAddress);
        row->setData(Qt::UserRole, item.key);
    }
    m_lstIPAddress->setCurrentRow(m_settings.selectedIndex());
    QPushButton* focus = server ? m_comOkServer : m_comOk;
    focus->setDefault(true);
    if (!server && !items.isEmpty())
        m_lstIPAddress->setFocus();
    else
        focus->setFocus();
}
