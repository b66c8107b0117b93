#pragma once

#include <QString>

#include <functional>

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

    // The same question for work that can wait for its answer: answered(answer) runs once the
    // operator has answered, which may be later than this call's return.
    virtual void ask(const QString& text, MsgButtons buttons, MsgIcon icon,
                     std::function<void(int)> answered)
    {
        answered(show(text, buttons, icon));
    }
};
