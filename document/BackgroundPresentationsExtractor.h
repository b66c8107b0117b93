#pragma once

#include "document/EventReadResult.h"
#include "platform/JobRunner.h"

#include <QObject>
#include <QString>

#include <functional>

class EventDocument;
class EventFileReader;

// Reads event files for the setup window without holding up its thread: a file is read at once
// up to the presentations a zipped event file carries; those are unpacked on a job of their own
// while the window goes on handling events, and the read ends later on this object's thread.
class BackgroundPresentationsExtractor : public QObject
{
    Q_OBJECT

public:
    static inline const QString StatusPrefix = QStringLiteral("Extracting - ");
    using Done = std::function<void(const EventReadResult&)>;

    explicit BackgroundPresentationsExtractor(QObject* parent = nullptr);
    ~BackgroundPresentationsExtractor() override;

    // Reads the file at path into document as reader.read() would. done(result) runs once the
    // read has ended: before read() returns when there was nothing to unpack, otherwise later,
    // unless this object is destroyed first. document is replaced only when the whole file was
    // read and must stay alive as long as this object; reader is used only during the call.
    void read(EventFileReader& reader, const QString& path, EventDocument& document, Done done);
    bool isRunning() const { return m_running; }

signals:
    // In this order, before done is called.
    void extractionStarted();
    // "Extracting - " + file name, and the whole per cent done; sent when either changes.
    void progressChanged(const QString& status, int percent);
    void extractionFinished();

private:
    JobRunner m_jobs;
    bool m_running = false;
};
