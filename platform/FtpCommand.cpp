#include "platform/FtpCommand.h"

#include <QStringList>

namespace {

enum class Split
{
    AtFirstBlank,
    AtLastBlank
};

// "a b" without its quotes; a text without quotes as it is.
QString unquoted(const QString& text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

// Blank-separated words, a double-quoted word taken whole; nothing for an unclosed quote.
std::optional<QStringList> quotedWords(const QString& text)
{
    QStringList words;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        if (text.at(i) == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0)
                return std::nullopt;
            words << text.mid(i + 1, end - i - 1);
            i = end + 1;
        } else {
            qsizetype end = text.indexOf(QLatin1Char(' '), i);
            if (end < 0)
                end = text.size();
            words << text.mid(i, end - i);
            i = end;
        }
    }
    return words;
}

std::optional<std::pair<QString, QString>> twoPaths(const QString& text, Split split)
{
    if (text.contains(QLatin1Char('"'))) {
        const std::optional<QStringList> words = quotedWords(text);
        if (!words || words->size() != 2 || words->at(0).isEmpty() || words->at(1).isEmpty())
            return std::nullopt;
        return std::pair(words->at(0), words->at(1));
    }
    const qsizetype blank = split == Split::AtLastBlank ? text.lastIndexOf(QLatin1Char(' '))
                                                        : text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return std::nullopt;
    const QString first = text.left(blank).trimmed();
    const QString second = text.mid(blank + 1).trimmed();
    if (first.isEmpty() || second.isEmpty())
        return std::nullopt;
    return std::pair(first, second);
}

QString quotedWhenBlank(const QString& path)
{
    return path.contains(QLatin1Char(' ')) ? QLatin1Char('"') + path + QLatin1Char('"') : path;
}

} // namespace

std::optional<FtpCommand> FtpCommand::parse(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    const QString word = (blank < 0 ? trimmed : trimmed.left(blank)).toUpper();
    const QString rest = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();

    FtpCommand command;
    if (word == QLatin1String("CLOSE")) {
        if (!rest.isEmpty())
            return std::nullopt;
        command.verb = Verb::Close;
        return command;
    }
    if (word == QLatin1String("SEND") || word == QLatin1String("GET")) {
        const bool send = word == QLatin1String("SEND");
        const auto paths = twoPaths(rest, send ? Split::AtLastBlank : Split::AtFirstBlank);
        if (!paths)
            return std::nullopt;
        command.verb = send ? Verb::Send : Verb::Get;
        command.localPath = send ? paths->first : paths->second;
        command.remotePath = send ? paths->second : paths->first;
        return command;
    }

    static const std::pair<const char*, Verb> OnePath[] = {
        {"DIR", Verb::Dir},       {"MKDIR", Verb::MakeDir}, {"RMDIR", Verb::RemoveDir},
        {"DELETE", Verb::Delete}, {"SIZE", Verb::Size},
    };
    for (const auto& [name, verb] : OnePath) {
        if (word != QLatin1String(name))
            continue;
        command.verb = verb;
        command.remotePath = unquoted(rest);
        if (command.remotePath.isEmpty() && verb != Verb::Dir)
            return std::nullopt;
        return command;
    }
    return std::nullopt;
}

QString FtpCommand::toLine() const
{
    switch (verb) {
    case Verb::Dir:
        return remotePath.isEmpty() ? QStringLiteral("DIR")
                                    : QStringLiteral("DIR ") + quotedWhenBlank(remotePath);
    case Verb::MakeDir:
        return QStringLiteral("MKDIR ") + quotedWhenBlank(remotePath);
    case Verb::RemoveDir:
        return QStringLiteral("RMDIR ") + quotedWhenBlank(remotePath);
    case Verb::Delete:
        return QStringLiteral("DELETE ") + quotedWhenBlank(remotePath);
    case Verb::Send:
        return QStringLiteral("SEND ") + quotedWhenBlank(localPath) + QLatin1Char(' ') +
               quotedWhenBlank(remotePath);
    case Verb::Get:
        return QStringLiteral("GET ") + quotedWhenBlank(remotePath) + QLatin1Char(' ') +
               quotedWhenBlank(localPath);
    case Verb::Size:
        return QStringLiteral("SIZE ") + quotedWhenBlank(remotePath);
    case Verb::Close:
        break;
    }
    return QStringLiteral("CLOSE");
}
