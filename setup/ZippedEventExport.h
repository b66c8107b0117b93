#pragma once

#include "document/EventFileWriter.h"
#include "document/ImageBlockCodec.h"
#include "platform/JobRunner.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

class DriveTypeSource;
class EventDocument;
class FileDialogService;
class FreeSpaceSource;
class MessageService;

// File, Export: writes the event and all its presentations into one zipped event file (".zev")
// for moving it to another computer.
//
// Measuring the event and copying the presentations run off this thread, so that the export
// window paints its progress and its Cancel button stops the copy after the current chunk;
// ended() tells how it went. The file is written beside its target and takes its name only when
// complete, so a cancelled or failed export leaves no partial file; the event and its file name
// are never touched. On a removable or network drive the window stays until the file is on that
// drive, since the operator takes the stick out as soon as it closes.
class ZippedEventExport : public QObject
{
    Q_OBJECT

public:
    static inline const QString SaveFilter = QStringLiteral("Zipped Stagor (zev) |*.zev");
    static inline const QString NoSpaceMessage = QStringLiteral("Insufficient Fee Space on Drive");
    static inline const QString WriteErrorMessage = QStringLiteral("Error writing file.");
    static inline const QString StatusPrefix = QStringLiteral("Adding - ");

    enum class Outcome
    {
        Written,
        NoSpace,
        Cancelled,
        Failed, // after a message
    };
    Q_ENUM(Outcome)

    // All must outlive the export.
    ZippedEventExport(const EventDocument& document, MessageService& messages,
                      FileDialogService& dialogs, FreeSpaceSource& freeSpace,
                      const DriveTypeSource& drives, QObject* parent = nullptr);

    // Asks for the file (the dialog opens in dialogFolder), then exportTo(). False when no file
    // was chosen or an export runs.
    bool MnuExport_Click(const QString& dialogFolder);
    // Checks the free space against the size the file will have, then writes it. False, with
    // nothing started, while an export runs; otherwise ended() follows.
    bool exportTo(const QString& path);

    // The export window's Cancel: the copy stops after the chunk under way.
    void ComCancel_Click() { m_cancel = true; }
    bool isRunning() const { return m_running; }

signals:
    // While true, the window shows the busy pointer and takes no commands (measuring the event
    // before the copy).
    void busyChanged(bool busy);
    // Around the copy: the export window shows from started to finished.
    void exportStarted();
    // "Adding - " + file name, and the whole per cent of all presentation bytes written; sent
    // when either changes.
    void progressChanged(const QString& status, int percent);
    void exportFinished();
    // Every export started ends here, after its message if any.
    void ended(Outcome outcome);

private:
    struct Measured
    {
        std::optional<qint64> estimate;
        std::optional<qint64> freeBytes;
        QString error;
    };
    struct Saved
    {
        bool written = false;
        bool cancelled = false;
        bool writeFailed = false;
        QString error;
        QString partToRemove; // what a cancelled export had written
    };

    void measured(const QString& path, const std::shared_ptr<const EventDocument>& snapshot,
                  const Measured& measured);
    void saved(const Saved& saved);
    void end(Outcome outcome);

    const EventDocument& m_doc;
    MessageService& m_messages;
    FileDialogService& m_dialogs;
    FreeSpaceSource& m_freeSpace;
    const DriveTypeSource& m_drives;
    // Touched only by the job under way.
    ImageBlockCodec m_codec;
    EventFileWriter m_writer{m_codec};
    std::atomic<bool> m_cancel{false};
    bool m_running = false;
    // Last: going away, it stops the job under way and waits a bounded time for it, before the
    // members that job uses go.
    JobRunner m_jobs;
};
