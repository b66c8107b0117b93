// Presentations dropped on the speaker list from a USB stick: the import rule copies them into
// the import folder off the interface thread, behind the copy window.
//
//   bench_import_copy [runs (7)] [folder]
//
// 50 files of 40 MB in a scratch folder under `folder` (default /tmp) that the drive table
// reports as removable; the scratch folder is removed at the end. Prints, against goals:
//  - the longest time the event loop went without its 1 ms tick while the drop copied, beside the
//    same for an idle event loop while cp copies the files (what the machine itself costs),
//  - the time from Cancel (at 10 %, 50 % and 90 % of the drop) until the drop has ended with
//    no partial copy left,
//  - the drop's time against `cp` of the same files in the same run (medians).

#include "bench/BenchSupport.h"
#include "bench/QuietServices.h"
#include "document/EventDocument.h"
#include "document/ImportCopier.h"
#include "platform/ClipboardService.h"
#include "platform/DriveTypeSource.h"
#include "platform/MessageService.h"
#include "platform/ShellService.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "setup/SpeakerList.h"
#include "setup/widgets/frmCopy.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kFiles = 50;
constexpr qint64 kFileBytes = 40 * 1024 * 1024;
constexpr double kStallGoalMs = 50;
constexpr double kCancelGoalMs = 200;
constexpr double kCpRatioGoal = 1.2;

// The folder the files are dropped from is a stick; everything else a fixed disk.
class StickDrives : public DriveTypeSource
{
public:
    explicit StickDrives(QString stick) : m_stick(std::move(stick)) {}
    DriveType driveTypeOf(const QString& path) const override
    {
        return path.startsWith(m_stick) ? Removable : Fixed;
    }

private:
    QString m_stick;
};

void syncDisks()
{
    QProcess::execute(QStringLiteral("sync"), {});
}

// Both copies start from the same state: neither the other's copies nor its own earlier ones
// hold page cache or wait to be written out, and the files to copy are in the page cache (when
// run as root the cache is emptied first and filled with just them). On this virtual machine
// memory the guest has not used before is slow to hand out the first time (2 GB of it cost cp or
// the drop several seconds, whichever came first), so each copy must reuse the pages the last
// one freed.
void freshFolders(const QStringList& paths, const QStringList& reads)
{
    for (const QString& path : paths) {
        QDir(path).removeRecursively();
        QDir().mkpath(path);
    }
    syncDisks();
    QFile dropCaches(QStringLiteral("/proc/sys/vm/drop_caches"));
    if (dropCaches.open(QIODevice::WriteOnly))
        dropCaches.write("1\n");
    dropCaches.close();
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (const QString& path : reads) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            while (file.read(block.data(), block.size()) > 0) {
            }
    }
}

// CPU time this thread has used, and how often the kernel took a core from it.
struct ThreadTimes
{
    double cpuMs = 0;
    long preempted = 0;

    static ThreadTimes now()
    {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return {usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
                    usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3,
                usage.ru_nivcsw};
    }
};

struct Gap
{
    double ms = 0;      // between two ticks of the event loop
    double cpuMs = 0;   // of which the interface thread ran
    long preempted = 0; // times the kernel gave its core to another thread meanwhile
    double endMs = 0;   // when it ended, from the start
    int speakers = 0;   // speakers added by then
};

// The event loop's 1 ms tick: the longest time it went without one, and what the thread did
// meanwhile.
class TickWatch
{
public:
    explicit TickWatch(std::function<int()> speakers = [] { return 0; })
    {
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(1);
        QObject::connect(&m_tick, &QTimer::timeout, [this, speakers] {
            const double gap = BenchSupport::msSince(m_sinceTick);
            const ThreadTimes times = ThreadTimes::now();
            if (gap > m_longest.ms)
                m_longest = {gap, times.cpuMs - m_atTick.cpuMs,
                             times.preempted - m_atTick.preempted, BenchSupport::msSince(m_clock),
                             speakers()};
            m_atTick = times;
            m_sinceTick.restart();
        });
        m_clock.start();
        m_sinceTick.start();
        m_atTick = ThreadTimes::now();
        m_tick.start();
    }
    Gap longest() const { return m_longest; }
    double elapsedMs() const { return BenchSupport::msSince(m_clock); }

private:
    QTimer m_tick;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceTick;
    ThreadTimes m_atTick;
    Gap m_longest;
};

struct Drop
{
    double ms = -1;        // drop until it ended
    Gap gap;               // the longest stall of the event loop meanwhile
    double cancelMs = -1;  // Cancel until the drop ended
    bool complete = false; // every file copied
    bool clean = false;    // after Cancel: no partial copy
};

// Drops files on a speaker list with its copy window; cancelAtPercent of the whole drop the
// window's Cancel is clicked (negative: never).
Drop drop(const QStringList& files, const QString& stick, const QString& importDir,
          const QString& cpDir, PresentationApp& app, int cancelAtPercent)
{
    freshFolders({cpDir, importDir}, files);
    EventDocument doc;
    doc.ImportDir = importDir + QLatin1Char('/');
    QuietServices::Messages messages;
    StickDrives drives(stick);
    QuietServices::Clipboard clipboard;
    QuietServices::Shell shell;
    SpeakerList list(doc, {messages, drives, clipboard, app, shell});
    frmCopy window(list.importCopier());

    Drop result;
    QEventLoop loop;
    QElapsedTimer sinceCancel;
    QObject::connect(&list, &SpeakerList::addingFinished, &loop, &QEventLoop::quit);
    if (cancelAtPercent >= 0) {
        QObject::connect(&list.importCopier(), &ImportCopier::progressChanged, &window,
                         [&](const QString&, int percent) {
                             const int whole = (doc.Speakers.count() * 100 + percent) / kFiles;
                             if (whole >= cancelAtPercent && !sinceCancel.isValid()) {
                                 sinceCancel.start();
                                 window.ComCancel_Click();
                             }
                         });
    }
    TickWatch watch([&doc] { return doc.Speakers.count(); });
    list.addFiles(files, SpeakerList::Source::Drop);
    if (list.isAdding())
        loop.exec();
    result.ms = watch.elapsedMs();
    result.gap = watch.longest();
    if (sinceCancel.isValid())
        result.cancelMs = BenchSupport::msSince(sinceCancel);
    result.complete = doc.Speakers.count() == kFiles;
    // Only whole copies, one a speaker, may be left in the import folder.
    result.clean = QDir(importDir).entryList(QDir::Files).size() == doc.Speakers.count();
    return result;
}

// cp of the same files, while an event loop with nothing else to do ticks in this process: the
// stalls that copying at this rate costs any program on this machine.
struct Cp
{
    double ms = 0;
    Gap gap;
};

Cp cp(const QStringList& files, const QString& target, const QString& importDir)
{
    freshFolders({importDir, target}, files);
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    TickWatch watch;
    process.start(QStringLiteral("cp"), QStringList(files) << target);
    loop.exec();
    return {watch.elapsedMs(), watch.longest()};
}

const char* verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QString base = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/tmp");
    // The files, the drop's copies and cp's copies, with room to spare.
    const qint64 needed = 3 * kFiles * kFileBytes + (qint64(1) << 30);
    if (QStorageInfo(base).bytesAvailable() < needed) {
        std::fprintf(stderr, "%s has less than %lld MB free\n", qPrintable(base),
                     needed / (1024 * 1024));
        return 1;
    }
    QTemporaryDir work(base + QStringLiteral("/stagor-import-bench-XXXXXX"));
    if (!work.isValid())
        return 1;
    const QString stick = work.filePath("stick");
    QDir().mkpath(stick);
    QStringList files;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < kFiles; ++i) {
        files << stick + QStringLiteral("/Talk%1.pptx").arg(i + 1);
        QFile file(files.last());
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (qint64 written = 0; written < kFileBytes; written += block.size()) {
            QRandomGenerator(quint32(i * 1000 + written / block.size()))
                .fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            file.write(block);
        }
    }
    syncDisks();
    LibreOfficeApp app(QString(), work.filePath("profile"));

    // In the program the setup window has loaded fonts and styles long before a drop comes.
    {
        ImportCopier copier;
        frmCopy first(copier);
        first.show();
        QApplication::processEvents();
    }

    const QString cpDir = work.filePath("cp");
    const QString importDir = work.filePath("import");
    std::vector<double> ours, copies;
    Gap worstGap, worstCpGap;
    const auto noteGap = [&](const Drop& d) {
        if (d.gap.ms > worstGap.ms)
            worstGap = d.gap;
    };
    const auto cpRun = [&] {
        const Cp run = cp(files, cpDir, importDir);
        if (run.gap.ms > worstCpGap.ms)
            worstCpGap = run.gap;
        return run.ms;
    };
    bool allComplete = true;
    // Both read the files from the page cache from now on, and both write into pages used before.
    cp(files, cpDir, importDir);
    for (int i = 0; i < runs; ++i) {
        // Taking turns at going first, so that whatever else the machine does falls on both.
        if (i % 2 == 0)
            copies.push_back(cpRun());
        const Drop d = drop(files, stick, importDir, cpDir, app, -1);
        if (i % 2 == 1)
            copies.push_back(cpRun());
        ours.push_back(d.ms);
        noteGap(d);
        allComplete = allComplete && d.complete;
    }
    std::vector<double> cancels;
    bool allClean = true;
    for (const int percent : {10, 50, 90}) {
        const Drop d = drop(files, stick, importDir, cpDir, app, percent);
        cancels.push_back(d.cancelMs);
        noteGap(d);
        allClean = allClean && d.clean && !d.complete && d.cancelMs >= 0;
    }
    QDir(cpDir).removeRecursively();
    QDir(importDir).removeRecursively();
    double load[3] = {};
    getloadavg(load, 3);

    const double dropMedian = BenchSupport::median(ours);
    const double cpMedian = BenchSupport::median(copies);
    const double longestGap = worstGap.ms;
    const double longestCancel = *std::max_element(cancels.begin(), cancels.end());
    const double ratio = dropMedian / cpMedian;
    std::printf("%d files of %lld MB dropped from a stick folder, median of %d\n", kFiles,
                kFileBytes / (1024 * 1024), runs);
    std::printf("  load average at the end: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    std::printf("  longest event-loop stall while copying: %7.1f ms  (goal < %.0f ms)   %s\n",
                longestGap, kStallGoalMs, verdict(longestGap < kStallGoalMs));
    std::printf("    of which the interface thread ran %.1f ms; its core was taken from it %ld "
                "times; it ended %.0f ms into the drop, %d files copied\n",
                worstGap.cpuMs, worstGap.preempted, worstGap.endMs, worstGap.speakers);
    std::printf("    baseline, an idle event loop while cp copies the same files: %.1f ms (it ran "
                "%.1f ms)\n",
                worstCpGap.ms, worstCpGap.cpuMs);
    std::printf("  Cancel at 10/50/90 %% until ended:  %.1f / %.1f / %.1f ms  (goal < %.0f ms, no "
                "partial copy)   %s\n",
                cancels[0], cancels[1], cancels[2], kCancelGoalMs,
                verdict(longestCancel < kCancelGoalMs && allClean));
    std::printf("  drop %7.1f ms against cp %7.1f ms = %.2f of cp  (goal <= %.1f)   %s\n",
                dropMedian, cpMedian, ratio, kCpRatioGoal,
                verdict(ratio <= kCpRatioGoal && allComplete));
    return 0;
}
