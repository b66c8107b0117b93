#include "BenchSupport.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

QImage BenchSupport::photograph(int seed)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QRandomGenerator rng{quint32(seed)};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double fx = x / 1920.0, fy = y / 1080.0;
            const int noise = int(rng.bounded(24u)) - 12;
            const int r = int(128 + 100 * std::sin(6 * fx + seed)) + noise;
            const int g = int(128 + 100 * std::cos(5 * fy + fx * seed)) + noise;
            const int b = int(128 + 90 * std::sin(9 * (fx + fy))) + noise;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

double BenchSupport::median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double BenchSupport::msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}
