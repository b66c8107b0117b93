#pragma once

#include "platform/StreamingServerService.h"

#include <QTimer>

// A streaming server that runs when told to: a restart ends on the next turn of the event loop
// with whatever startsOnRestart says.
class FakeStreamingServer : public StreamingServerService
{
public:
    bool isRunning = false;
    bool startsOnRestart = true;
    int restarts = 0;

    bool running() override { return isRunning; }
    void restart() override
    {
        ++restarts;
        QTimer::singleShot(0, this, [this] {
            isRunning = startsOnRestart;
            emit restartFinished(isRunning);
        });
    }
    QString lastError() const override
    {
        return isRunning ? QString() : QStringLiteral("did not start");
    }
};
