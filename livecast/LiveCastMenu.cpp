#include "livecast/LiveCastMenu.h"

#include "livecast/LiveCastModes.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/MessageService.h"

#include <QPointer>

LiveCastMenu::LiveCastMenu(LiveCastModes& modes, MessageService& messages, QObject* parent)
    : QObject(parent), m_modes(modes), m_messages(messages)
{}

void LiveCastMenu::MnuWebcastMode_Click()
{
    using Mode = LiveCastModes::Mode;
    const Mode mode = m_modes.mode();
    if (mode == Mode::Webcast) {
        m_modes.setMode(Mode::None);
        return;
    }
    if (mode != Mode::Localhost && mode != Mode::Connect) {
        switchToWebcast();
        return;
    }
    const QString& question = mode == Mode::Localhost ? LocalhostQuestion : ConnectQuestion;
    m_messages.ask(question, MsgButtons::YesNo, MsgIcon::Question,
                   [self = QPointer<LiveCastMenu>(this)](MsgAnswer answer) {
                       if (self && answer == MsgAnswer::Yes)
                           self->switchToWebcast();
                   });
}

void LiveCastMenu::switchToWebcast()
{
    m_modes.uncheck(LiveCastModes::Mode::Localhost);
    m_modes.uncheck(LiveCastModes::Mode::Connect);
    m_modes.setLocalhostSettingsEnabled(false);
    emit webcastWindowRequested();
}

void LiveCastMenu::MnuLiveCast_Click()
{
    const bool server = m_modes.usesWebcastServer();
    m_items.MnuUploadSlides = server;
    m_items.MnuEncoderSettings = server;
    m_items.MnuVerifyServer = server;
    if (m_modes.mode() == LiveCastModes::Mode::Localhost) {
        m_items.MnuVerifyServerCaption = QStringLiteral("Verify Localhost");
        m_items.MnuVerifyServer = true;
        m_items.MnuEncoderSettings = true;
    }
}

void LiveCastMenu::MnuAutoLiveCast_Click()
{
    m_modes.setAutoLiveCast(!m_modes.autoLiveCast());
}

LiveCastMenu::EncoderValues
LiveCastMenu::MnuEncoderSettings_Click(const WebcastServerSettings& settings,
                                       const QString& localIpAddress) const
{
    if (m_modes.usesWebcastServer())
        return {settings.EncoderFmsUrl, settings.EncoderStreamName};
    return {QStringLiteral("rtmp://") + localIpAddress + QStringLiteral("/live"),
            QStringLiteral("vesklive")};
}
