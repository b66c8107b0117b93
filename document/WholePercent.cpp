#include "document/WholePercent.h"

#include <algorithm>

int WholePercent::of(qint64 done, qint64 total)
{
    if (total <= 0)
        return 0;
    return int(std::clamp<qint64>(done, 0, total) * 100 / total);
}
