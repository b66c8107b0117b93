#include "tests/fakes/FakeMessageService.h"

#include <gtest/gtest.h>

MsgAnswer FakeMessageService::show(const QString& text, MsgButtons buttons, MsgIcon icon)
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
