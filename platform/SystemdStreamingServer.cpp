#include "platform/SystemdStreamingServer.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {

const QString Service = QStringLiteral("org.freedesktop.systemd1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString Manager = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString Unit = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int PollIntervalMs = 200;

QDBusMessage managerCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, ManagerPath, Manager, method);
    message.setArguments(arguments);
    return message;
}

// The unit's object, when systemd has it loaded (or can load it).
QString unitPath(const QDBusConnection& bus, const QString& unit, bool load)
{
    QDBusConnection connection = bus;
    const QDBusMessage reply = connection.call(
        managerCall(load ? QStringLiteral("LoadUnit") : QStringLiteral("GetUnit"), {unit}),
        QDBus::Block, SystemdStreamingServer::CallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusObjectPath>().path();
}

QString unitProperty(const QDBusConnection& bus, const QString& path, const QString& name)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(Service, path, Properties, QStringLiteral("Get"));
    message.setArguments({Unit, name});
    QDBusConnection connection = bus;
    const QDBusMessage reply =
        connection.call(message, QDBus::Block, SystemdStreamingServer::CallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toString();
}

} // namespace

bool SystemdStreamingServer::unitExists(const QString& unit, const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return false;
    if (!unitPath(bus, unit, false).isEmpty())
        return true;
    const QString path = unitPath(bus, unit, true);
    return !path.isEmpty() &&
           unitProperty(bus, path, QStringLiteral("LoadState")) == QLatin1String("loaded");
}

SystemdStreamingServer::SystemdStreamingServer(const QString& unit, const QDBusConnection& bus,
                                               QObject* parent)
    : StreamingServerService(parent), m_unit(unit), m_bus(bus)
{
    m_poll.setInterval(PollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &SystemdStreamingServer::poll);
}

QString SystemdStreamingServer::activeState()
{
    const QString path = unitPath(m_bus, m_unit, true);
    return path.isEmpty() ? QString() : unitProperty(m_bus, path, QStringLiteral("ActiveState"));
}

bool SystemdStreamingServer::running()
{
    return !m_restarting && activeState() == QLatin1String("active");
}

void SystemdStreamingServer::restart()
{
    if (m_restarting)
        return;
    m_restarting = true;
    m_lastError.clear();
    m_started.start();
    auto* watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(
            managerCall(QStringLiteral("RestartUnit"), {m_unit, QStringLiteral("replace")}),
            CallTimeoutMs),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isError()) {
            finish(false, reply.error().message());
            return;
        }
        m_poll.start();
    });
}

// The job is queued: the unit passes through deactivating and activating before it is active
// again, or ends failed.
void SystemdStreamingServer::poll()
{
    const QString state = activeState();
    if (state == QLatin1String("active")) {
        finish(true, QString());
        return;
    }
    if (state == QLatin1String("failed")) {
        finish(false, QStringLiteral("%1 failed").arg(m_unit));
        return;
    }
    if (m_started.elapsed() > WaitLimitMs)
        finish(false, QStringLiteral("%1 is %2 after %3 s")
                          .arg(m_unit, state.isEmpty() ? QStringLiteral("unknown") : state)
                          .arg(WaitLimitMs / 1000));
}

void SystemdStreamingServer::finish(bool ok, const QString& error)
{
    m_poll.stop();
    m_lastError = error;
    m_restarting = false;
    emit restartFinished(ok);
}
