#include "tests/fakes/FakeMessageService.h"

#include <gtest/gtest.h>

int FakeMessageService::show(const QString& text, MsgButtons buttons, MsgIcon icon)
{
    m_texts << text;
    m_lastIcon = icon;
    if (buttons == MsgButtons::Ok)
        return 1;
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return 2;
    }
    return m_answers.takeFirst();
}
