// The launch screen as the presenter meets it, against starting the show by hand.
//
//   bench_show [runs]        (needs a display: run it under xvfb-run on a server)
//
// A 30-slide .pptx with a 1920x1080 photograph on every slide is built first. Then:
//  - ours, unprepared: from the Page Down key event on the launch screen to its show watcher
//    seeing slide 1, pressed as soon as the previous show has gone, so the deck is loaded again
//    (the office already runs: it is started with the program);
//  - ours, prepared: the same after the screen has waited long enough to open the talk ahead;
//  - baseline: a cold `soffice --show deck.pptx` from a stopped office (its profile already
//    made) until its show window is mapped.
// Goals: unprepared at most a quarter of the baseline and under 1 s; prepared under 300 ms.

#include "BenchSupport.h"
#include "EventDocument.h"
#include "LaunchController.h"
#include "LibreOfficeApp.h"
#include "LiveCastHooks.h"
#include "SystemShowClock.h"
#include "TimingsSetting.h"
#include "frmLaunch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSlides = 30;
constexpr int kBoundMs = 60000;

// Runs the event loop until condition holds; false after boundMs.
bool processUntil(const std::function<bool()>& condition, int boundMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > boundMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Page Down until the watcher has seen slide 1: -1 when it never did. With prepared, the screen
// first waits until the talk has been opened ahead.
double pageDownMs(frmLaunch& screen, LibreOfficeApp& shows, const QString& deck, bool prepared)
{
    LaunchController& controller = screen.controller();
    if (prepared && !processUntil([&] { return controller.preparedPath() == deck; }, kBoundMs))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(&screen, &press);
    const bool seen =
        processUntil([&] { return controller.slideTimings().LastPosition() == 1; }, kBoundMs);
    const double result = seen ? BenchSupport::msSince(timer) : -1;
    // The presenter leaves the show; the watcher notices and the screen waits for the next.
    shows.closeAll();
    processUntil([&] { return !controller.showRunning(); }, kBoundMs);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    if (!BenchSupport::hasDisplay())
        return 2;
    QTemporaryDir dir;
    const QString deck = dir.filePath("deck.pptx");
    LibreOfficeApp shows(QString(), dir.filePath("show-profile"));
    shows.startInBackground();
    LibreOfficeApp exports(QString(), dir.filePath("export-profile"),
                           LibreOfficeApp::Display::Headless);
    if (!shows.isAvailable()) {
        std::fprintf(stderr, "soffice not found\n");
        return 1;
    }
    if (const QString error = BenchSupport::buildPhotoDeck(exports, dir.path(), kSlides, deck);
        !error.isEmpty()) {
        std::fprintf(stderr, "could not build the deck: %s\n", qPrintable(error));
        return 1;
    }
    exports.quit();
    std::printf("deck: %d slides, %lld bytes\n", kSlides, QFile(deck).size());

    // Cold baseline; the first start makes the profile and is not counted.
    const QString coldProfile = dir.filePath("cold-profile");
    BenchSupport::coldShowMs(deck, coldProfile, kBoundMs);
    std::vector<double> cold;
    for (int i = 0; i < runs; ++i)
        cold.push_back(BenchSupport::coldShowMs(deck, coldProfile, kBoundMs));

    // Ours: one speaker with the deck, the office up as it is from program start.
    EventDocument doc;
    doc.AppFolder = dir.path() + QStringLiteral("/");
    doc.DesktopFolder = doc.AppFolder;
    doc.Speakers[0].Name = QStringLiteral("Bench");
    doc.Speakers[0].FilePath = deck;
    doc.SpeakerCount = 1;
    if (!shows.openPresentationCount().ok()) {
        std::fprintf(stderr, "the office did not start\n");
        return 1;
    }
    SystemShowClock clock;
    LiveCastHooks liveCast;
    TimingsSetting timings;
    frmLaunch screen(doc, shows, clock, liveCast, timings);
    screen.showFullScreen();
    pageDownMs(screen, shows, deck, false); // the first load warms the office's import filters
    std::vector<double> ours;
    std::vector<double> prepared;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(pageDownMs(screen, shows, deck, false));
        prepared.push_back(pageDownMs(screen, shows, deck, true));
    }

    const double coldMedian = BenchSupport::median(cold);
    const double oursMedian = BenchSupport::median(ours);
    std::printf("median of %d launches:\n", runs);
    std::printf("  cold soffice --show until its show window maps:      %7.0f ms  (baseline)\n",
                coldMedian);
    std::printf(
        "  Page Down until the watcher sees slide 1:            %7.0f ms  (%.2f of baseline;"
        " goal <= 0.25 and < 1000 ms)\n",
        oursMedian, coldMedian > 0 ? oursMedian / coldMedian : 0.0);
    const double preparedMedian = BenchSupport::median(prepared);
    std::printf("  the same, the talk opened ahead while it waited:    %7.0f ms  (%.2f of baseline;"
                " goal < 300 ms)\n",
                preparedMedian, coldMedian > 0 ? preparedMedian / coldMedian : 0.0);
    return 0;
}
