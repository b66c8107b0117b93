#pragma once

#include "livecast/ServerAddressFile.h"

#include <QDialog>

#include <array>

class ConnectServerSetup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The server window: the connect server's address in four digit boxes, a Test of it and OK to
// keep it. Typing a box full moves on to the next one.
class frmConnectServerIP : public QDialog
{
    Q_OBJECT

public:
    // The intervals are the setup's own unless a test asks for shorter ones.
    explicit frmConnectServerIP(ConnectServerSetup& setup, QWidget* parent = nullptr,
                                int timDelayMs = -1);

    QLineEdit* octetBox(int index) const { return m_txtServerIP.at(size_t(index)); }
    QPushButton* testButton() const { return m_comTest; }
    QPushButton* okButton() const { return m_comOk; }
    QLabel* statusLabel() const { return m_labStatus; }
    ServerAddressFile::Octets octets() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void TimLoadDelay_Timer();
    void txtServerIP_Change(size_t index);

    ConnectServerSetup& m_setup;
    std::array<QLineEdit*, 4> m_txtServerIP{};
    QPushButton* m_comTest;
    QPushButton* m_comOk;
    QPushButton* m_comCancel;
    QLabel* m_labStatus;
    QTimer* m_timLoadDelay;
    QTimer* m_timDelay;
    QTimer* m_timDelayOk;
};
