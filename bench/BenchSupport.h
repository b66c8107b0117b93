#pragma once

#include <QElapsedTimer>
#include <QImage>

#include <vector>

// What every benchmark needs: realistic pictures and robust figures.
class BenchSupport
{
public:
    // 1920x1080, smooth shapes with sensor-like noise: compresses like a photograph, not like a
    // flat slide. The same seed gives the same picture.
    static QImage photograph(int seed);
    static double median(std::vector<double> values);
    static double msSince(const QElapsedTimer& timer);
};
