#pragma once

#include "platform/ProgramLauncher.h"

#include <QList>
#include <QMap>
#include <QSet>

// Knows the installed programs it is told about and records what was started instead of
// starting it.
class FakeProgramLauncher : public ProgramLauncher
{
public:
    struct Start
    {
        QString program;
        QStringList arguments;
    };

    QString findInstalled(const QString& name) const override { return m_installed.value(name); }
    bool isExecutable(const QString& path) const override { return m_executables.contains(path); }
    bool start(const QString& program, const QStringList& arguments) override
    {
        if (!m_startsFail)
            m_started.append({program, arguments});
        return !m_startsFail;
    }

    void install(const QString& name, const QString& path) { m_installed.insert(name, path); }
    void addExecutable(const QString& path) { m_executables.insert(path); }
    void setStartsFail(bool fail) { m_startsFail = fail; }
    const QList<Start>& started() const { return m_started; }

private:
    QMap<QString, QString> m_installed;
    QSet<QString> m_executables;
    bool m_startsFail = false;
    QList<Start> m_started;
};
