// The unsaved-change check against a plain copy of the same event file, the first save, and the
// time from process start to the setup window shown.
//
//   bench_change_check [runs]
//
// The event: 50 speakers, a 1920x1080 holding slide and ten 1920x1080 photographic pop-ups.

#include "bench/BenchSupport.h"
#include "document/EventDocument.h"
#include "document/EventFileWriter.h"
#include "document/ImageBlockCodec.h"
#include "document/PathHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Start the program, wait for its "shown" log line, stop it. -1 when it did not report.
double startupMs(const QString& program, const QString& appFolder)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_LOGGING_RULES", "stagor.startup.info=true");
    env.insert("STAGOR_DESKTOP_FOLDER", appFolder + "/desktop");
    env.insert("STAGOR_LIVECAST_FOLDER", appFolder + "/veskCast");
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {"--app-folder", appFolder + "/app"});
    double result = -1;
    QByteArray output;
    QElapsedTimer limit;
    limit.start();
    while (result < 0 && limit.elapsed() < 20000 && process.waitForReadyRead(20000)) {
        output += process.readAll();
        const qsizetype at = output.indexOf("setup window shown after ");
        if (at >= 0 && output.indexOf(" ms", at) > 0) {
            const qsizetype start = at + qsizetype(strlen("setup window shown after "));
            result = output.mid(start, output.indexOf(" ms", at) - start).toDouble();
        }
    }
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(5000);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 10;
    QTemporaryDir dir;
    const QString folder = dir.path();

    EventDocument doc;
    doc.RunFolder = folder;
    doc.DesktopFolder = folder + "/";
    doc.ImportDir = doc.DesktopFolder;
    for (int i = 0; i < 50; ++i) {
        SpeakerRecord s;
        s.Name = QStringLiteral("Speaker %1").arg(i + 1);
        s.FilePath =
            QStringLiteral("/home/operator/Talks/Session %1/Talk %2.pptx").arg(i / 10).arg(i);
        s.FileName = PathHelpers::FileNameOf(s.FilePath);
        s.TimeCode = QStringLiteral("1830%1").arg(i, 2, 10, QLatin1Char('0'));
        doc.Speakers.append(s);
    }
    doc.ImgHoldingFull = BenchSupport::photograph(100);
    doc.ImgHolding = doc.ImgHoldingFull.scaled(192, 108);
    for (int i = 0; i < 10; ++i) {
        doc.PopUps[size_t(i)].Name = QStringLiteral("Pop-up %1").arg(i);
        doc.PopUps[size_t(i)].Full = BenchSupport::photograph(i);
        doc.PopUps[size_t(i)].Thumb = doc.PopUps[size_t(i)].Full.scaled(192, 108);
    }

    ImageBlockCodec codec;
    EventFileWriter writer(codec);
    const QString eventFile = folder + "/event.evf";
    QElapsedTimer timer;
    timer.start();
    if (!writer.SaveFile(doc, eventFile, false)) {
        std::fprintf(stderr, "first save failed\n");
        return 1;
    }
    const double firstSave = BenchSupport::msSince(timer);
    timer.restart();
    writer.SaveFile(doc, eventFile, false);
    const double durableResave = BenchSupport::msSince(timer);
    const qint64 bytes = QFileInfo(eventFile).size();

    std::vector<double> checks, copies;
    for (int run = 0; run < runs; ++run) {
        timer.restart();
        writer.SaveFile(doc, folder + "/temp.evf", false, nullptr,
                        EventFileWriter::SaveKind::WriteBack);
        const bool equal = PathHelpers::FilesAreEqual(folder + "/temp.evf", eventFile);
        checks.push_back(BenchSupport::msSince(timer));
        if (!equal) {
            std::fprintf(stderr, "change check found a difference in an unchanged event\n");
            return 1;
        }
        QFile::remove(folder + "/copy.evf");
        timer.restart();
        QProcess::execute("cp", {eventFile, folder + "/copy.evf"});
        copies.push_back(BenchSupport::msSince(timer));
    }

    const QString program = QCoreApplication::applicationDirPath() + "/vesk-stagor";
    std::vector<double> starts;
    if (QFileInfo(program).isExecutable()) {
        for (int run = 0; run < 5; ++run) {
            const double ms = startupMs(program, folder + "/start" + QString::number(run));
            if (ms >= 0)
                starts.push_back(ms);
        }
    }

    const double check = BenchSupport::median(checks);
    const double copy = BenchSupport::median(copies);
    std::printf("event file: %.1f MB\n", double(bytes) / 1e6);
    std::printf("first save:                  %8.1f ms\n", firstSave);
    std::printf("Save of the unchanged event (synced to disk): %.1f ms\n", durableResave);
    std::printf("unsaved-change check median: %8.1f ms  (%d runs)\n", check, runs);
    std::printf("cp of the event file median: %8.1f ms  (baseline)\n", copy);
    std::printf("check / cp:                  %8.2f x  (goal <= 3)\n", check / copy);
    if (!starts.empty())
        std::printf("process start to setup window shown, median: %.0f ms (goal < 1000)\n",
                    BenchSupport::median(starts));
    else
        std::printf("process start to setup window shown: not measured (%s missing)\n",
                    qPrintable(program));
    return 0;
}
