#include "BackgroundPresentationsExtractor.h"

#include "BackgroundJob.h"
#include "EventDocument.h"
#include "PresentationsUnpacker.h"

BackgroundPresentationsExtractor::BackgroundPresentationsExtractor(QObject* parent)
    : QObject(parent)
{}

bool BackgroundPresentationsExtractor::extract(QIODevice& eventFile, EventDocument& document,
                                               QString* error)
{
    if (m_running) {
        if (error)
            *error = QStringLiteral("Another zipped event file is being unpacked.");
        return false;
    }
    m_running = true;
    m_stop = false;
    emit extractionStarted();

    const QString importDir = document.ImportDir;
    const int entries = int(document.SpeakerCount) + 1;
    int lastPercent = -1;
    QString lastName;
    // Runs on the job's thread: only what changed is queued to this one.
    const PresentationsUnpacker::Progress progress = [&](qint64 done, qint64 total,
                                                         const QString& name) {
        const int percent = PresentationsUnpacker::percentOf(done, total);
        if (percent == lastPercent && name == lastName)
            return;
        lastPercent = percent;
        lastName = name;
        QMetaObject::invokeMethod(
            this,
            [this, status = StatusPrefix + name, percent] {
                emit progressChanged(status, percent);
            },
            Qt::QueuedConnection);
    };
    PresentationsUnpacker::Outcome outcome;
    BackgroundJob::run(
        [&] {
            outcome =
                PresentationsUnpacker::unpack(eventFile, importDir, entries, progress, &m_stop);
        },
        [this] { m_stop = true; });

    m_running = false;
    emit extractionFinished();
    if (!outcome.ok()) {
        if (error)
            *error = outcome.error;
        return false;
    }
    PresentationsUnpacker::pointAt(outcome.targets, document);
    return true;
}
