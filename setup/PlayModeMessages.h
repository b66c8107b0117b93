#pragma once

#include "platform/MessageService.h"

#include <QList>
#include <QObject>

// The setup side's message boxes while play mode runs. A box raised by work the setup window
// carries on with (the missing-file sweep, a PDF batch, a drop being copied) would come up over
// the launch screen or a show and take the remote's keys; it comes up once play mode has ended,
// on the setup window, in the order raised. A notice (OK only) is kept and the work goes on as
// if it had been read; a question put with ask() holds its work up until it has been answered.
class PlayModeMessages : public QObject, public MessageService
{
    Q_OBJECT

public:
    explicit PlayModeMessages(MessageService& messages, QObject* parent = nullptr);

    void setPlaying(bool playing);
    bool playing() const { return m_playing; }
    // Notices and questions waiting for play mode to end.
    int waiting() const { return int(m_waiting.size()); }

    // A question that cannot wait (show() must answer now) gets, during play mode, the answer of
    // a box closed unread: Cancel where there is one, else No. Only the setup window's own
    // commands ask that way, and they cannot be given while it is hidden.
    MsgAnswer show(const QString& text, MsgButtons buttons, MsgIcon icon) override;
    void ask(const QString& text, MsgButtons buttons, MsgIcon icon,
             std::function<void(MsgAnswer)> answered) override;

private:
    struct Waiting
    {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        std::function<void(MsgAnswer)> answered; // empty for a notice
    };
    void showWaiting();

    MessageService& m_messages;
    bool m_playing = false;
    QList<Waiting> m_waiting;
};
