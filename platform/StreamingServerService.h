#pragma once

#include <QObject>
#include <QString>

// The streaming server on this computer that takes the encoder's stream and serves the local
// web player: asked whether it runs, and restarted. A restart never finishes inside the call and
// always reports within WaitLimitMs, whatever the server does.
class StreamingServerService : public QObject
{
    Q_OBJECT

public:
    static constexpr int WaitLimitMs = 10000;

    explicit StreamingServerService(QObject* parent = nullptr) : QObject(parent) {}

    virtual bool running() = 0;
    // Stops the server when it runs, then starts it. A restart asked for while one is under way
    // is the same restart.
    virtual void restart() = 0;
    // Why the last restart failed, for the operator's log; empty after a good one.
    virtual QString lastError() const = 0;
    // The program ends: a server the program started itself stops; an installed one stays.
    virtual void release() {}

signals:
    void restartFinished(bool running);
};
