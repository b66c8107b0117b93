#pragma once

#include <QtGlobal>

// The progress windows' percentage: the whole part of done / total * 100, from 0 to 100.
class WholePercent
{
public:
    // Integer arithmetic: the floating-point quotient times 100 can land just below a whole
    // number (29 / 100 * 100 = 28.999...). Nothing to do counts as nothing done.
    static int of(qint64 done, qint64 total);
};
