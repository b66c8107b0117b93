#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A temporary folder for one test, removed with everything in it when the test ends.
class TestFolder
{
public:
    // Path of a file or folder inside, without a trailing "/" unless the name has one.
    QString path(const QString& name = QString()) const
    {
        return name.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + name;
    }
    // Path with a trailing "/", the way the program keeps its folder values.
    QString folder() const { return path() + QLatin1Char('/'); }

    // Writes the file (a name, or an absolute path), making its folder; returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString full = absolute(name);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return full;
    }
    QByteArray readFile(const QString& name) const
    {
        QFile file(absolute(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The files below a folder, hidden ones and dangling links included, as paths relative to it
    // in sorted order.
    static QStringList filesUnder(const QString& folder)
    {
        QStringList found;
        QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(folder).relativeFilePath(it.next());
        found.sort();
        return found;
    }

private:
    QString absolute(const QString& name) const
    {
        return name.startsWith(QLatin1Char('/')) ? name : path(name);
    }

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/stagor-test-XXXXXX")};
};
