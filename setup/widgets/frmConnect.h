#pragma once

#include <QDialog>

class ConnectConnection;
class QLabel;
class QPushButton;
class QTimer;

// The connect window: joining the session on the connect server, with what came of it. It
// closes by itself a moment after the answer, or at once after a failure's message.
class frmConnect : public QDialog
{
    Q_OBJECT

public:
    // The intervals are the connection's own unless a test asks for shorter ones.
    explicit frmConnect(ConnectConnection& connection, QWidget* parent = nullptr, int timer1Ms = -1,
                        int timDelayMs = -1);

    QLabel* statusLabel() const { return m_labStatus; }
    QPushButton* cancelButton() const { return m_comCancel; }

protected:
    // Timer1 starts when the window shows, so that the window never closes before its modal
    // loop runs.
    void showEvent(QShowEvent* event) override;
    // Escape and the close button act like Cancel, and only while Cancel can be pressed.
    void reject() override;

private:
    void refresh();

    ConnectConnection& m_connection;
    QLabel* m_labStatus;
    QPushButton* m_comCancel;
    QTimer* m_timer1;
    QTimer* m_timDelay;
    bool m_shown = false;
};
