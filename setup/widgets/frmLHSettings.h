#pragma once

#include <QDialog>

class LocalhostSettings;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

// "Localhost Settings": the address viewers connect to, or the list of this computer's
// addresses to choose it from.
class frmLHSettings : public QDialog
{
    Q_OBJECT

public:
    // populateMs below 0 keeps the settings' own interval.
    explicit frmLHSettings(LocalhostSettings& settings, QWidget* parent = nullptr,
                           int populateMs = -1);

    QFrame* frameServerIP() const { return m_frameServerIP; }
    QFrame* frameIPAddress() const { return m_frameIPAddress; }
    QLabel* labIP() const { return m_labIP; }
    QListWidget* list() const { return m_lstIPAddress; }
    QPushButton* okButton() const { return m_comOk; }
    QPushButton* okServerButton() const { return m_comOkServer; }
    QPushButton* changeButton() const { return m_comChangeIP; }
    QTimer* populateTimer() const { return m_timPopulate; }

private:
    void refresh();

    LocalhostSettings& m_settings;
    QFrame* m_frameServerIP;
    QLabel* m_labIP;
    QPushButton* m_comChangeIP;
    QPushButton* m_comOkServer;
    QFrame* m_frameIPAddress;
    QListWidget* m_lstIPAddress;
    QPushButton* m_comRefresh;
    QPushButton* m_comOk;
    QTimer* m_timPopulate;
};
