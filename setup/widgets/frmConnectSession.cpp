#include "setup/widgets/frmConnectSession.h"

#include "setup/widgets/WidgetNames.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

frmConnectSession::frmConnectSession(ConnectSessionEditor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor)
{
    WidgetNames::set(this, QStringLiteral("Session Details"), QStringLiteral("frmConnectSession"));
    setWindowTitle(QStringLiteral("Session Details"));

    m_txtSessionName = new QLineEdit(this);
    WidgetNames::set(m_txtSessionName, QStringLiteral("Session Name / Title"),
                     QStringLiteral("TxtSessionName"));
    m_txtSessionName->setMinimumWidth(320);
    m_txtSubtitle = new QLineEdit(this);
    WidgetNames::set(m_txtSubtitle, QStringLiteral("Session Subtitle"),
                     QStringLiteral("TxtSubtitle"));
    m_txtDescription = new QPlainTextEdit(this);
    WidgetNames::set(m_txtDescription, QStringLiteral("Description (Max 200 characters)"),
                     QStringLiteral("TxtDescription"));
    // Tab leaves the description instead of typing a tab into it.
    m_txtDescription->setTabChangesFocus(true);
    m_txtDescription->setFixedHeight(80);
    m_chkPassword = new QCheckBox(QStringLiteral("&Password Protect"), this);
    WidgetNames::set(m_chkPassword, QStringLiteral("Password Protect"),
                     QStringLiteral("ChkPassword"));
    m_txtPassword = new QLineEdit(this);
    WidgetNames::set(m_txtPassword, QStringLiteral("Password"), QStringLiteral("TxtPassword"));
    m_txtPassword->setEnabled(false);

    auto* form = new QFormLayout;
    const auto row = [this, form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(QStringLiteral("Session &Name / Title"), m_txtSessionName);
    row(QStringLiteral("Session &Subtitle"), m_txtSubtitle);
    row(QStringLiteral("&Description (Max 200 characters)"), m_txtDescription);
    form->addRow(m_chkPassword, m_txtPassword);

    m_comOk = new QPushButton(QStringLiteral("OK"), this);
    WidgetNames::set(m_comOk, QStringLiteral("OK"), QStringLiteral("ComOk"));
    m_comOk->setDefault(true);
    m_comCancel = new QPushButton(QStringLiteral("Cancel"), this);
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_comOk);
    buttons->addWidget(m_comCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_txtDescription, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_txtDescription->toPlainText();
        if (text.size() > DescriptionMaxChars)
            m_txtDescription->setPlainText(text.left(DescriptionMaxChars));
    });
    connect(m_chkPassword, &QCheckBox::clicked, this, &frmConnectSession::ChkPassword_Click);
    connect(m_comOk, &QPushButton::clicked, this, &frmConnectSession::ComOk_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_timLoadDelay = new QTimer(this);
    m_timLoadDelay->setSingleShot(true);
    m_timLoadDelay->setInterval(10);
    connect(m_timLoadDelay, &QTimer::timeout, this, &frmConnectSession::TimLoadDelay_Timer);
    m_timLoadDelay->start();
}

ConnectSessionEditor::Values frmConnectSession::values() const
{
    return {m_txtSessionName->text(), m_txtSubtitle->text(), m_txtDescription->toPlainText(),
            m_chkPassword->isChecked(), m_txtPassword->text()};
}

void frmConnectSession::TimLoadDelay_Timer()
{
    const std::optional<ConnectSessionEditor::Values> saved = m_editor.TimLoadDelay_Timer();
    if (!saved)
        return;
    m_txtSessionName->setText(saved->TxtSessionName);
    m_txtSubtitle->setText(saved->TxtSubtitle);
    m_txtDescription->setPlainText(saved->TxtDescription);
    m_chkPassword->setChecked(saved->ChkPassword);
    m_txtPassword->setText(saved->TxtPassword);
    ChkPassword_Click();
}

void frmConnectSession::ChkPassword_Click()
{
    const bool protect = m_chkPassword->isChecked();
    if (!protect)
        m_txtPassword->clear();
    m_txtPassword->setEnabled(protect);
}

void frmConnectSession::ComOk_Click()
{
    switch (m_editor.ComOk_Click(values())) {
    case ConnectSessionEditor::OkResult::NameMissing:
        m_txtSessionName->setFocus();
        return;
    case ConnectSessionEditor::OkResult::NotSaved:
        return;
    case ConnectSessionEditor::OkResult::Reconnect:
        m_reconnect = true;
        hide();
        break;
    case ConnectSessionEditor::OkResult::Saved:
        break;
    }
    accept();
}
