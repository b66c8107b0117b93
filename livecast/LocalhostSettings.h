#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class MessageService;

// The address of this computer that viewers of Localhost mode connect to, kept in
// "IPAddress.INI" in the application folder, and the settings window (frmLHSettings) without its
// widgets: either the chosen address with a way to change it, or the list of this computer's
// addresses to choose from.
class LocalhostSettings : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimPopulateIntervalMs = 500;
    static inline const QString FileName = QStringLiteral("IPAddress.INI");
    static inline const QString Disconnected = QStringLiteral("0.0.0.0");

    struct Item
    {
        QString key;
        QString text;
    };

    // appFolder ends with "/"; addressTable gives this computer's IPv4 addresses as the
    // interface table has them (loopback included). messages must outlive the settings.
    LocalhostSettings(const QString& appFolder, MessageService& messages,
                      std::function<QStringList()> addressTable, QObject* parent = nullptr);

    // The chosen address: emptied, then read from the file's first line when there is one.
    void load();
    const QString& ipAddress() const { return m_ipAddress; }
    // Whether the chosen address is one of this computer's, other than a loopback address
    // (which nobody else on the network reaches).
    bool addressValid() const;
    static bool isLoopback(const QString& address);

    // The window.
    void Form_Load();
    void TimPopulate_Timer();
    void ComRefresh_Click() { TimPopulate_Timer(); }
    void ComChangeIP_Click();
    // An item of the list is chosen: a disconnected card is refused, anything else becomes the
    // chosen address, is saved and closes the window.
    void LstIPAddress_ItemClick(int index);
    void ComOk_Click();
    void ComOkServer_Click() { emit closeRequested(); }

    bool FrameServerIPVisible() const { return m_serverFrame; }
    bool FrameIPAddressVisible() const { return !m_serverFrame; }
    QString LabIP() const { return QStringLiteral("http://") + m_ipAddress; }
    const QList<Item>& LstIPAddress() const { return m_items; }
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index) { m_selected = index; }

signals:
    void changed();
    void populateTimerStart();
    void populateTimerStop();
    void closeRequested();

private:
    void save();

    const QString m_appFolder;
    MessageService& m_messages;
    std::function<QStringList()> m_addressTable;
    QString m_ipAddress;
    bool m_serverFrame = false;
    QList<Item> m_items;
    int m_selected = -1;
};
