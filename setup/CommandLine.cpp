#include "setup/CommandLine.h"

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine result;
    const QString option = QStringLiteral("--app-folder");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == option) {
            if (i + 1 < arguments.size())
                result.appFolder = arguments[++i];
            continue;
        }
        if (arg.startsWith(option + QLatin1Char('='))) {
            result.appFolder = arg.mid(option.size() + 1);
            continue;
        }
        if (!result.file.isEmpty())
            continue;
        QString path = arg;
        if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) &&
            path.endsWith(QLatin1Char('"')))
            path = path.mid(1, path.size() - 2);
        result.file = path;
    }
    return result;
}
