#include "livecast/ConnectSessionEditor.h"

#include "livecast/LiveCastModes.h"
#include "platform/MessageService.h"

ConnectSessionEditor::ConnectSessionEditor(MessageService& messages, const LiveCastModes& modes,
                                           const QString& appFolder)
    : m_messages(messages), m_modes(modes), m_appFolder(appFolder)
{}

std::optional<ConnectSessionEditor::Values> ConnectSessionEditor::TimLoadDelay_Timer() const
{
    if (!SessionRecord::exists(m_appFolder))
        return std::nullopt;
    const SessionRecord session = SessionRecord::load(m_appFolder);
    return Values{session.SessionName, session.SessionSubtitle, session.Description,
                  session.passwordProtected(), session.Password};
}

ConnectSessionEditor::OkResult ConnectSessionEditor::ComOk_Click(const Values& values)
{
    if (values.TxtSessionName.isEmpty()) {
        m_messages.ask(NameRequiredMessage, MsgButtons::Ok, MsgIcon::Exclamation, [](MsgAnswer) {});
        return OkResult::NameMissing;
    }
    if (!record(values).save(m_appFolder)) {
        m_messages.ask(QStringLiteral("The session details could not be saved in ") + m_appFolder +
                           SessionRecord::FileName,
                       MsgButtons::Ok, MsgIcon::Exclamation, [](MsgAnswer) {});
        return OkResult::NotSaved;
    }
    return m_modes.mode() == LiveCastModes::Mode::Connect ? OkResult::Reconnect : OkResult::Saved;
}

SessionRecord ConnectSessionEditor::record(const Values& values)
{
    SessionRecord session;
    session.SessionName = values.TxtSessionName;
    session.SessionSubtitle = values.TxtSubtitle;
    session.Description = values.TxtDescription;
    const bool protect = values.ChkPassword && !values.TxtPassword.isEmpty();
    session.PasswordFlag = protect ? QStringLiteral("1") : QStringLiteral("0");
    session.Password = values.ChkPassword ? values.TxtPassword : QString();
    return session;
}
