#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test, removed with everything in it when the test ends.
class TestFolder
{
public:
    TestFolder();

    // Path of a file or folder inside, without a trailing "/" unless the name has one.
    QString path(const QString& name = QString()) const;
    // Path with a trailing "/", the way the program keeps its folder values.
    QString folder() const { return path() + QLatin1Char('/'); }

    QString writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;

private:
    QTemporaryDir m_dir;
};
