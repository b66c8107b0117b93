#include "livecast/AnswerFields.h"

QString AnswerFields::value(const QString& answer, const QString& key)
{
    if (answer.isEmpty() || key.isEmpty())
        return QString();
    const qsizetype at = answer.indexOf(key);
    if (at < 0)
        return QString();
    const qsizetype start = at + key.size();
    const qsizetype end = answer.indexOf(QLatin1Char(';'), start);
    return end < 0 ? answer.mid(start) : answer.mid(start, end - start);
}
