// Launching a talk as the audience sees it, against starting its show by hand.
//
//   STAGOR_WM=openbox STAGOR_SCREEN=1920x1080x24 scripts/with-display.sh
//       build/bin/bench_show [runs]
//
// A 30-slide .pptx is built first, every slide one plain colour: slide 1 is on the screen once
// the middle of the screen has its colour. A black full-screen window of the bench stands in for
// the launch screen, and the show has to come up in front of it. The show port is the launch
// screen's own (the office called on a thread of its own), the office running as the program
// starts it. Then, `runs` times each (20 unless given):
//  - opened ahead: the talk is opened (and its show started, waiting behind the launch screen)
//    while the screen waits, as the launch screen's idle tick does; the holding slide then stays
//    up a moment, as it does while the next speaker walks up; from Page Down (the port's launch)
//    until slide 1 is on the screen;
//  - not opened ahead: the same, the launch loading the talk itself;
//  - baseline: a cold `soffice --show deck.pptx` (a profile of its own, made by a first start
//    that is not counted) until slide 1 is on the screen.
// Meanwhile the screen's pixels and the visible top-level windows are sampled every few
// milliseconds, from the launch until the show is up and the launch has answered: any window of
// the office other than the show over the screen, and the office's grey on it, are what the
// audience should never see. Opening ahead and ending the show are watched the same way, and
// there the launch screen must stay in front all along.
// Goals: opened ahead under 150 ms, not opened ahead under 400 ms; no stray window in any frame.

#include "bench/BenchSupport.h"
#include "platform/PresentationDocument.h"
#include "platform/X11ShowWindows.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "show/ThreadedShowPort.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPalette>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kSlides = 30;
constexpr int kBoundMs = 60000;
constexpr int kScreenSampleMs = 2;
constexpr int kWindowSampleMs = 2;
// The holding slide between opening a talk ahead and its Page Down.
constexpr int kHoldingMs = 1500;
// How far a pixel may stray from a plain slide colour on the screen, per channel.
constexpr int kColourTolerance = 24;

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= kColourTolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= kColourTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kColourTolerance;
}

// The office's own grey (window backgrounds, panels, an unpainted show window): no colour to it,
// neither black (the launch screen, a show's end) nor white (a slide's own background).
bool officeGrey(QRgb pixel)
{
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return high - low <= 12 && low >= 0x40 && high <= 0xF8;
}

// What one launch, or one part of it, looked like.
struct Tally
{
    int frames = 0;        // screen samples
    int greyFrames = 0;    // samples with the office's grey on the screen
    int coveredFrames = 0; // samples where the middle of the screen was not black
    int windowSamples = 0;
    int strayWindowSamples = 0; // samples with an office window other than the show visible
    // Stray windows by title and geometry, greys by value: how many samples showed each.
    QMap<QString, int> seen;

    Tally& operator+=(const Tally& other)
    {
        frames += other.frames;
        greyFrames += other.greyFrames;
        coveredFrames += other.coveredFrames;
        windowSamples += other.windowSamples;
        strayWindowSamples += other.strayWindowSamples;
        for (auto it = other.seen.cbegin(); it != other.seen.cend(); ++it)
            seen[it.key()] += it.value();
        return *this;
    }
};

// The screen as the audience sees it: a patch in its middle, which tells the slide, and lines
// across it at a quarter, half and three quarters of its width and height, which catch the
// office's grey wherever a window of it comes up.
class ScreenSampler
{
public:
    struct Frame
    {
        bool slideShown = false; // the whole patch has the slide's colour
        bool black = false;      // the whole patch is black
        int greyPixels = 0;
        QRgb grey = 0;
        bool allGrey = false; // every pixel sampled
    };

    ScreenSampler(QScreen& screen, QRgb slideColour) : m_screen(screen), m_colour(slideColour)
    {
        const QRect area = screen.geometry();
        const QPoint middle = area.center();
        m_patch = QRect(middle - QPoint(8, 8), QSize(16, 16));
        for (int eighths : {2, 4, 6}) {
            m_lines << QRect(area.left(), area.top() + area.height() * eighths / 8, area.width(),
                             1);
            m_lines << QRect(area.left() + area.width() * eighths / 8, area.top(), 1,
                             area.height());
        }
        m_pixels = m_patch.width() * m_patch.height();
        for (const QRect& line : m_lines)
            m_pixels += line.width() * line.height();
    }

    Frame grab() const
    {
        Frame frame;
        const QImage patch = grabImage(m_patch);
        frame.slideShown = everyPixel(patch, [&](QRgb pixel) { return near(pixel, m_colour); });
        frame.black = everyPixel(patch, [](QRgb pixel) { return near(pixel, qRgb(0, 0, 0)); });
        for (const QRect& line : m_lines)
            countGrey(grabImage(line), frame);
        countGrey(patch, frame);
        frame.allGrey = frame.greyPixels == m_pixels;
        return frame;
    }

private:
    QImage grabImage(const QRect& area) const
    {
        return m_screen.grabWindow(0, area.x(), area.y(), area.width(), area.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    static bool everyPixel(const QImage& image, const std::function<bool(QRgb)>& test)
    {
        if (image.isNull())
            return false;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            if (!std::all_of(line, line + image.width(), test))
                return false;
        }
        return true;
    }

    static void countGrey(const QImage& image, Frame& frame)
    {
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (officeGrey(line[x])) {
                    ++frame.greyPixels;
                    frame.grey = line[x];
                }
            }
        }
    }

    QScreen& m_screen;
    QRgb m_colour;
    QRect m_patch;
    QList<QRect> m_lines;
    int m_pixels = 0;
};

// Lists the visible top-level windows on a thread of its own, as often as the X server answers,
// while a part of a launch is being watched.
class WindowWatch
{
public:
    explicit WindowWatch(const QRect& screen) : m_screen(screen)
    {
        m_thread = std::thread([this] { run(); });
    }
    ~WindowWatch()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    // Starts counting the windows of officePid other than its show; with 0, the windows of any
    // process but this one.
    void begin(qint64 officePid)
    {
        {
            std::lock_guard lock(m_mutex);
            m_tally = Tally();
            m_officePid = officePid;
            m_watching = true;
        }
        m_wake.notify_all();
    }
    // Stops counting, once the sample under way is in; what was counted since begin().
    Tally end()
    {
        std::unique_lock lock(m_mutex);
        m_watching = false;
        m_idle.wait(lock, [this] { return !m_sampling; });
        return m_tally;
    }

private:
    void run()
    {
        const qint64 ownPid = QCoreApplication::applicationPid();
        std::unique_lock lock(m_mutex);
        while (true) {
            m_wake.wait(lock, [this] { return m_quit || m_watching; });
            if (m_quit)
                return;
            const qint64 officePid = m_officePid;
            m_sampling = true;
            lock.unlock();
            QStringList stray;
            for (const X11ShowWindows::Window& window : X11ShowWindows::topLevelWindows()) {
                const bool office = officePid ? window.pid == officePid : window.pid != ownPid;
                const bool show =
                    window.fullScreen || window.title.startsWith(QStringLiteral("Presenting: "));
                if (office && !show && window.viewable && window.geometry.intersects(m_screen))
                    stray << QStringLiteral("\"%1\" %2x%3+%4+%5")
                                 .arg(window.title)
                                 .arg(window.geometry.width())
                                 .arg(window.geometry.height())
                                 .arg(window.geometry.x())
                                 .arg(window.geometry.y());
            }
            lock.lock();
            m_sampling = false;
            if (m_watching) {
                ++m_tally.windowSamples;
                if (!stray.isEmpty())
                    ++m_tally.strayWindowSamples;
                for (const QString& window : stray)
                    ++m_tally.seen[window];
            }
            m_idle.notify_all();
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(kWindowSampleMs));
            lock.lock();
        }
    }

    const QRect m_screen;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    bool m_quit = false;
    bool m_watching = false;
    bool m_sampling = false;
    qint64 m_officePid = 0;
    Tally m_tally;
};

// Both watches over one part of a launch.
class Watch
{
public:
    Watch(const ScreenSampler& screen, WindowWatch& windows) : m_screen(screen), m_windows(windows)
    {}

    // Samples the screen every few milliseconds, running the event loop meanwhile, until
    // done(frame) holds; false after boundMs. The windows of officePid are listed all along.
    bool until(qint64 officePid, const std::function<bool(const ScreenSampler::Frame&)>& done,
               Tally& tally, int boundMs = kBoundMs)
    {
        m_windows.begin(officePid);
        QEventLoop loop;
        bool reached = false;
        QTimer sampling;
        sampling.setTimerType(Qt::PreciseTimer);
        sampling.setInterval(kScreenSampleMs);
        QObject::connect(&sampling, &QTimer::timeout, &loop, [&] {
            const ScreenSampler::Frame frame = m_screen.grab();
            ++tally.frames;
            if (!frame.black)
                ++tally.coveredFrames;
            if (frame.greyPixels > 0) {
                ++tally.greyFrames;
                ++tally.seen[QStringLiteral("grey #%1%2")
                                 .arg(frame.grey & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                 .arg(frame.allGrey ? " over the whole screen" : "")];
            }
            if (done(frame)) {
                reached = true;
                loop.quit();
            }
        });
        QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
        sampling.start();
        loop.exec();
        tally += m_windows.end();
        return reached;
    }

private:
    const ScreenSampler& m_screen;
    WindowWatch& m_windows;
};

struct Parts
{
    Tally opening; // opening ahead, while the launch screen waits
    Tally launch;  // Page Down until slide 1 is on the screen and the launch has answered
    Tally ending;  // the show ended and its presentation closed
};

// One launch as the screen showed it, in milliseconds from Page Down (from starting soffice for
// the baseline); -1 for what never happened.
struct Timeline
{
    double answered = -1; // the port's launch answered: the office says its show runs
    double changed = -1;  // the middle of the screen first was not black
    double shown = -1;    // slide 1 in the middle of the screen
    double greyMs = 0;    // how long the office's grey was on the screen meanwhile

    void see(const ScreenSampler::Frame& frame, double now)
    {
        if (changed < 0 && !frame.black)
            changed = now;
        if (frame.greyPixels > 0)
            greyMs += now - m_lastFrame;
        if (shown < 0 && frame.slideShown)
            shown = now;
        m_lastFrame = now;
    }

private:
    double m_lastFrame = 0;
};

// Launches of one kind and what the screen showed during them.
struct Series
{
    std::vector<Timeline> launches;
    Parts parts;

    std::vector<double> figure(double Timeline::*member) const
    {
        std::vector<double> values;
        for (const Timeline& launch : launches)
            values.push_back(launch.*member);
        return values;
    }
};

// Page Down until slide 1 is on the screen and the launch has answered. With ahead, the talk is
// first opened ahead as the launch screen's idle tick does. The show is ended afterwards.
Timeline launch(ThreadedShowPort& port, LibreOfficeApp& office, const QString& deck, bool ahead,
                Watch& watch, Parts& parts)
{
    Timeline timeline;
    if (ahead) {
        bool answered = false;
        bool ready = false;
        port.prepare(deck, [&](bool ok) {
            answered = true;
            ready = ok;
        });
        QElapsedTimer holding;
        watch.until(
            office.officeProcessId(),
            [&](const auto&) {
                if (!answered)
                    return false;
                if (!holding.isValid())
                    holding.start();
                return holding.elapsed() >= kHoldingMs;
            },
            parts.opening);
        if (!ready)
            return timeline;
    }
    std::shared_ptr<PresentationDocument> document;
    bool answered = false;
    QElapsedTimer timer;
    timer.start();
    port.launch(deck, ShowPort::StartAt::FirstSlide, [&](ShowPort::Launch launch) {
        answered = true;
        timeline.answered = BenchSupport::msSince(timer);
        document = launch.document;
        if (!launch.error.isEmpty())
            std::fprintf(stderr, "the launch failed: %s\n", qPrintable(launch.error));
    });
    watch.until(
        office.officeProcessId(),
        [&](const ScreenSampler::Frame& frame) {
            timeline.see(frame, BenchSupport::msSince(timer));
            return answered && (timeline.shown >= 0 || !document);
        },
        parts.launch);

    // The presenter leaves the show. The port works through its calls in order: the empty
    // prepare answers once the show's presentation is closed.
    bool closed = false;
    port.close(document);
    port.prepare(QString(), [&](bool) { closed = true; });
    watch.until(
        office.officeProcessId(),
        [&](const ScreenSampler::Frame& frame) { return closed && !frame.slideShown; },
        parts.ending);
    return timeline;
}

// The baseline: a cold `soffice --show deck` until slide 1 is on the screen. The office is
// ended again afterwards.
Timeline coldShow(const QString& deck, const QString& profile, Watch& watch, Parts& parts)
{
    Timeline timeline;
    QProcess office;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("SAL_USE_VCLPLUGIN"), QStringLiteral("gtk3"));
    office.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    office.start(QStringLiteral("soffice"), {BenchSupport::profileArgument(profile), "--nologo",
                                             "--norestore", "--show", deck});
    watch.until(
        0,
        [&](const ScreenSampler::Frame& frame) {
            timeline.see(frame, BenchSupport::msSince(timer));
            return timeline.shown >= 0;
        },
        parts.launch);
    BenchSupport::endOffice(office, profile);
    // The killed office leaves its lock file behind.
    QFile::remove(QFileInfo(deck).absolutePath() + "/.~lock." + QFileInfo(deck).fileName() + "#");
    watch.until(
        0, [](const ScreenSampler::Frame& frame) { return !frame.slideShown; }, parts.ending);
    return timeline;
}

// "median / worst", or how many launches never got there.
QString medianAndWorst(const std::vector<double>& values)
{
    const auto failed = std::count_if(values.begin(), values.end(), [](double v) { return v < 0; });
    if (failed > 0)
        return QStringLiteral("%1 of %2 never").arg(failed).arg(values.size());
    return QStringLiteral("%1 / %2")
        .arg(BenchSupport::median(values), 6, 'f', 0)
        .arg(*std::max_element(values.begin(), values.end()), 6, 'f', 0);
}

void printSeries(const char* what, const Series& series, double goalMs, double baselineMs)
{
    const std::vector<double> shown = series.figure(&Timeline::shown);
    const double median = BenchSupport::median(shown);
    std::printf("  %-34s %s ms", what, qPrintable(medianAndWorst(shown)));
    if (baselineMs > 0 && median > 0)
        std::printf("  (%.2f of baseline)", median / baselineMs);
    if (goalMs > 0)
        std::printf("  goal < %.0f ms: %s", goalMs,
                    median >= 0 && median < goalMs ? "met" : "NOT MET");
    std::printf("\n");
}

void printTimeline(const char* what, const Series& series)
{
    std::printf("  %-34s", what);
    const std::vector<double> answered = series.figure(&Timeline::answered);
    if (std::any_of(answered.begin(), answered.end(), [](double ms) { return ms >= 0; }))
        std::printf(" launch answered %s ms,", qPrintable(medianAndWorst(answered)));
    std::printf(" screen first changed %s ms, office grey on it %s ms\n",
                qPrintable(medianAndWorst(series.figure(&Timeline::changed))),
                qPrintable(medianAndWorst(series.figure(&Timeline::greyMs))));
}

void printTally(const char* part, const Tally& tally, bool launchScreenInFront = false)
{
    std::printf("    %-18s stray window in %4d of %5d window samples, office grey in %4d of %5d "
                "frames\n",
                part, tally.strayWindowSamples, tally.windowSamples, tally.greyFrames,
                tally.frames);
    if (launchScreenInFront)
        std::printf("    %-18s launch screen covered in %4d of %5d frames\n", "",
                    tally.coveredFrames, tally.frames);
    QList<std::pair<int, QString>> seen;
    for (auto it = tally.seen.cbegin(); it != tally.seen.cend(); ++it)
        seen.append({it.value(), it.key()});
    std::sort(seen.begin(), seen.end(), std::greater<>());
    for (qsizetype i = 0; i < std::min<qsizetype>(seen.size(), 4); ++i)
        std::printf("        %5d x %s\n", seen[i].first, qPrintable(seen[i].second));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    if (!BenchSupport::hasDisplay())
        return 2;
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        std::fprintf(stderr, "the screen is read through X: run on the xcb platform\n");
        return 2;
    }
    QElapsedTimer total;
    total.start();
    QTemporaryDir dir;
    const QString deck = dir.filePath("deck.pptx");
    LibreOfficeApp office(QString(), dir.filePath("show-profile"));
    office.startInBackground();
    LibreOfficeApp exports(QString(), dir.filePath("export-profile"),
                           LibreOfficeApp::Display::Headless);
    if (!office.isAvailable()) {
        std::fprintf(stderr, "soffice not found\n");
        return 1;
    }
    const QList<QRgb> colours = BenchSupport::slideColours(kSlides);
    if (const QString error = BenchSupport::buildColourDeck(exports, dir.path(), colours, deck);
        !error.isEmpty()) {
        std::fprintf(stderr, "could not build the deck: %s\n", qPrintable(error));
        return 1;
    }
    exports.quit();
    if (!office.openPresentationCount().ok()) {
        std::fprintf(stderr, "the office did not start\n");
        return 1;
    }

    QScreen& screen = *QGuiApplication::primaryScreen();
    QWidget launchScreen;
    launchScreen.setWindowTitle(QStringLiteral("launch screen"));
    QPalette black = launchScreen.palette();
    black.setColor(QPalette::Window, Qt::black);
    launchScreen.setPalette(black);
    launchScreen.setAutoFillBackground(true);
    launchScreen.setGeometry(screen.geometry());
    launchScreen.showFullScreen();
    const ScreenSampler sampler(screen, colours.first());
    WindowWatch windows(screen.geometry());
    Watch watch(sampler, windows);
    Tally unused;
    if (!watch.until(
            0, [](const ScreenSampler::Frame& frame) { return frame.black; }, unused, 10000)) {
        std::fprintf(stderr, "the black stand-in for the launch screen never covered the screen\n");
        return 1;
    }
    std::printf("deck: %d slides of plain colour, %lld bytes; screen %dx%d\n", kSlides,
                QFile(deck).size(), screen.geometry().width(), screen.geometry().height());

    // The first launch of each kind is not counted: the cold office makes its profile, ours
    // warms its import filters. Then the three kinds take turns, so that whatever else the
    // machine does meanwhile falls on all of them alike.
    const QString coldProfile = dir.filePath("cold-profile");
    ThreadedShowPort port(office);
    Parts warmUp;
    coldShow(deck, coldProfile, watch, warmUp);
    launch(port, office, deck, false, watch, warmUp);
    launch(port, office, deck, true, watch, warmUp);
    Series cold;
    Series ahead;
    Series notAhead;
    for (int i = 0; i < runs; ++i) {
        cold.launches.push_back(coldShow(deck, coldProfile, watch, cold.parts));
        notAhead.launches.push_back(launch(port, office, deck, false, watch, notAhead.parts));
        ahead.launches.push_back(launch(port, office, deck, true, watch, ahead.parts));
    }

    const double coldMedian = BenchSupport::median(cold.figure(&Timeline::shown));
    std::printf("until slide 1 is on the screen, median / worst of %d launches:\n", runs);
    printSeries("cold soffice --show (baseline):", cold, 0, 0);
    printSeries("Page Down, talk opened ahead:", ahead, 150, coldMedian);
    printSeries("Page Down, talk not opened ahead:", notAhead, 400, coldMedian);
    std::printf("on the way there, median / worst:\n");
    printTimeline("cold soffice --show:", cold);
    printTimeline("opened ahead:", ahead);
    printTimeline("not opened ahead:", notAhead);
    std::printf("what else the screen showed (goal: no stray window in any sample):\n");
    std::printf("  Page Down, talk opened ahead\n");
    printTally("opening ahead", ahead.parts.opening, true);
    printTally("launch", ahead.parts.launch);
    printTally("end of the show", ahead.parts.ending);
    std::printf("  Page Down, talk not opened ahead\n");
    printTally("launch", notAhead.parts.launch);
    printTally("end of the show", notAhead.parts.ending);
    std::printf("  cold soffice --show (baseline)\n");
    printTally("launch", cold.parts.launch);
    std::printf("bench run: %.0f s\n", total.elapsed() / 1000.0);
    return 0;
}
