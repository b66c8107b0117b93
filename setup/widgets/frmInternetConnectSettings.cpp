#include "setup/widgets/frmInternetConnectSettings.h"

#include "document/Event.h"
#include "livecast/InternetConnect.h"
#include "platform/MessageService.h"
#include "setup/widgets/WidgetNames.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const QString& caption, const QString& name)
{
    auto* button = new QPushButton(caption, parent);
    WidgetNames::set(button, QString(caption).remove(QLatin1Char('&')), name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmInternetConnectSettings::frmInternetConnectSettings(Event& event,
                                                       InternetConnect& internetConnect,
                                                       MessageService& messages, QWidget* parent)
    : QDialog(parent), m_event(event), m_connect(internetConnect), m_messages(messages),
      m_txtUrl(new QLineEdit(event.InternetConnectUrl, this)),
      m_txtSessionName(new QLineEdit(event.InternetConnectSession, this)),
      m_txtPassword(new QLineEdit(event.InternetConnectPassword, this)),
      m_chkObscure(new QCheckBox(QStringLiteral("&Obscure Password"), this)),
      m_comTest(button(this, QStringLiteral("&Test"), QStringLiteral("ComTestConnection")))
{
    WidgetNames::set(this, QStringLiteral("Internet Connect Settings"),
                     QStringLiteral("frmInternetConnectSettings"));
    setWindowTitle(QStringLiteral("Internet Connect Settings"));
    WidgetNames::set(m_txtUrl, QStringLiteral("Website Address (URL)"), QStringLiteral("TxtURL"));
    m_txtUrl->setMinimumWidth(360);
    WidgetNames::set(m_txtSessionName, QStringLiteral("Session Name"),
                     QStringLiteral("TxtSessionName"));
    WidgetNames::set(m_txtPassword, QStringLiteral("Password"), QStringLiteral("TxtPassword"));
    WidgetNames::set(m_chkObscure, QStringLiteral("Obscure Password"),
                     QStringLiteral("ChkObscure"));
    // The box always holds the password itself; masked, it shows one mark per character.
    const auto showPassword = [this] {
        m_txtPassword->setEchoMode(m_chkObscure->isChecked() ? QLineEdit::Password
                                                             : QLineEdit::Normal);
    };
    m_chkObscure->setChecked(event.InternetConnectObscure == 1);
    showPassword();
    connect(m_chkObscure, &QCheckBox::toggled, this, showPassword);

    auto* form = new QFormLayout;
    const auto row = [this, form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(QStringLiteral("Website Address (&URL):"), m_txtUrl);
    row(QStringLiteral("Session &Name:"), m_txtSessionName);
    row(QStringLiteral("&Password:"), m_txtPassword);
    form->addRow(QString(), m_chkObscure);

    QPushButton* clear = button(this, QStringLiteral("C&lear"), QStringLiteral("ComClear"));
    QPushButton* ok = button(this, QStringLiteral("OK"), QStringLiteral("ComOk"));
    ok->setDefault(true);
    QPushButton* cancel = button(this, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    connect(clear, &QPushButton::clicked, this, &frmInternetConnectSettings::ComClear_Click);
    connect(m_comTest, &QPushButton::clicked, this,
            &frmInternetConnectSettings::ComTestConnection_Click);
    connect(ok, &QPushButton::clicked, this, &frmInternetConnectSettings::ComOk_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(m_comTest);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void frmInternetConnectSettings::ComTestConnection_Click()
{
    m_comTest->setEnabled(false);
    QPointer<frmInternetConnectSettings> window = this;
    m_connect.test(m_txtSessionName->text(), m_txtPassword->text(),
                   [this, window](const QString& message) {
                       if (!window)
                           return;
                       m_comTest->setEnabled(true);
                       m_messages.show(message, MsgButtons::Ok, MsgIcon::None);
                   });
}

void frmInternetConnectSettings::ComClear_Click()
{
    m_txtSessionName->clear();
    m_txtPassword->clear();
}

void frmInternetConnectSettings::ComOk_Click()
{
    m_event.InternetConnectUrl = InternetConnect::normalisedUrl(m_txtUrl->text());
    m_event.InternetConnectSession = m_txtSessionName->text();
    m_event.InternetConnectPassword = m_txtPassword->text();
    m_event.InternetConnectObscure = m_chkObscure->isChecked() ? 1 : 0;
    accept();
}
