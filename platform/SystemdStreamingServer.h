#pragma once

#include "platform/StreamingServerService.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

// The streaming server installed as a systemd unit, asked and restarted through systemd's
// manager on the system bus. Each bus call waits at most CallTimeoutMs.
class SystemdStreamingServer : public StreamingServerService
{
    Q_OBJECT

public:
    static constexpr int CallTimeoutMs = 1000;

    // unit: "FMS.service", say.
    static bool unitExists(const QString& unit,
                           const QDBusConnection& bus = QDBusConnection::systemBus());

    explicit SystemdStreamingServer(const QString& unit,
                                    const QDBusConnection& bus = QDBusConnection::systemBus(),
                                    QObject* parent = nullptr);

    bool running() override;
    void restart() override;
    QString lastError() const override { return m_lastError; }

private:
    QString activeState();
    void poll();
    void finish(bool ok, const QString& error);

    QString m_unit;
    QDBusConnection m_bus;
    QTimer m_poll;
    QElapsedTimer m_started;
    bool m_restarting = false;
    QString m_lastError;
};
