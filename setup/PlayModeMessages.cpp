#include "PlayModeMessages.h"

#include <QEventLoop>
#include <QMetaObject>

PlayModeMessages::PlayModeMessages(MessageService& messages, QObject* parent)
    : QObject(parent), m_messages(messages)
{}

void PlayModeMessages::setPlaying(bool playing)
{
    const bool ended = m_playing && !playing;
    m_playing = playing;
    if (!ended)
        return;
    emit playModeEnded();
    // After the setup window is back, not inside whatever ended play mode.
    QMetaObject::invokeMethod(this, &PlayModeMessages::showNotices, Qt::QueuedConnection);
}

void PlayModeMessages::showNotices()
{
    while (!m_notices.isEmpty() && !m_playing) {
        const Notice notice = m_notices.takeFirst();
        m_messages.show(notice.text, MsgButtons::Ok, notice.icon);
    }
}

int PlayModeMessages::show(const QString& text, MsgButtons buttons, MsgIcon icon)
{
    if (m_playing && buttons == MsgButtons::Ok) {
        m_notices.append({text, icon});
        return 1;
    }
    if (m_playing) {
        ++m_questions;
        QEventLoop loop;
        connect(this, &PlayModeMessages::playModeEnded, &loop, &QEventLoop::quit);
        loop.exec();
        --m_questions;
    }
    return m_messages.show(text, buttons, icon);
}
