#pragma once

#include <QString>

enum class MsgButtons
{
    Ok,
    YesNoCancel,
    YesNo,
    OkCancel
};

enum class MsgIcon
{
    None,
    Information,
    Exclamation,
    Critical,
    Question
};

// Every message box the operator sees goes through here, titled with the product name, so that
// tests can read the texts and answer the questions.
class MessageService
{
public:
    virtual ~MessageService() = default;

    // Shows text and returns the answer: 1 OK, 2 Cancel, 6 Yes, 7 No (closing the box counts as
    // Cancel where there is one, else as the only button).
    virtual int show(const QString& text, MsgButtons buttons, MsgIcon icon) = 0;
};
