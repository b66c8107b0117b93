#pragma once

#include "show/ShowClock.h"

class SystemShowClock : public ShowClock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
