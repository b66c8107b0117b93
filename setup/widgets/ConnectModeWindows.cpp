#include "setup/widgets/ConnectModeWindows.h"

#include "document/EventDocument.h"
#include "livecast/ConnectConnection.h"
#include "livecast/ConnectModeMenu.h"
#include "livecast/ConnectServerSetup.h"
#include "livecast/ConnectSessionEditor.h"
#include "livecast/WebServiceSettings.h"
#include "setup/widgets/frmConnect.h"
#include "setup/widgets/frmConnectServerIP.h"
#include "setup/widgets/frmConnectSession.h"

ConnectModeWindows::ConnectModeWindows(TransferService& transfers, MessageService& messages,
                                       LiveCastModes& modes, WebcastServerSettings& settings,
                                       const EventDocument& doc, QWidget* parent, QObject* owner)
    : QObject(owner), m_transfers(transfers), m_messages(messages), m_modes(modes),
      m_settings(settings), m_doc(doc), m_parent(parent),
      m_menu(new ConnectModeMenu(modes, messages, this))
{
    connect(m_menu, &ConnectModeMenu::connectWindowRequested, this,
            &ConnectModeWindows::openConnectWindow, Qt::QueuedConnection);
    connect(m_menu, &ConnectModeMenu::serverWindowRequested, this,
            &ConnectModeWindows::MnuServerIP_Click, Qt::QueuedConnection);
}

ConnectModeWindows::~ConnectModeWindows() = default;

QString ConnectModeWindows::productId() const
{
    return WebServiceSettings::load(m_doc.AppFolder).ProductID;
}

void ConnectModeWindows::MnuConnect_Click()
{
    m_menu->MnuConnect_Click(m_doc.AppFolder);
}

void ConnectModeWindows::openConnectWindow()
{
    bool sessionWanted = false;
    {
        ConnectConnection connection(m_transfers, m_messages, m_modes, m_settings, m_doc.AppFolder,
                                     productId());
        frmConnect window(connection, m_parent);
        window.exec();
        sessionWanted = connection.sessionWindowWanted();
    }
    if (sessionWanted)
        MnuSessionDetails_Click();
}

void ConnectModeWindows::MnuServerIP_Click()
{
    ConnectServerSetup setup(m_transfers, m_messages, m_settings, m_doc.AppFolder, productId());
    frmConnectServerIP window(setup, m_parent);
    window.exec();
}

void ConnectModeWindows::MnuSessionDetails_Click()
{
    bool reconnect = false;
    {
        ConnectSessionEditor editor(m_messages, m_modes, m_doc.AppFolder);
        frmConnectSession window(editor, m_parent);
        window.exec();
        reconnect = window.reconnectWanted();
    }
    // Joining the session as it is now; the connect window only comes back here when the
    // session file is gone, which OK has just written.
    if (reconnect)
        openConnectWindow();
}
