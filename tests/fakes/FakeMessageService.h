#pragma once

#include "platform/MessageService.h"

#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

// Records every message and answers questions from a script. A question with no scripted answer
// fails the test: a prompt nobody expected is a fault.
class FakeMessageService : public MessageService
{
public:
    MsgAnswer show(const QString& text, MsgButtons buttons, MsgIcon icon) override
    {
        m_texts << text;
        m_lastIcon = icon;
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        if (m_answers.isEmpty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return MsgAnswer::Cancel;
        }
        return m_answers.takeFirst();
    }

    void queueAnswer(MsgAnswer answer) { m_answers << answer; }
    const QStringList& texts() const { return m_texts; }
    QString last() const { return m_texts.isEmpty() ? QString() : m_texts.last(); }
    MsgIcon lastIcon() const { return m_lastIcon; }
    void clear() { m_texts.clear(); }
    int unusedAnswers() const { return int(m_answers.size()); }

private:
    QList<MsgAnswer> m_answers;
    QStringList m_texts;
    MsgIcon m_lastIcon = MsgIcon::None;
};
