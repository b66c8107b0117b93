#pragma once

#include <QString>

// A server's answer: items of a key (a word, a blank and a colon), its value and a closing ";",
// in any order, as the web service and the connect server send them.
class AnswerFields
{
public:
    // The text after the first occurrence of key (the key with its blank and colon, matched
    // with its case) up to the next ";", blanks kept; empty when the answer or the key is
    // missing. A value without its ";" runs to the end of the answer.
    static QString value(const QString& answer, const QString& key);
};
