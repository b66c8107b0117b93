#pragma once

#include <QtGlobal>

// Milliseconds since this process was started by the kernel, so that start-up time includes
// loading the libraries, not only the time spent in main. -1 when it cannot be told.
class ProcessClock
{
public:
    static qint64 msSinceProcessStart();
};
