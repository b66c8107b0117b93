// Writing each exported slide's Flash file beside its JPEG, against a plain copy of the JPEG.
//
//   bench_swf_writer [slides] [folder]
//
// 300 photo-like 1024x768 JPEGs (quality 90) are written first into a scratch folder under
// folder (default: the temporary folder), then each is converted and copied in turn. The scratch
// folder is removed at the end.

#include "bench/BenchSupport.h"
#include "slides/SwfWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double GoalMs = 2.0;

void printFigures(const char* what, std::vector<double> ms)
{
    double total = 0;
    for (double m : ms)
        total += m;
    std::printf("  %-28s median %6.3f ms  worst %7.3f ms  total %8.1f ms\n", what,
                BenchSupport::median(ms), *std::max_element(ms.begin(), ms.end()), total);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int slides = argc > 1 ? std::max(1, atoi(argv[1])) : 300;
    QTemporaryDir scratch((argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath()) +
                          QStringLiteral("/bench-swf-XXXXXX"));
    if (!scratch.isValid()) {
        std::fprintf(stderr, "cannot make a scratch folder\n");
        return 1;
    }

    std::vector<double> encodeMs, jpegKb;
    QStringList bases;
    for (int i = 0; i < slides; ++i) {
        const QImage picture =
            BenchSupport::photograph(i).scaled(SwfWriter::FrameWidth, SwfWriter::FrameHeight,
                                               Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        bases << scratch.filePath(QString::number(i + 1) + QStringLiteral("140509"));
        QElapsedTimer timer;
        timer.start();
        if (!picture.save(bases.last() + QStringLiteral(".jpg"), "JPEG", 90)) {
            std::fprintf(stderr, "cannot write %s.jpg\n", qPrintable(bases.last()));
            return 1;
        }
        encodeMs.push_back(BenchSupport::msSince(timer));
        jpegKb.push_back(double(QFileInfo(bases.last() + QStringLiteral(".jpg")).size()) / 1024);
    }

    // The two take turns slide by slide, so that both meet the same machine.
    std::vector<double> swfMs, copyMs, buildMs;
    for (const QString& base : bases) {
        QElapsedTimer timer;
        timer.start();
        const QString error = SwfWriter::convert(base);
        swfMs.push_back(BenchSupport::msSince(timer));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }

        timer.restart();
        if (!QFile::copy(base + QStringLiteral(".jpg"), base + QStringLiteral(".copy"))) {
            std::fprintf(stderr, "cannot copy %s.jpg\n", qPrintable(base));
            return 1;
        }
        copyMs.push_back(BenchSupport::msSince(timer));

        // The part that is ours alone: the movie built in memory from bytes already read.
        QFile jpeg(base + QStringLiteral(".jpg"));
        if (!jpeg.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = jpeg.readAll();
        timer.restart();
        const QByteArray movie = SwfWriter::movie(bytes);
        buildMs.push_back(BenchSupport::msSince(timer));
        if (movie.size() != QFileInfo(base + QStringLiteral(".swf")).size())
            return 1;
    }

    std::printf("%d slides of %dx%d, JPEG quality 90: %.0f to %.0f KB (median %.0f KB), encoded "
                "in %.1f ms (median)\n",
                slides, SwfWriter::FrameWidth, SwfWriter::FrameHeight,
                *std::min_element(jpegKb.begin(), jpegKb.end()),
                *std::max_element(jpegKb.begin(), jpegKb.end()), BenchSupport::median(jpegKb),
                BenchSupport::median(encodeMs));
    printFigures("Flash file written:", swfMs);
    printFigures("  of it, built in memory:", buildMs);
    printFigures("copy of the JPEG (baseline):", copyMs);
    const double median = BenchSupport::median(swfMs);
    std::printf("  Flash file / copy: %.2f   goal < %.0f ms a slide: %s\n",
                median / BenchSupport::median(copyMs), GoalMs, median < GoalMs ? "met" : "NOT MET");
    return 0;
}
