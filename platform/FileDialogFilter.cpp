#include "platform/FileDialogFilter.h"

#include <QStringList>

QString FileDialogFilter::toQt(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        const QString joined = patterns.join(QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses, so a description that already shows
        // its own (different) pattern text gets the real patterns appended.
        result << description + QStringLiteral(" (") + joined + QLatin1Char(')');
    }
    return result.join(QStringLiteral(";;"));
}

QString FileDialogFilter::saveExtension(const QString& filter)
{
    const QString pattern =
        filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0).trimmed();
    const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || pattern.mid(dot).contains(QLatin1Char('*')))
        return QString();
    return pattern.mid(dot);
}
