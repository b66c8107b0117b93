// The webcast's slides of a whole event: exported, wrapped in Flash files and uploaded, each
// against what an operator could do by hand on the same machine in the same run.
//
//   bench_livecast_export [runs] [folder]
//
// An event of 10 talks of 30 slides, each slide a 1920x1080 photograph-like picture, is built
// as .pptx decks through a headless office of our own first (in a scratch folder under folder,
// default the temporary folder, removed at the end). Then, runs times (default 1) with the two
// sides taking turns:
//  1. export: the whole event through LiveCastExport in that office, already running; baseline
//     (a): one `soffice --headless --convert-to pdf` of the ten decks with a fresh profile,
//     then `pdftoppm -jpeg -scale-to-x 1024 -scale-to-y 768` of each PDF. Goal: at most 0.5x.
//  2. upload: the LiveCast folder the export wrote, through the admin upload over libcurl to
//     pyftpdlib on 127.0.0.1 (a first upload: the event folder is removed on the server before
//     each); baseline (b): one `curl` call sending the same files over one connection, one
//     -T/URL pair per folder. Goal: at most 1.2x.
//  3. the Flash file of each exported JPEG, written again slide by slide. Goal: median under
//     2 ms.
// Beside them: the longest the event loop went without its 1 ms tick during the export and
// the upload, which run off this thread.

#include "bench/BenchSupport.h"
#include "bench/QuietServices.h"
#include "document/LiveCastFileNames.h"
#include "document/LiveCastSettings.h"
#include "livecast/AdminUpload.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/curl/CurlTransferService.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "slides/LiveCastExport.h"
#include "slides/SwfWriter.h"
#include "tests/fakes/FixtureServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int Talks = 10;
constexpr int SlidesPerTalk = 30;
constexpr int Slides = Talks * SlidesPerTalk;
constexpr int ExportBoundMs = 15 * 60 * 1000;
constexpr int UploadBoundMs = 5 * 60 * 1000;
constexpr double ExportGoal = 0.5;
constexpr double UploadGoal = 1.2;
constexpr double SwfGoalMs = 2.0;

QString talkName(int talk)
{
    return QStringLiteral("Speaker %1").arg(talk + 1);
}

const char* verdict(bool met)
{
    return met ? "PASS" : "MISS";
}

// The 300 pictures, on both cores: each takes a while to compute.
bool writePhotographs(const QString& folder)
{
    std::atomic<int> next = 0;
    std::atomic<bool> ok = true;
    auto work = [&] {
        for (int i = next++; i < Slides; i = next++) {
            if (!BenchSupport::photograph(i).save(folder + QStringLiteral("/photo%1.jpg").arg(i),
                                                  "JPEG", 90))
                ok = false;
        }
    };
    std::thread other(work);
    work();
    other.join();
    return ok;
}

QString buildDecks(LibreOfficeApp& office, const QString& photos, const QStringList& decks)
{
    for (int talk = 0; talk < Talks; ++talk) {
        QStringList pictures;
        for (int slide = 0; slide < SlidesPerTalk; ++slide)
            pictures << photos + QStringLiteral("/photo%1.jpg").arg(talk * SlidesPerTalk + slide);
        const auto built = office.buildFromPictures(pictures, PresentationApp::Visibility::Hidden);
        if (!built.ok())
            return built.error();
        const PresentationStatus saved =
            built.value()->saveCopyAs(decks[talk], PresentationDocument::FileFormat::Pptx);
        built.value()->close();
        if (!saved.ok())
            return saved.error();
    }
    return {};
}

// Runs the event loop until done() holds or boundMs pass, keeping the longest gap between two
// 1 ms ticks of the loop.
template <typename Done> bool runUntil(Done done, int boundMs, double* longestGapMs)
{
    QElapsedTimer total;
    total.start();
    QElapsedTimer gap;
    gap.start();
    double longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, BenchSupport::msSince(gap));
        gap.restart();
    });
    tick.start();
    while (!done() && total.elapsed() < boundMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    *longestGapMs = std::max(*longestGapMs, longest);
    return done();
}

QStringList filesBelow(const QString& folder, const QString& pattern)
{
    QStringList files;
    QDirIterator it(folder, {pattern}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// The whole event through the export; -1 on failure. The LiveCast folder holds its files after.
double exportMs(LiveCastExport& job, const LiveCastExport::Request& request, double* stallMs)
{
    bool finished = false;
    LiveCastExport::Result result;
    const QMetaObject::Connection connection =
        QObject::connect(&job, &LiveCastExport::finished, [&](const LiveCastExport::Result& r) {
            result = r;
            finished = true;
        });
    QElapsedTimer timer;
    timer.start();
    if (!job.start(request))
        return -1;
    const bool ended = runUntil([&] { return finished; }, ExportBoundMs, stallMs);
    const double ms = BenchSupport::msSince(timer);
    QObject::disconnect(connection);
    if (!ended || !result.error.isEmpty() || !result.conversionErrors.isEmpty()) {
        std::fprintf(stderr, "export: %s%s (%d pictures without a file)\n",
                     ended ? "" : "did not end in time ", qPrintable(result.error),
                     int(result.conversionErrors.size()));
        return -1;
    }
    return ms;
}

bool exportIsComplete(const QString& liveCast, const QString& timeCode)
{
    for (int talk = 0; talk < Talks; ++talk) {
        const QString folder = liveCast + QLatin1Char('/') +
                               LiveCastFileNames::speakerFolder(talkName(talk)) + QLatin1Char('/');
        for (int slide = 1; slide <= SlidesPerTalk; ++slide) {
            const QString stem = folder + LiveCastFileNames::speakerSlide(slide, timeCode);
            if (QImageReader(stem + QStringLiteral(".jpg")).size() != QSize(1024, 768) ||
                !QFileInfo(stem + QStringLiteral(".swf")).isFile()) {
                std::fprintf(stderr, "missing or wrong: %s\n", qPrintable(stem));
                return false;
            }
        }
    }
    return true;
}

// Baseline (a); -1 on failure.
double convertAndRasteriseMs(const QStringList& decks, const QString& scratch)
{
    const QString out = scratch + QStringLiteral("/pdf");
    const QString profile = scratch + QStringLiteral("/pdf-profile");
    QDir(out).removeRecursively();
    QDir(profile).removeRecursively();
    QDir().mkpath(out);
    QElapsedTimer timer;
    timer.start();
    const QStringList convert = QStringList{BenchSupport::profileArgument(profile),
                                            "--headless",
                                            "--convert-to",
                                            "pdf",
                                            "--outdir",
                                            out} +
                                decks;
    if (QProcess::execute(QStringLiteral("soffice"), convert) != 0)
        return -1;
    for (const QString& deck : decks) {
        const QString pdf = out + QLatin1Char('/') + QFileInfo(deck).completeBaseName();
        if (QProcess::execute(QStringLiteral("pdftoppm"),
                              {"-jpeg", "-scale-to-x", "1024", "-scale-to-y", "768",
                               pdf + QStringLiteral(".pdf"), pdf}) != 0)
            return -1;
    }
    const double ms = BenchSupport::msSince(timer);
    const qsizetype pages = filesBelow(out, QStringLiteral("*.jpg")).size();
    if (pages != Slides) {
        std::fprintf(stderr, "baseline: %d pages instead of %d\n", int(pages), Slides);
        return -1;
    }
    return ms;
}

// The admin upload into an event folder the server does not have yet; -1 on failure.
double uploadMs(const WebcastServerSettings& server, const QString& liveCast, double* stallMs)
{
    CurlTransferService transfers;
    QuietServices::Messages messages;
    LiveCastSettings marks;
    AdminUpload upload(transfers, messages, server, marks, liveCast);
    bool closed = false;
    QObject::connect(&upload, &UploadSequence::closeRequested, [&] { closed = true; });
    QElapsedTimer timer;
    timer.start();
    upload.TimUpload_Timer();
    if (!runUntil([&] { return closed; }, UploadBoundMs, stallMs))
        return -1;
    return BenchSupport::msSince(timer);
}

// Baseline (b): one curl call, one -T "{...}" and URL per folder; -1 on failure.
double curlUploadMs(const FixtureServer& ftp, const QString& liveCast, const QString& remote)
{
    QStringList arguments = {"--silent",          "--show-error", "--fail",
                             "--ftp-create-dirs", "--user",       "room:pw"};
    const QString base = QStringLiteral("ftp://") + ftp.address() + remote;
    const auto addFolder = [&](const QString& local, const QString& remoteFolder) {
        QStringList files = QDir(liveCast + QLatin1Char('/') + local).entryList(QDir::Files);
        if (files.isEmpty())
            return;
        for (QString& file : files)
            file.prepend(local.isEmpty() ? QString() : local + QLatin1Char('/'));
        arguments << "-T" << QLatin1Char('{') + files.join(QLatin1Char(',')) + QLatin1Char('}')
                  << base + remoteFolder;
    };
    addFolder(QString(), QStringLiteral("/"));
    for (const QString& folder :
         QDir(liveCast).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        addFolder(folder, QLatin1Char('/') + folder + QLatin1Char('/'));
    QProcess curl;
    curl.setWorkingDirectory(liveCast);
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(UploadBoundMs) || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl: %s\n", curl.readAllStandardError().constData());
        return -1;
    }
    return BenchSupport::msSince(timer);
}

qsizetype filesOnServer(const QString& folder)
{
    return filesBelow(folder, QStringLiteral("*")).size();
}

void printRatio(const char* what, double ours, double baseline, double goal)
{
    const double ratio = ours / baseline;
    std::printf("  %-44s %.2fx of the baseline (goal <= %.1fx): %s\n", what, ratio, goal,
                verdict(ratio <= goal));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 1;
    QTemporaryDir scratch((argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath()) +
                          QStringLiteral("/bench-livecast-export-XXXXXX"));
    if (!scratch.isValid()) {
        std::fprintf(stderr, "cannot make a scratch folder\n");
        return 1;
    }
    const QString photos = scratch.filePath("photos");
    const QString decksFolder = scratch.filePath("decks");
    const QString liveCast = scratch.filePath("veskCast");
    QDir().mkpath(photos);
    QDir().mkpath(decksFolder);

    LibreOfficeApp office(QString(), scratch.filePath("lo-profile"),
                          LibreOfficeApp::Display::Headless);
    if (!office.isAvailable()) {
        std::fprintf(stderr, "soffice not found\n");
        return 1;
    }
    office.startInBackground();
    QElapsedTimer setUp;
    setUp.start();
    if (!writePhotographs(photos)) {
        std::fprintf(stderr, "cannot write the pictures\n");
        return 1;
    }
    QStringList decks;
    for (int talk = 0; talk < Talks; ++talk)
        decks << decksFolder + QStringLiteral("/talk%1.pptx").arg(talk + 1);
    if (const QString error = buildDecks(office, photos, decks); !error.isEmpty()) {
        std::fprintf(stderr, "cannot build the decks: %s\n", qPrintable(error));
        return 1;
    }
    qint64 deckBytes = 0;
    for (const QString& deck : decks)
        deckBytes += QFileInfo(deck).size();
    std::printf("%d talks x %d slides of 1920x1080 photographs, %.1f MB of decks (built in %.0f "
                "s)\n\n",
                Talks, SlidesPerTalk, double(deckBytes) / 1e6, setUp.elapsed() / 1000.0);

    // The export's own Flash files, timed on its thread; read once it has finished.
    std::vector<double> swfInExportMs;
    LiveCastExport job(office, [&swfInExportMs](const QString& stem, QString* error) {
        QElapsedTimer timer;
        timer.start();
        *error = SwfWriter::convert(stem);
        swfInExportMs.push_back(BenchSupport::msSince(timer));
        return error->isEmpty();
    });
    LiveCastExport::Request request;
    request.liveCastFolder = liveCast;
    request.startedAt = QTime(14, 5, 9);
    request.wholeEvent = true;
    for (int talk = 0; talk < Talks; ++talk)
        request.speakers.append({talk, talkName(talk), decks[talk]});
    const QString timeCode = LiveCastFileNames::timeCode(request.startedAt);

    // 1. Export, taking turns with the baseline.
    std::vector<double> exported, converted;
    double exportStall = 0;
    for (int run = 0; run < runs; ++run) {
        exported.push_back(exportMs(job, request, &exportStall));
        if (exported.back() < 0 || !exportIsComplete(liveCast, timeCode))
            return 1;
        converted.push_back(convertAndRasteriseMs(decks, scratch.path()));
        if (converted.back() < 0)
            return 1;
    }
    const double exportMedian = BenchSupport::median(exported);
    const double convertMedian = BenchSupport::median(converted);
    qint64 jpegBytes = 0;
    const QStringList jpegs = filesBelow(liveCast, QStringLiteral("*.jpg"));
    for (const QString& jpeg : jpegs)
        jpegBytes += QFileInfo(jpeg).size();

    // 2. Upload, taking turns with the baseline, each into an event folder not there yet.
    const QString ftpRoot = scratch.filePath("ftp");
    QDir().mkpath(ftpRoot + QStringLiteral("/webcasts"));
    FixtureServer ftp(QStringLiteral("ftp_server.py"),
                      {"--root", ftpRoot, "--user", "room", "--password", "pw"});
    if (!ftp.ready()) {
        std::fprintf(stderr, "FTP server: %s\n", qPrintable(ftp.failure()));
        return 1;
    }
    WebcastServerSettings server;
    server.WebcastFtpUrl = QStringLiteral("ftp://") + ftp.address();
    server.WebcastUserName = QStringLiteral("room");
    server.WebcastPassword = QStringLiteral("pw");
    server.WebcastUploadDir = QStringLiteral("/webcasts/");
    server.WebcastEventFolder = QStringLiteral("EVENT");
    const QString served = ftpRoot + QStringLiteral("/webcasts/EVENT");
    const QString curlServed = ftpRoot + QStringLiteral("/webcasts/CURL");
    // The first upload writes the default status record into the LiveCast folder; both sides
    // send it from then on.
    double uploadStall = 0;
    if (uploadMs(server, liveCast, &uploadStall) < 0)
        return 1;
    const qsizetype localFiles = filesOnServer(liveCast);
    std::vector<double> uploaded, curled;
    for (int run = 0; run < std::max(runs, 3); ++run) {
        QDir(served).removeRecursively();
        uploaded.push_back(uploadMs(server, liveCast, &uploadStall));
        QDir(curlServed).removeRecursively();
        curled.push_back(curlUploadMs(ftp, liveCast, QStringLiteral("/webcasts/CURL")));
        if (uploaded.back() < 0 || curled.back() < 0 || filesOnServer(served) != localFiles ||
            filesOnServer(curlServed) != localFiles) {
            std::fprintf(stderr, "upload: %d and %d files on the server of %d\n",
                         int(filesOnServer(served)), int(filesOnServer(curlServed)),
                         int(localFiles));
            return 1;
        }
    }
    // And once more over the upload just made, which it cleans away first.
    double againStall = 0;
    const double again = uploadMs(server, liveCast, &againStall);
    const double uploadMedian = BenchSupport::median(uploaded);
    const double curlMedian = BenchSupport::median(curled);
    const double curlBest = *std::min_element(curled.begin(), curled.end());

    // 3. The Flash files again, from the export's own JPEGs, each into a new file as in the
    // export (replacing a file makes the file system write the new one out at once).
    std::vector<double> swfMs;
    for (const QString& jpeg : jpegs) {
        QFile::remove(jpeg.chopped(4) + QStringLiteral(".swf"));
        QElapsedTimer timer;
        timer.start();
        const QString error = SwfWriter::convert(jpeg.chopped(4));
        swfMs.push_back(BenchSupport::msSince(timer));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    const double swfMedian = BenchSupport::median(swfMs);

    std::printf("1. export of %d slides to 1024x768 JPEG + Flash, median of %d\n", Slides, runs);
    std::printf("  (a) soffice --convert-to pdf (fresh profile) + pdftoppm: %8.0f ms  %6.1f ms "
                "a slide\n",
                convertMedian, convertMedian / Slides);
    std::printf("  LiveCastExport in the running headless office:       %8.0f ms  %6.1f ms a "
                "slide\n",
                exportMedian, exportMedian / Slides);
    std::printf("  JPEGs written: %.1f MB, %.0f KB a slide; longest event-loop stall %.1f ms\n",
                double(jpegBytes) / 1e6, double(jpegBytes) / 1024 / Slides, exportStall);
    printRatio("export", exportMedian, convertMedian, ExportGoal);

    std::printf("\n2. upload of %d files (%.1f MB) to pyftpdlib on 127.0.0.1, median of %d\n",
                int(localFiles), double(jpegBytes) * 2 / 1e6, int(uploaded.size()));
    std::printf("  (b) one curl call, one -T/URL pair per folder:       %8.0f ms  %6.2f ms a "
                "file\n",
                curlMedian, curlMedian / double(localFiles));
    std::printf("  admin upload, first into the event folder:           %8.0f ms  %6.2f ms a "
                "file\n",
                uploadMedian, uploadMedian / double(localFiles));
    std::printf("  admin upload over the last one (cleaned away first): %8.0f ms\n", again);
    std::printf("  longest event-loop stall %.1f ms (%.1f ms over the last one)\n", uploadStall,
                againStall);
    printRatio("upload", uploadMedian, curlMedian, UploadGoal);
    // curl's own tool now and then waits a whole second for a data connection to connect (its
    // trace shows it between "Connecting to" and "Trying"): its fastest run is the fairer bar.
    std::printf("  (b) fastest of its runs:                              %8.0f ms\n", curlBest);
    printRatio("upload against the fastest curl run", uploadMedian, curlBest, UploadGoal);

    std::sort(swfMs.begin(), swfMs.end());
    std::sort(swfInExportMs.begin(), swfInExportMs.end());
    std::printf("\n3. Flash file of each exported JPEG, %d slides\n", int(swfMs.size()));
    std::printf("  during the export (%d):  median %.3f ms, worst %.3f ms\n",
                int(swfInExportMs.size()), BenchSupport::median(swfInExportMs),
                swfInExportMs.back());
    std::printf("  alone, after it:        median %.3f ms, worst %.3f ms (goal: median under "
                "%.0f ms): %s\n",
                swfMedian, swfMs.back(), SwfGoalMs, verdict(swfMedian < SwfGoalMs));
    return 0;
}
