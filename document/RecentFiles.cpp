#include "document/RecentFiles.h"

#include "document/PathHelpers.h"
#include "document/SettingsLines.h"

#include <QFileInfo>

void RecentFiles::load(const QString& appFolder)
{
    const QString file = appFolder + FileName;
    m_paths.clear();
    if (!QFileInfo::exists(file))
        SettingsLines::write(file, QStringList(EntryCount, EmptyLine));
    const QStringList lines = SettingsLines::read(file).value_or(QStringList());
    for (int i = 0; i < EntryCount && i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line != EmptyLine && !line.isEmpty() && QFileInfo(line).isFile())
            m_paths << line;
    }
}

bool RecentFiles::save(const QString& appFolder) const
{
    QStringList lines = m_paths.mid(0, EntryCount);
    while (lines.size() < EntryCount)
        lines << EmptyLine;
    return SettingsLines::write(appFolder + FileName, lines);
}

QString RecentFiles::caption(int index) const
{
    return QStringLiteral("&%1 %2").arg(index + 1).arg(
        PathHelpers::FileNameOf(m_paths.value(index)));
}

void RecentFiles::promote(const QString& path, int clickedIndex)
{
    QStringList old = m_paths;
    if (clickedIndex >= 0 && clickedIndex < old.size())
        old[clickedIndex].clear();
    m_paths = {path};
    for (const QString& entry : std::as_const(old)) {
        if (m_paths.size() == EntryCount)
            break;
        if (entry.isEmpty() || entry == path || !QFileInfo(entry).isFile())
            continue;
        m_paths << entry;
    }
}
