#pragma once

#include <QDateTime>

// Where the launch screen reads the time of day: the system clock in the program, a clock that
// tests set by hand so that seconds of a show pass in no time.
class ShowClock
{
public:
    virtual ~ShowClock() = default;
    virtual QDateTime now() const = 0;
};
