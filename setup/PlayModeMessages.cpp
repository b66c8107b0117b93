#include "setup/PlayModeMessages.h"

#include <QLoggingCategory>
#include <QMetaObject>

Q_LOGGING_CATEGORY(lcPlayModeMessages, "stagor.messages")

PlayModeMessages::PlayModeMessages(MessageService& messages, QObject* parent)
    : QObject(parent), m_messages(messages)
{}

void PlayModeMessages::setPlaying(bool playing)
{
    const bool ended = m_playing && !playing;
    m_playing = playing;
    // After the setup window is back, not inside whatever ended play mode.
    if (ended)
        QMetaObject::invokeMethod(this, &PlayModeMessages::showWaiting, Qt::QueuedConnection);
}

void PlayModeMessages::showWaiting()
{
    // An answer may start play mode again; what is left then waits for its end.
    while (!m_waiting.isEmpty() && !m_playing) {
        const Waiting next = m_waiting.takeFirst();
        const MsgAnswer answer = m_messages.show(next.text, next.buttons, next.icon);
        if (next.answered)
            next.answered(answer);
    }
}

MsgAnswer PlayModeMessages::show(const QString& text, MsgButtons buttons, MsgIcon icon)
{
    if (!m_playing)
        return m_messages.show(text, buttons, icon);
    switch (buttons) {
    case MsgButtons::Ok:
        m_waiting.append({text, buttons, icon, {}});
        return (MsgAnswer::Ok);
    case MsgButtons::YesNo:
        qCWarning(lcPlayModeMessages, "answered No during play mode: %s", qPrintable(text));
        return (MsgAnswer::No);
    default:
        qCWarning(lcPlayModeMessages, "answered Cancel during play mode: %s", qPrintable(text));
        return (MsgAnswer::Cancel);
    }
}

void PlayModeMessages::ask(const QString& text, MsgButtons buttons, MsgIcon icon,
                           std::function<void(MsgAnswer)> answered)
{
    if (m_playing)
        m_waiting.append({text, buttons, icon, std::move(answered)});
    else
        answered(m_messages.show(text, buttons, icon));
}
