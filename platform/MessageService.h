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

// Answers of the message boxes, with the values the prompts have always used.
enum class MsgAnswer : qint16
{
    None = 0,
    Ok = 1,
    Cancel = 2,
    Yes = 6,
    No = 7
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

    // Shows text and returns the answer (closing the box counts as Cancel where there is one,
    // else as the only button).
    virtual MsgAnswer show(const QString& text, MsgButtons buttons, MsgIcon icon) = 0;

    // The same question for work that can wait for its answer: answered(answer) runs once the
    // operator has answered, which may be later than this call's return.
    virtual void ask(const QString& text, MsgButtons buttons, MsgIcon icon,
                     std::function<void(MsgAnswer)> answered)
    {
        answered(show(text, buttons, icon));
    }
};
