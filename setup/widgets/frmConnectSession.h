#pragma once

#include "livecast/ConnectSessionEditor.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The session window: name, subtitle, description and password of the session Connect mode
// joins. OK keeps them; whoever opened the window reconnects when reconnectWanted() says so.
class frmConnectSession : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DescriptionMaxChars = 200;

    explicit frmConnectSession(ConnectSessionEditor& editor, QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return m_txtSessionName; }
    QLineEdit* subtitleBox() const { return m_txtSubtitle; }
    QPlainTextEdit* descriptionBox() const { return m_txtDescription; }
    QCheckBox* passwordCheck() const { return m_chkPassword; }
    QLineEdit* passwordBox() const { return m_txtPassword; }
    QPushButton* okButton() const { return m_comOk; }
    ConnectSessionEditor::Values values() const;
    // OK was pressed in Connect mode: the connect window should join the new session.
    bool reconnectWanted() const { return m_reconnect; }

private:
    void TimLoadDelay_Timer();
    void ChkPassword_Click();
    void ComOk_Click();

    ConnectSessionEditor& m_editor;
    QLineEdit* m_txtSessionName;
    QLineEdit* m_txtSubtitle;
    QPlainTextEdit* m_txtDescription;
    QCheckBox* m_chkPassword;
    QLineEdit* m_txtPassword;
    QPushButton* m_comOk;
    QPushButton* m_comCancel;
    QTimer* m_timLoadDelay;
    bool m_reconnect = false;
};
