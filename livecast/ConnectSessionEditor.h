#pragma once

#include "livecast/SessionRecord.h"

#include <QString>

#include <optional>

class LiveCastModes;
class MessageService;

// The session window's work without the window: what its boxes start with and what OK does
// with them.
class ConnectSessionEditor
{
public:
    static inline const QString NameRequiredMessage = QStringLiteral("A Session Name is required");

    // What the window's boxes hold.
    struct Values
    {
        QString TxtSessionName;
        QString TxtSubtitle;
        QString TxtDescription;
        bool ChkPassword = false;
        QString TxtPassword;
    };
    enum class OkResult
    {
        NameMissing, // the message is shown; the name box takes the focus
        NotSaved,    // the file could not be written: the message is shown, the window stays
        Saved,       // the window closes
        Reconnect    // the window closes and the connect window joins the new session
    };

    // Everything passed in must outlive the editor.
    ConnectSessionEditor(MessageService& messages, const LiveCastModes& modes,
                         const QString& appFolder);

    // The saved session, if there is one.
    std::optional<Values> TimLoadDelay_Timer() const;
    OkResult ComOk_Click(const Values& values);

    static SessionRecord record(const Values& values);

private:
    MessageService& m_messages;
    const LiveCastModes& m_modes;
    const QString m_appFolder;
};
