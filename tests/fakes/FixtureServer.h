#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A server of ours for one test: a script of tests/fixtures started on 127.0.0.1 with a port of
// its own, stopped when the test ends. The script prints "ready PORT" once it listens and one
// line for everything worth counting afterwards ("login user", "received /path").
class FixtureServer
{
public:
    static constexpr int StartTimeoutMs = 10000;

    // script: a file name under tests/fixtures.
    FixtureServer(const QString& script, const QStringList& arguments);
    ~FixtureServer();

    // Whether it listens; otherwise why not.
    bool ready() const { return m_port > 0; }
    const QString& failure() const { return m_failure; }
    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:") + QString::number(m_port); }

    // A port on 127.0.0.1 that nobody listens on (it was free a moment ago).
    static int unusedPort();

    // The lines printed since "ready" that start with prefix.
    QStringList lines(const QString& prefix);
    // Waits at most timeoutMs for count such lines in all.
    bool waitForLines(const QString& prefix, int count, int timeoutMs);

private:
    void readOutput();

    QProcess m_process;
    QStringList m_lines;
    QByteArray m_partial;
    QString m_failure;
    int m_port = 0;
};
