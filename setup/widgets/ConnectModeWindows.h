#pragma once

#include <QObject>
#include <QPointer>

class ConnectModeMenu;
class EventDocument;
class LiveCastModes;
class MessageService;
class TransferService;
class WebcastServerSettings;
class QWidget;

// Connect mode's menu items and the windows they lead to: the connect window, the server
// window and the session window, each shown modally over the setup window, and the one that
// follows when a window asks for it.
class ConnectModeWindows : public QObject
{
    Q_OBJECT

public:
    // Everything passed in must outlive this; the windows open over parent while it exists.
    ConnectModeWindows(TransferService& transfers, MessageService& messages, LiveCastModes& modes,
                       WebcastServerSettings& settings, const EventDocument& doc, QWidget* parent,
                       QObject* owner = nullptr);
    ~ConnectModeWindows() override;

    // Switches Connect mode off, or joins the session (after the server window when no
    // server is known yet).
    void MnuConnect_Click();
    // The server window, then the session window, each modal.
    void MnuServerIP_Click();
    void MnuSessionDetails_Click();

private:
    void openConnectWindow();
    QString productId() const;

    TransferService& m_transfers;
    MessageService& m_messages;
    LiveCastModes& m_modes;
    WebcastServerSettings& m_settings;
    const EventDocument& m_doc;
    QPointer<QWidget> m_parent;
    ConnectModeMenu* m_menu;
};
