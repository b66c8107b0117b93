#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;
class WebcastConnection;

// The webcast window: the web service's verdict on which server serves this installation, with
// a Cancel button while the question is out. It closes by itself a moment after the answer.
class frmWebcast : public QDialog
{
    Q_OBJECT

public:
    // The intervals are the connection's own unless a test asks for shorter ones.
    explicit frmWebcast(WebcastConnection& connection, QWidget* parent = nullptr, int timer1Ms = -1,
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

    WebcastConnection& m_connection;
    QLabel* m_labStatus;
    QPushButton* m_comCancel;
    QTimer* m_timer1;
    QTimer* m_timDelay;
    bool m_shown = false;
};
