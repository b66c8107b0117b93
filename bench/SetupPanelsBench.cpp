// The setup window's panels with real files and the real office.
//
//   bench_setup_panels [runs]        (the second part needs a display: run it under xvfb-run)
//
//  - 50 presentations dropped on the speaker list from a RAM disk (/dev/shm), which the import
//    rule copies into the import folder; baseline: `cp` of the same files in the same run.
//  - a 40-slide presentation dropped on the holding slide: time until slide 1 is the holding
//    slide, and until the preview is ready, through the headless office of our own.

#include "bench/BenchSupport.h"
#include "bench/QuietServices.h"
#include "document/EventDocument.h"
#include "platform/ClipboardService.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"
#include "platform/MimeTransfer.h"
#include "platform/MountTableDriveTypes.h"
#include "platform/ShellService.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "setup/HoldingSlide.h"
#include "setup/SlideIntake.h"
#include "setup/SpeakerList.h"
#include "slides/SlideExtractor.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

constexpr int kPresentations = 50;
constexpr qint64 kPresentationBytes = 4 * 1024 * 1024;

class NoDialogs : public FileDialogService
{
public:
    QString getOpenFileName(const QString&, const QString&) override { return {}; }
    QString getSaveFileName(const QString&, const QString&, ReplaceQuestion) override { return {}; }
};

void sync()
{
    QProcess::execute(QStringLiteral("sync"), {});
}

double dropMs(const QStringList& files, const QString& importDir, LibreOfficeApp& app)
{
    QDir(importDir).removeRecursively();
    QDir().mkpath(importDir);
    sync();
    EventDocument doc;
    doc.ImportDir = importDir + QLatin1Char('/');
    QuietServices::Messages messages;
    MountTableDriveTypes drives;
    QuietServices::Clipboard clipboard;
    QuietServices::Shell shell;
    SpeakerList list(doc, {messages, drives, clipboard, app, shell});
    QElapsedTimer timer;
    timer.start();
    // The copies run off this thread; the drop has ended when the list says so.
    QEventLoop loop;
    QObject::connect(&list, &SpeakerList::addingFinished, &loop, &QEventLoop::quit);
    list.addFiles(files, SpeakerList::Source::Drop);
    if (list.isAdding())
        loop.exec();
    const double ms = BenchSupport::msSince(timer);
    const bool allCopied =
        doc.Speakers.count() == kPresentations && doc.Speakers[0].FilePath.startsWith(importDir);
    return allCopied ? ms : -1;
}

double cpMs(const QStringList& files, const QString& target)
{
    QDir(target).removeRecursively();
    QDir().mkpath(target);
    sync();
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("cp"), QStringList(files) << target);
    return BenchSupport::msSince(timer);
}

// Slide n of a generated talk: a photograph with its number on it.
QImage slidePicture(int n)
{
    QImage image = BenchSupport::photograph(n);
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(160);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::number(n));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir work;
    QTemporaryDir ram(QStringLiteral("/dev/shm/stagor-bench-XXXXXX"));
    if (!ram.isValid()) {
        std::fprintf(stderr, "no RAM disk at /dev/shm\n");
        return 1;
    }
    QStringList files;
    for (int i = 0; i < kPresentations; ++i) {
        files << ram.filePath(QStringLiteral("Talk%1.pptx").arg(i + 1));
        QFile file(files.last());
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(kPresentationBytes, Qt::Uninitialized);
        QRandomGenerator(quint32(i))
            .fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
        file.write(block);
    }
    LibreOfficeApp shows(QString(), work.filePath("show-profile"));

    std::vector<double> ours, copies;
    for (int i = 0; i < runs; ++i) {
        copies.push_back(cpMs(files, work.filePath("cp")));
        ours.push_back(dropMs(files, work.filePath("import"), shows));
    }
    const double dropMedian = BenchSupport::median(ours);
    const double cpMedian = BenchSupport::median(copies);
    std::printf("%d presentations of %lld MB dropped from a RAM disk, median of %d\n",
                kPresentations, kPresentationBytes / (1024 * 1024), runs);
    std::printf("  cp of the same files:          %7.1f ms  (%.2f ms a file, baseline)\n", cpMedian,
                cpMedian / kPresentations);
    std::printf("  drop on the speaker list:      %7.1f ms  (%.2f ms a file) = %.2f of cp (goal "
                "<= 1.5)\n",
                dropMedian, dropMedian / kPresentations, dropMedian / cpMedian);

    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("\nno display: the holding-slide part needs xvfb-run\n");
        return 0;
    }
    LibreOfficeApp exports(QString(), work.filePath("export-profile"),
                           LibreOfficeApp::Display::Headless);
    QStringList pictures;
    for (int n = 1; n <= 40; ++n) {
        pictures << work.filePath(QStringLiteral("slide%1.jpg").arg(n));
        slidePicture(n).save(pictures.last(), "JPEG", 90);
    }
    const QString deck = work.filePath("Forty.pptx");
    const auto built = exports.buildFromPictures(pictures, PresentationApp::Visibility::Hidden);
    if (!built.ok() ||
        !built.value()->saveCopyAs(deck, PresentationDocument::FileFormat::Pptx).ok()) {
        std::fprintf(stderr, "could not build the 40-slide deck\n");
        return 1;
    }
    built.value()->close();

    std::vector<double> firstSlide, previewReady;
    for (int i = 0; i < runs + 1; ++i) {
        EventDocument doc;
        doc.RunFolder = work.filePath(QStringLiteral("run%1").arg(i));
        doc.SlideImageFormat = SlideFormat::Jpg;
        QDir().mkpath(doc.RunFolder);
        SlideExtractor extractor(exports);
        SlideIntake intake(doc, extractor, QSize(240, 135), QSize(1920, 1080));
        QuietServices::Clipboard clipboard;
        NoDialogs dialogs;
        HoldingSlide holding(doc, intake, clipboard, dialogs, exports);
        QMimeData mime;
        MimeTransfer::putFileList(&mime, {deck});
        QEventLoop loop;
        double first = -1, ready = -1;
        QElapsedTimer timer;
        QObject::connect(&holding, &HoldingSlide::changed, [&] {
            if (first < 0)
                first = BenchSupport::msSince(timer);
        });
        QObject::connect(&intake, &SlideIntake::previewReady, [&] {
            ready = BenchSupport::msSince(timer);
            loop.quit();
        });
        QTimer::singleShot(180000, &loop, &QEventLoop::quit);
        timer.start();
        holding.drop(&mime);
        loop.exec();
        extractor.releaseWorkPresentation();
        if (i > 0) { // the first run warms the office up
            firstSlide.push_back(first);
            previewReady.push_back(ready);
        }
    }
    std::printf("\n40-slide presentation dropped on the holding slide, median of %d\n", runs);
    std::printf("  slide 1 is the holding slide after: %7.0f ms\n",
                BenchSupport::median(firstSlide));
    std::printf("  the preview is ready after:         %7.0f ms\n",
                BenchSupport::median(previewReady));
    return 0;
}
