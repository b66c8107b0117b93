#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>

class LocalhostServiceStart;
class QLabel;
class QPushButton;
class QTimer;

// Starts the local streaming server: a status line and a turning picture while it starts, and
// Cancel, which gives Localhost mode up. Closes by itself when the server has answered.
class frmLocalhost : public QDialog
{
    Q_OBJECT

public:
    // Intervals below 0 keep the start's own.
    explicit frmLocalhost(LocalhostServiceStart& start, QWidget* parent = nullptr,
                          int timer1Ms = -1, int timDelayMs = -1);

    QLabel* statusLabel() const { return m_labStatus; }
    QLabel* animation() const { return m_imgAnimation; }
    QPushButton* cancelButton() const { return m_comCancel; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close button act like Cancel.
    void reject() override;

private:
    void refresh();

    LocalhostServiceStart& m_start;
    QLabel* m_labStatus;
    QLabel* m_imgAnimation;
    QPushButton* m_comCancel;
    QTimer* m_timer1;
    QTimer* m_timDelay;
    QList<QPixmap> m_frames;
    bool m_shown = false;
};
