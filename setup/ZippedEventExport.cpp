#include "ZippedEventExport.h"

#include "BackgroundJob.h"
#include "DriveTypeSource.h"
#include "EventDocument.h"
#include "FileDialogService.h"
#include "FreeSpaceSource.h"
#include "MessageService.h"
#include "PresentationsUnpacker.h"

#include <QFileInfo>

#include <optional>

ZippedEventExport::ZippedEventExport(const EventDocument& document, MessageService& messages,
                                     FileDialogService& dialogs, FreeSpaceSource& freeSpace,
                                     const DriveTypeSource& drives, QObject* parent)
    : QObject(parent), m_doc(document), m_messages(messages), m_dialogs(dialogs),
      m_freeSpace(freeSpace), m_drives(drives)
{}

ZippedEventExport::Outcome ZippedEventExport::MnuExport_Click(const QString& dialogFolder)
{
    if (m_running)
        return Outcome::Busy;
    const QString path = m_dialogs.getSaveFileName(dialogFolder, SaveFilter,
                                                   FileDialogService::ReplaceQuestion::ByDialog);
    if (path.isEmpty())
        return Outcome::NotChosen;
    return exportTo(path);
}

ZippedEventExport::Outcome ZippedEventExport::exportTo(const QString& path)
{
    if (m_running)
        return Outcome::Busy;
    m_running = true;
    // The copy works on its own snapshot: pictures and texts are shared, not copied, and the
    // operator's event stays free for this thread to read meanwhile.
    const EventDocument snapshot = m_doc;

    emit busyChanged(true);
    QString error;
    // Measuring encodes every picture once: seconds of work for a big event, off this thread.
    std::optional<qint64> estimate;
    BackgroundJob::run([&] { estimate = m_writer.estimateSize(snapshot, true, &error); }, [] {});
    const std::optional<qint64> freeBytes = m_freeSpace.freeBytes(path);
    emit busyChanged(false);
    if (!estimate) {
        m_running = false;
        m_messages.show(error, MsgButtons::Ok, MsgIcon::Exclamation);
        return Outcome::Failed;
    }
    // The rule has always been a tenfold margin. A drive that cannot be asked has no room
    // we know of.
    if (!freeBytes || double(*freeBytes) / 10.0 <= double(*estimate)) {
        m_running = false;
        m_messages.show(NoSpaceMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return Outcome::NoSpace;
    }

    m_cancel = false;
    int lastPercent = -1;
    QString lastName;
    // Runs on the copying thread: only what changed is queued to this one.
    m_writer.setExportProgress([&](qint64 done, qint64 total, const QString& name) {
        const int percent = PresentationsUnpacker::percentOf(done, total);
        if (percent != lastPercent || name != lastName) {
            lastPercent = percent;
            lastName = name;
            QMetaObject::invokeMethod(
                this,
                [this, status = StatusPrefix + name, percent] {
                    emit progressChanged(status, percent);
                },
                Qt::QueuedConnection);
        }
        return !m_cancel.load();
    });

    // The computer's own disks write the file out in their own time, as they do any copy.
    // What cannot be told is treated as a stick.
    const DriveTypeSource::DriveType drive = m_drives.driveTypeOf(QFileInfo(path).absolutePath());
    const EventFileWriter::SaveKind kind =
        drive == DriveTypeSource::Fixed || drive == DriveTypeSource::RamDisk
            ? EventFileWriter::SaveKind::WriteBack
            : EventFileWriter::SaveKind::Durable;

    emit exportStarted();
    bool written = false;
    BackgroundJob::run([&] { written = m_writer.SaveFile(snapshot, path, true, &error, kind); },
                       [this] { m_cancel = true; });
    m_writer.setExportProgress({});
    m_running = false;
    emit exportFinished();

    if (written)
        return Outcome::Written;
    if (m_writer.lastSaveCancelled())
        return Outcome::Cancelled;
    m_messages.show(m_writer.lastSaveWriteFailed() ? WriteErrorMessage : error, MsgButtons::Ok,
                    MsgIcon::Exclamation);
    return Outcome::Failed;
}
