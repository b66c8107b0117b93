#include "tests/fakes/FixtureServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

FixtureServer::FixtureServer(const QString& script, const QStringList& arguments)
{
    // Debian's Python modules import only under the system interpreter.
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments(
        QStringList{QStringLiteral("-u"), QStringLiteral(STAGOR_FIXTURES_DIR "/") + script} +
        arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired()) {
        const QStringList ready = lines(QStringLiteral("ready "));
        if (!ready.isEmpty()) {
            m_port = ready.constFirst().mid(6).toInt();
            m_lines.clear();
            return;
        }
        if (m_process.state() == QProcess::NotRunning) {
            m_failure = QStringLiteral("%1 ended: %2").arg(script, m_process.errorString());
            return;
        }
        m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    m_failure = script + QStringLiteral(" did not start in time");
}

FixtureServer::~FixtureServer()
{
    m_process.kill();
    m_process.waitForFinished(StartTimeoutMs);
}

QStringList FixtureServer::lines(const QString& prefix)
{
    readOutput();
    return m_lines.filter(
        QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(prefix)));
}

bool FixtureServer::waitForLines(const QString& prefix, int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (lines(prefix).size() >= count)
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        m_process.waitForReadyRead(10);
    }
}

void FixtureServer::readOutput()
{
    m_partial += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(end)).trimmed();
        m_partial.remove(0, end + 1);
    }
}

int FixtureServer::unusedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}
