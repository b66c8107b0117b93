#pragma once

#include <QObject>
#include <QString>

class LiveCastModes;
class MessageService;

// "Connect Mode" on the LiveCast menu: switching it off, or asking for the connect window (or
// for the server window first when no server address is kept yet).
class ConnectModeMenu : public QObject
{
    Q_OBJECT

public:
    static inline const QString WebcastQuestion =
        QStringLiteral("Webcast Mode enabled, switch to Connect Mode.");
    static inline const QString LocalhostQuestion =
        QStringLiteral("Localhost Mode enabled, switch to Connect Mode.");
    static inline const QString NoServerMessage =
        QStringLiteral("Specify a Server and then re-connect");

    // Both must outlive the menu.
    ConnectModeMenu(LiveCastModes& modes, MessageService& messages, QObject* parent = nullptr);

    // appFolder: where "ServerIP.INI" is kept.
    void MnuConnect_Click(const QString& appFolder);

signals:
    void connectWindowRequested();
    void serverWindowRequested();

private:
    void choose(const QString& appFolder);

    LiveCastModes& m_modes;
    MessageService& m_messages;
};
