#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestFolder::TestFolder() : m_dir(QDir::tempPath() + QStringLiteral("/stagor-test-XXXXXX")) {}

QString TestFolder::path(const QString& name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + name;
}

QString TestFolder::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString full = name.startsWith(QLatin1Char('/')) ? name : path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return full;
}

QByteArray TestFolder::readFile(const QString& name) const
{
    QFile file(name.startsWith(QLatin1Char('/')) ? name : path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
