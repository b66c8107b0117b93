#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class ServerVerification;

// "Verify Server" / "Verify Localhost": a spinning picture while the check runs, then either
// nothing (the window closes by itself) or the list of what is missing with an "Ok" button.
class frmVerifyServer : public QDialog
{
    Q_OBJECT

public:
    // caption: the menu item's caption. Intervals below 0 keep the check's own.
    frmVerifyServer(ServerVerification& check, const QString& caption, QWidget* parent = nullptr,
                    int timVerifyMs = -1, int timDelayMs = -1);

    QListWidget* list() const { return m_lstVerify; }
    QLabel* statusLabel() const { return m_labStatus; }
    QLabel* animation() const { return m_imgAnimation; }
    QFrame* frame() const { return m_frame1; }
    QPushButton* cancelButton() const { return m_comCancel; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close button act like the button, and only while it can be pressed.
    void reject() override;

private:
    void refresh();
    void showFrame(int frame);

    ServerVerification& m_check;
    QFrame* m_frame1;
    QListWidget* m_lstVerify;
    QLabel* m_labStatus;
    QLabel* m_imgAnimation;
    QPushButton* m_comCancel;
    QTimer* m_timVerify;
    QTimer* m_timDelay;
    QList<QPixmap> m_imgSource;
    bool m_shown = false;
};
