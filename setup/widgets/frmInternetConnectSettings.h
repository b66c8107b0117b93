#pragma once

#include <QDialog>

class Event;
class InternetConnect;
class MessageService;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The event's link to a hosted session: its web page, the session name and password, and
// whether the password is shown masked. Test asks the web service; OK stores into the event,
// Cancel leaves it as it was.
class frmInternetConnectSettings : public QDialog
{
    Q_OBJECT

public:
    // Everything passed in must outlive the window.
    frmInternetConnectSettings(Event& event, InternetConnect& internetConnect,
                               MessageService& messages, QWidget* parent = nullptr);

    void ComTestConnection_Click();
    void ComClear_Click();
    void ComOk_Click();

    QLineEdit* password() const { return m_txtPassword; }
    QCheckBox* obscure() const { return m_chkObscure; }

private:
    Event& m_event;
    InternetConnect& m_connect;
    MessageService& m_messages;
    QLineEdit* m_txtUrl;
    QLineEdit* m_txtSessionName;
    QLineEdit* m_txtPassword;
    QCheckBox* m_chkObscure;
    QPushButton* m_comTest;
};
