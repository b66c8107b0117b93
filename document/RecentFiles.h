#pragma once

#include <QString>
#include <QStringList>

// The four recent event files of the File menu, most recent first, kept in "Previous.INI".
class RecentFiles
{
public:
    static constexpr int EntryCount = 4;
    static inline const QString FileName = QStringLiteral("Previous.INI");
    static inline const QString EmptyLine = QStringLiteral("[Empty]");

    // Creates the file with four empty lines when it is missing, then takes every line that
    // names an existing file, in order.
    void load(const QString& appFolder);
    // Writes the entries, then "[Empty]" up to four lines.
    bool save(const QString& appFolder) const;

    const QStringList& paths() const { return m_paths; }
    // The menu caption of entry index (0-based): "&1 Name.evf".
    QString caption(int index) const;

    // Puts path at the top; the others follow in their old order, dropping the clicked entry
    // (clickedIndex, or -1), entries naming the same file and files that no longer exist.
    void promote(const QString& path, int clickedIndex = -1);

private:
    QStringList m_paths;
};
