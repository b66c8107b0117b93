#include "document/BackgroundPresentationsExtractor.h"

#include "document/EventDocument.h"
#include "document/EventFileReader.h"
#include "document/PresentationsUnpacker.h"

#include <QFile>

#include <memory>

BackgroundPresentationsExtractor::BackgroundPresentationsExtractor(QObject* parent)
    : QObject(parent)
{}

BackgroundPresentationsExtractor::~BackgroundPresentationsExtractor() = default;

void BackgroundPresentationsExtractor::read(EventFileReader& reader, const QString& path,
                                            EventDocument& document, Done done)
{
    if (m_running) {
        EventReadResult refused;
        refused.status = EventReadResult::Status::ExtractionFailed;
        refused.message = QStringLiteral("Another zipped event file is being unpacked.");
        done(refused);
        return;
    }
    auto file = std::make_shared<QFile>(path);
    auto event = std::make_shared<EventDocument>();
    EventReadResult head = EventFileReader::open(*file);
    if (head.ok())
        head = reader.readUntilPresentations(*file, document, *event);
    if (!head.presentationsFollow) {
        done(head);
        return;
    }
    // From here on only the job reads the file.
    file->moveToThread(nullptr);
    m_running = true;
    emit extractionStarted();

    const QString importDir = event->ImportDir;
    const int entries = int(event->Speakers.count()) + 1;
    m_jobs.start<PresentationsUnpacker::Outcome>(
        [this, file, importDir, entries](const JobRunner::Control& control) {
            int lastPercent = -1;
            QString lastName;
            // Only what changed goes to the window.
            const PresentationsUnpacker::Progress progress =
                [&](qint64 doneBytes, qint64 totalBytes, const QString& name) {
                    const int percent = PresentationsUnpacker::percentOf(doneBytes, totalBytes);
                    if (percent == lastPercent && name == lastName)
                        return;
                    lastPercent = percent;
                    lastName = name;
                    control.postLatest([this, status = StatusPrefix + name, percent] {
                        emit progressChanged(status, percent);
                    });
                };
            PresentationsUnpacker::Outcome outcome = PresentationsUnpacker::unpack(
                *file, importDir, entries, progress, control.stopFlag());
            file->close();
            return outcome;
        },
        [this, &document, event, head, done](const PresentationsUnpacker::Outcome& outcome) {
            m_running = false;
            emit extractionFinished();
            EventReadResult result = head;
            result.presentationsFollow = false;
            if (outcome.ok()) {
                PresentationsUnpacker::pointAt(outcome.targets, *event);
                EventFileReader::presentationsUnpacked(*event);
                document = std::move(*event);
            } else {
                result.status = EventReadResult::Status::ExtractionFailed;
                result.message = outcome.error;
            }
            done(result);
        });
}
