#pragma once

#include "MessageService.h"

#include <QList>
#include <QObject>

// The setup side's message boxes while play mode runs. A box raised by work the setup window
// carries on with (the missing-file sweep, a PDF batch, an extraction) would come up over the
// launch screen or a show and take the remote's keys; it comes up once play mode has ended, on
// the setup window. A notice (OK only) is kept and the work goes on as if it had been read; a
// question holds its work up, the event loop running meanwhile, until it can be asked.
class PlayModeMessages : public QObject, public MessageService
{
    Q_OBJECT

public:
    explicit PlayModeMessages(MessageService& messages, QObject* parent = nullptr);

    void setPlaying(bool playing);
    bool playing() const { return m_playing; }
    // Notices and questions waiting for play mode to end.
    int waiting() const { return int(m_notices.size()) + m_questions; }

    int show(const QString& text, MsgButtons buttons, MsgIcon icon) override;

signals:
    void playModeEnded();

private:
    struct Notice
    {
        QString text;
        MsgIcon icon;
    };
    void showNotices();

    MessageService& m_messages;
    bool m_playing = false;
    QList<Notice> m_notices;
    int m_questions = 0;
};
