#include "livecast/ConnectModeMenu.h"

#include "livecast/LiveCastModes.h"
#include "livecast/ServerAddressFile.h"
#include "platform/MessageService.h"

#include <QPointer>

ConnectModeMenu::ConnectModeMenu(LiveCastModes& modes, MessageService& messages, QObject* parent)
    : QObject(parent), m_modes(modes), m_messages(messages)
{}

void ConnectModeMenu::MnuConnect_Click(const QString& appFolder)
{
    using Mode = LiveCastModes::Mode;
    const Mode mode = m_modes.mode();
    if (mode != Mode::Webcast && mode != Mode::Localhost) {
        choose(appFolder);
        return;
    }
    // The other mode stays on until the connection has gone through.
    m_messages.ask(mode == Mode::Webcast ? WebcastQuestion : LocalhostQuestion, MsgButtons::YesNo,
                   MsgIcon::Question,
                   [self = QPointer<ConnectModeMenu>(this), appFolder](MsgAnswer answer) {
                       if (self && answer == MsgAnswer::Yes)
                           self->choose(appFolder);
                   });
}

void ConnectModeMenu::choose(const QString& appFolder)
{
    if (m_modes.mode() == LiveCastModes::Mode::Connect) {
        m_modes.setMode(LiveCastModes::Mode::None);
        return;
    }
    if (ServerAddressFile::exists(appFolder)) {
        emit connectWindowRequested();
        return;
    }
    m_messages.ask(NoServerMessage, MsgButtons::Ok, MsgIcon::Exclamation,
                   [self = QPointer<ConnectModeMenu>(this)](MsgAnswer) {
                       if (self)
                           emit self->serverWindowRequested();
                   });
}
