// Export of a zipped event file and its opening (unpacking the presentations), each against
// `cat` of the same presentations into one file, and the time from a Cancel to the copy having
// stopped. The export to a stick, which waits until the file is on the disk, is set against
// `cat` followed by `sync`.
//
//   bench_zev [runs] [folder]
//
// The event: three speakers with a 300 MB presentation each (random bytes, so nothing is
// cheaper to copy than real slides). Everything is written under folder (default: the system's
// temporary folder) and removed at the end. Before each measurement the page cache is emptied
// (when run as root) and filled with just what that measurement reads.

#include "document/BackgroundPresentationsExtractor.h"
#include "document/EventDocument.h"
#include "document/EventFileReader.h"
#include "document/ImageBlockCodec.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"
#include "platform/MountTableDriveTypes.h"
#include "platform/StatvfsFreeSpace.h"
#include "setup/ZippedEventExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace {

constexpr qint64 PresentationBytes = 300LL * 1000 * 1000;

class PrintedMessages : public MessageService
{
public:
    MsgAnswer show(const QString& text, MsgButtons, MsgIcon) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MsgAnswer::Ok;
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double secondsSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// The longest time this thread's event loop went without running a 5 ms timer, while job ran.
// Runs an export to its end, this thread handling events meanwhile.
ZippedEventExport::Outcome exportAndWait(ZippedEventExport& exporter, const QString& path)
{
    QEventLoop loop;
    auto outcome = ZippedEventExport::Outcome::Failed;
    QObject::connect(&exporter, &ZippedEventExport::ended, &loop,
                     [&](ZippedEventExport::Outcome ended) {
                         outcome = ended;
                         loop.quit();
                     });
    if (exporter.exportTo(path))
        loop.exec();
    return outcome;
}

template <typename Job> double longestStallMs(Job job)
{
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();
    job();
    return longest;
}

bool writeRandomFile(const QString& path, const QByteArray& block, int seed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray first = block;
    first[0] = char(seed);
    for (qint64 written = 0; written < PresentationBytes; written += block.size())
        if (file.write(written == 0 ? first : block) != block.size())
            return false;
    return true;
}

// Every measurement starts alike: nothing left to write, and of the files only those it reads
// in the page cache (the cache is emptied first where that is allowed: as root).
void settle(const QStringList& reads)
{
    ::sync();
    QFile dropCaches(QStringLiteral("/proc/sys/vm/drop_caches"));
    if (dropCaches.open(QIODevice::WriteOnly))
        dropCaches.write("1\n");
    for (const QString& path : reads) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            while (!file.read(1 << 20).isEmpty()) {
            }
    }
}

double catSeconds(const QStringList& inputs, const QString& output, bool sync)
{
    settle(inputs);
    QElapsedTimer timer;
    timer.start();
    QProcess shell;
    QString command = QStringLiteral("cat \"$@\" > '%1'").arg(output);
    if (sync)
        command += QStringLiteral(" && sync '%1'").arg(output);
    shell.start(QStringLiteral("sh"), QStringList{"-c", command, "sh"} + inputs);
    shell.waitForFinished(-1);
    const double seconds = secondsSince(timer);
    QFile::remove(output);
    return shell.exitCode() == 0 ? seconds : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir root((argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath()) +
                       QStringLiteral("/zev-bench-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        return 1;
    }
    const QString talks = root.path() + QStringLiteral("/talks/");
    const QString import = root.path() + QStringLiteral("/import/");
    QDir().mkpath(talks);
    QDir().mkpath(import);

    EventDocument event;
    event.RunFolder = root.path();
    event.DesktopFolder = root.path() + QLatin1Char('/');
    event.clearEvent();
    event.ImportDir = import;
    QImage holding(1920, 1080, QImage::Format_RGB32);
    holding.fill(qRgb(20, 40, 120));
    event.ImgHoldingFull = holding;
    event.ImgHolding = holding.scaled(160, 90);

    QByteArray block(8 * 1000 * 1000, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
    QStringList inputs;
    for (int i = 0; i < 3; ++i) {
        const QString path = talks + QStringLiteral("Talk%1.pptx").arg(i + 1);
        if (!writeRandomFile(path, block, i)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        inputs << path;
        event.Speakers.append(
            {QStringLiteral("Speaker %1").arg(i + 1), QFileInfo(path).fileName(), path, {}});
    }
    const double totalMB = 3.0 * double(PresentationBytes) / 1e6;

    PrintedMessages messages;
    StatvfsFreeSpace freeSpace;
    struct NoDialogs : FileDialogService
    {
        QString getOpenFileName(const QString&, const QString&) override { return {}; }
        QString getSaveFileName(const QString&, const QString&, ReplaceQuestion) override
        {
            return {};
        }
    } dialogs;
    // Measured as the folder's own drive, and once more as a stick, which waits for the disk.
    MountTableDriveTypes drives;
    if (drives.driveTypeOf(root.path()) != DriveTypeSource::Fixed)
        std::fprintf(stderr, "note: %s is not on a fixed disk\n", qPrintable(root.path()));
    struct Stick : DriveTypeSource
    {
        DriveType driveTypeOf(const QString&) const override { return Removable; }
    } stick;
    ZippedEventExport exporter(event, messages, dialogs, freeSpace, drives);
    ZippedEventExport stickExporter(event, messages, dialogs, freeSpace, stick);
    const QString zev = root.path() + QStringLiteral("/event.zev");

    std::vector<double> cats, catsSynced, exports, stickExports, stickTails, opens, unpacks,
        exportStalls, openStalls;
    for (int run = 0; run < runs; ++run) {
        cats.push_back(catSeconds(inputs, root.path() + QStringLiteral("/cat.out"), false));
        catsSynced.push_back(catSeconds(inputs, root.path() + QStringLiteral("/cat.out"), true));

        settle(inputs);
        QElapsedTimer timer;
        timer.start();
        ZippedEventExport::Outcome outcome{};
        exportStalls.push_back(longestStallMs([&] { outcome = exportAndWait(exporter, zev); }));
        exports.push_back(secondsSince(timer));
        if (outcome != ZippedEventExport::Outcome::Written) {
            std::fprintf(stderr, "export failed\n");
            return 1;
        }

        // The operator's wait once the window shows 100 %.
        settle(inputs);
        QElapsedTimer sinceFull;
        const QObject context;
        QObject::connect(&stickExporter, &ZippedEventExport::progressChanged, &context,
                         [&](const QString&, int percent) {
                             if (percent == 100 && !sinceFull.isValid())
                                 sinceFull.start();
                         });
        timer.restart();
        if (exportAndWait(stickExporter, zev) != ZippedEventExport::Outcome::Written) {
            std::fprintf(stderr, "export to a stick failed\n");
            return 1;
        }
        stickExports.push_back(secondsSince(timer));
        stickTails.push_back(double(sinceFull.nsecsElapsed()) / 1e6);

        EventDocument opened = event;
        opened.Speakers.clear();
        BackgroundPresentationsExtractor extractor;
        QElapsedTimer unpacking;
        QObject::connect(&extractor, &BackgroundPresentationsExtractor::extractionStarted,
                         [&] { unpacking.start(); });
        QObject::connect(&extractor, &BackgroundPresentationsExtractor::extractionFinished,
                         [&] { unpacks.push_back(secondsSince(unpacking)); });
        ImageBlockCodec codec;
        EventFileReader reader(codec);
        settle({zev});
        timer.restart();
        EventReadResult result;
        openStalls.push_back(longestStallMs([&] {
            QEventLoop loop;
            bool ended = false;
            extractor.read(reader, zev, opened, [&](const EventReadResult& read) {
                result = read;
                ended = true;
                loop.quit();
            });
            if (!ended)
                loop.exec();
        }));
        opens.push_back(secondsSince(timer));
        if (!result.ok() || opened.Speakers[2].FilePath.isEmpty()) {
            std::fprintf(stderr, "open failed: %s\n", qPrintable(result.message));
            return 1;
        }
        QFile::remove(zev);
        QDir(import).removeRecursively();
        QDir().mkpath(import);
    }

    // Cancel at several points of the copy; the time until the copying thread has stopped and
    // the export has returned (the partial file is removed after that, off the interface thread).
    auto cancelTimes = [&](ZippedEventExport& job) {
        std::vector<double> times;
        for (int percent : {5, 30, 60, 90}) {
            QElapsedTimer sinceCancel;
            double stoppedMs = -1;
            const QObject context;
            QObject::connect(&job, &ZippedEventExport::progressChanged, &context,
                             [&](const QString&, int at) {
                                 if (at >= percent && !sinceCancel.isValid()) {
                                     sinceCancel.start();
                                     job.ComCancel_Click();
                                 }
                             });
            QObject::connect(&job, &ZippedEventExport::exportFinished, &context, [&] {
                if (sinceCancel.isValid())
                    stoppedMs = double(sinceCancel.nsecsElapsed()) / 1e6;
            });
            if (exportAndWait(job, zev) != ZippedEventExport::Outcome::Cancelled || stoppedMs < 0) {
                std::fprintf(stderr, "cancel at %d%% did not cancel\n", percent);
                std::exit(1);
            }
            times.push_back(stoppedMs);
        }
        return times;
    };
    const std::vector<double> cancelMs = cancelTimes(exporter);
    const std::vector<double> stickCancelMs = cancelTimes(stickExporter);

    const double cat = median(cats), catSynced = median(catsSynced);
    const double exported = median(exports), stickExported = median(stickExports);
    const double opened = median(opens);
    std::printf("presentations: 3 x %.0f MB (%d runs, medians)\n", double(PresentationBytes) / 1e6,
                runs);
    std::printf("cat into one file:          %6.2f s  %7.1f MB/s  (baseline)\n", cat,
                totalMB / cat);
    std::printf("cat + sync of that file:    %6.2f s  %7.1f MB/s\n", catSynced,
                totalMB / catSynced);
    std::printf("export (.zev):              %6.2f s  %7.1f MB/s  %.2fx cat (goal >= 0.8)\n",
                exported, totalMB / exported, cat / exported);
    std::printf("export to a stick (synced): %6.2f s  %7.1f MB/s  %.2fx cat+sync\n", stickExported,
                totalMB / stickExported, catSynced / stickExported);
    std::printf("open (unpack 3 files):      %6.2f s  %7.1f MB/s  %.2fx cat (goal >= 0.8)\n",
                opened, totalMB / opened, cat / opened);
    std::printf("  of which unpacking:       %6.2f s  %7.1f MB/s  %.2fx cat\n", median(unpacks),
                totalMB / median(unpacks), cat / median(unpacks));
    std::printf("longest event-loop stall:   export %.1f ms, open %.1f ms\n",
                *std::max_element(exportStalls.begin(), exportStalls.end()),
                *std::max_element(openStalls.begin(), openStalls.end()));
    std::printf("cancel to export ended:     max %.1f ms, median %.1f ms (goal <= 100)\n",
                *std::max_element(cancelMs.begin(), cancelMs.end()), median(cancelMs));
    std::printf("  to a stick:               max %.1f ms, median %.1f ms\n",
                *std::max_element(stickCancelMs.begin(), stickCancelMs.end()),
                median(stickCancelMs));
    std::printf("stick: wait after 100 %%:    max %.1f ms, median %.1f ms\n",
                *std::max_element(stickTails.begin(), stickTails.end()), median(stickTails));
    return 0;
}
