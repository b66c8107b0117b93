#include "setup/ZippedEventExport.h"

#include "document/EventDocument.h"
#include "document/PresentationsUnpacker.h"
#include "platform/DriveTypeSource.h"
#include "platform/FileDialogService.h"
#include "platform/FreeSpaceSource.h"
#include "platform/MessageService.h"

#include <QFile>
#include <QFileInfo>

ZippedEventExport::ZippedEventExport(const EventDocument& document, MessageService& messages,
                                     FileDialogService& dialogs, FreeSpaceSource& freeSpace,
                                     const DriveTypeSource& drives, QObject* parent)
    : QObject(parent), m_doc(document), m_messages(messages), m_dialogs(dialogs),
      m_freeSpace(freeSpace), m_drives(drives)
{
    m_writer.setLeaveCancelledPart(true);
}

bool ZippedEventExport::MnuExport_Click(const QString& dialogFolder)
{
    if (m_running)
        return false;
    const QString path = m_dialogs.getSaveFileName(dialogFolder, SaveFilter,
                                                   FileDialogService::ReplaceQuestion::ByDialog);
    return !path.isEmpty() && exportTo(path);
}

bool ZippedEventExport::exportTo(const QString& path)
{
    if (m_running)
        return false;
    m_running = true;
    // The jobs work on their own snapshot: pictures and texts are shared, not copied, and the
    // operator's event stays free for this thread meanwhile.
    const auto snapshot = std::make_shared<const EventDocument>(m_doc);

    emit busyChanged(true);
    // Measuring encodes every picture once: seconds of work for a big event. A network drive
    // may be slow to tell its free space.
    m_jobs.start<Measured>(
        [this, snapshot, path](const JobRunner::Control&) {
            Measured measured;
            measured.estimate = m_writer.estimateSize(*snapshot, true, &measured.error);
            measured.freeBytes = m_freeSpace.freeBytes(path);
            return measured;
        },
        [this, snapshot, path](Measured result) { measured(path, snapshot, result); });
    return true;
}

void ZippedEventExport::measured(const QString& path,
                                 const std::shared_ptr<const EventDocument>& snapshot,
                                 const Measured& measured)
{
    emit busyChanged(false);
    if (!measured.estimate) {
        m_messages.show(measured.error, MsgButtons::Ok, MsgIcon::Exclamation);
        end(Outcome::Failed);
        return;
    }
    // The rule has always been a tenfold margin. A drive that cannot be asked has no room
    // we know of.
    if (!measured.freeBytes || double(*measured.freeBytes) / 10.0 <= double(*measured.estimate)) {
        m_messages.show(NoSpaceMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        end(Outcome::NoSpace);
        return;
    }

    // The computer's own disks write the file out in their own time, as they do any copy.
    // What cannot be told is treated as a stick.
    const DriveTypeSource::DriveType drive = m_drives.driveTypeOf(QFileInfo(path).absolutePath());
    const EventFileWriter::SaveKind kind =
        drive == DriveTypeSource::Fixed || drive == DriveTypeSource::RamDisk
            ? EventFileWriter::SaveKind::WriteBack
            : EventFileWriter::SaveKind::Durable;

    m_cancel = false;
    emit exportStarted();
    m_jobs.start<Saved>(
        [this, snapshot, path, kind](const JobRunner::Control& control) {
            int lastPercent = -1;
            QString lastName;
            // Only what changed is sent to the window.
            m_writer.setExportProgress([&](qint64 done, qint64 total, const QString& name) {
                const int percent = PresentationsUnpacker::percentOf(done, total);
                if (percent != lastPercent || name != lastName) {
                    lastPercent = percent;
                    lastName = name;
                    control.postLatest([this, status = StatusPrefix + name, percent] {
                        emit progressChanged(status, percent);
                    });
                }
                return !m_cancel.load() && !control.stopRequested();
            });
            Saved saved;
            saved.written = m_writer.SaveFile(*snapshot, path, true, &saved.error, kind);
            saved.cancelled = m_writer.lastSaveCancelled();
            saved.writeFailed = m_writer.lastSaveWriteFailed();
            saved.partToRemove = m_writer.cancelledPart();
            m_writer.setExportProgress({});
            return saved;
        },
        [this](Saved result) { saved(result); });
}

void ZippedEventExport::saved(const Saved& saved)
{
    m_running = false;
    emit exportFinished();
    if (saved.written) {
        end(Outcome::Written);
    } else if (saved.cancelled) {
        // The operator has the window back before the partial file has gone; an export started
        // at once queues behind its removal.
        if (!saved.partToRemove.isEmpty())
            m_jobs.start(
                [part = saved.partToRemove](const JobRunner::Control&) { QFile::remove(part); });
        end(Outcome::Cancelled);
    } else {
        m_messages.show(saved.writeFailed ? WriteErrorMessage : saved.error, MsgButtons::Ok,
                        MsgIcon::Exclamation);
        end(Outcome::Failed);
    }
}

void ZippedEventExport::end(Outcome outcome)
{
    m_running = false;
    emit ended(outcome);
}
