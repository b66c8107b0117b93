#pragma once

#include <QString>

#include <functional>
#include <optional>

class ByteCountingDevice;
class Event;
class ImageBlockCodec;
class TokenWriter;

// Writes the event to an event file, and with the export flag to a zipped event file that
// carries the presentations as well.
//
// The same event always gives the same bytes: unsaved changes are found by saving again and
// comparing files. A save goes to a file beside the target (its name + ".part"), which replaces
// it only once complete, so a failed or cancelled save leaves the previous file as it was.
class EventFileWriter
{
public:
    // Called after each chunk of the presentations of an export; returning false cancels it.
    using ExportProgress =
        std::function<bool(qint64 doneBytes, qint64 totalBytes, const QString& fileName)>;

    static inline const QString VersionText = QStringLiteral("5.2");
    static constexpr qint64 ChunkBytes = 1000000;

    // Whether the save waits until the file is on the disk. An event file must survive a power
    // cut right after its save. The change check's scratch copy, rewritten every time, and an
    // export to this computer's own disk are left to the system to write out, as any copy is.
    enum class SaveKind
    {
        Durable,
        WriteBack
    };

    explicit EventFileWriter(ImageBlockCodec& codec);

    void setExportProgress(ExportProgress progress) { m_progress = std::move(progress); }
    // A cancelled save normally removes what it had written. Removing hundreds of megabytes the
    // system has not yet written out takes it the better part of a second, so a caller that
    // answers the operator first may take that over: the partial file is then left at
    // cancelledPart() for it to remove.
    void setLeaveCancelledPart(bool leave) { m_leaveCancelledPart = leave; }
    QString cancelledPart() const { return m_cancelledPart; }

    // True when the file at path was completely written. On false, *error says why for the
    // operator, except after a cancelled export (see lastSaveCancelled()), which leaves it empty.
    bool SaveFile(const Event& event, const QString& path, bool exportFlag,
                  QString* error = nullptr, SaveKind kind = SaveKind::Durable);
    bool lastSaveCancelled() const { return m_cancelled; }
    // The last failed save could not write its own file (a full disk, a lost drive), as opposed
    // to a presentation it was to carry being missing or unreadable.
    bool lastSaveWriteFailed() const { return m_writeFailed; }

    // The exact size SaveFile would write, found without writing anything: pictures are encoded
    // (and remembered by the codec, so the save that follows reuses them) and presentations
    // counted by their length. Nothing, with *error set, when a presentation cannot be found or
    // a picture cannot be encoded.
    std::optional<qint64> estimateSize(const Event& event, bool exportFlag,
                                       QString* error = nullptr);

private:
    enum class BlockOutcome
    {
        Written,
        Cancelled,
        Failed
    };

    // Both set *error for faults of the presentations themselves; write faults stay in out.
    BlockOutcome writeSections(const Event& event, bool exportFlag, TokenWriter& out,
                               QString* error);
    BlockOutcome writePresentations(const Event& event, TokenWriter& out, QString* error);

    ImageBlockCodec& m_codec;
    ExportProgress m_progress;
    bool m_leaveCancelledPart = false;
    QString m_cancelledPart;
    // Set while estimating: presentations are counted here instead of being copied.
    ByteCountingDevice* m_measure = nullptr;
    SaveKind m_kind = SaveKind::Durable;
    bool m_cancelled = false;
    bool m_writeFailed = false;
};
