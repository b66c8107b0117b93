#include "document/EventFileWriter.h"

#include "document/ByteCountingDevice.h"
#include "document/EventDocument.h"
#include "document/ImageBlockCodec.h"
#include "document/KernelFileCopy.h"
#include "document/TokenWriter.h"
#include "document/WriteBehind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <optional>

#include <unistd.h>
#include <vector>

namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString cannotWrite(const QString& path, const QString& detail)
{
    return QStringLiteral("The event file %1 could not be written: %2.")
        .arg(QDir::toNativeSeparators(path), detail);
}

} // namespace

EventFileWriter::EventFileWriter(ImageBlockCodec& codec) : m_codec(codec) {}

bool EventFileWriter::SaveFile(const Event& event, const QString& path, bool exportFlag,
                               QString* error, SaveKind kind)
{
    m_cancelled = false;
    m_writeFailed = false;
    m_cancelledPart.clear();
    const QFileInfo target(path);
    const QString finalPath = target.isSymLink() ? target.symLinkTarget() : path;
    const QString partPath = finalPath + QStringLiteral(".part");

    QFile file(partPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_writeFailed = true;
        setError(error, cannotWrite(path, file.errorString()));
        return false;
    }
    if (target.exists())
        file.setPermissions(QFileInfo(finalPath).permissions());

    TokenWriter out(file);
    m_kind = kind;
    const BlockOutcome outcome = writeSections(event, exportFlag, out, error);
    if (outcome == BlockOutcome::Written && !out.hasError() && kind == SaveKind::Durable) {
        if (!file.flush() || ::fsync(file.handle()) != 0)
            out.fail(QStringLiteral("the data could not be written to the disk"));
    }
    file.close();
    if (outcome == BlockOutcome::Written && file.error() != QFileDevice::NoError)
        out.fail(file.errorString());
    if (outcome != BlockOutcome::Written || out.hasError()) {
        m_cancelled = outcome == BlockOutcome::Cancelled;
        if (m_cancelled && m_leaveCancelledPart)
            m_cancelledPart = partPath;
        else
            file.remove();
        m_writeFailed = out.hasError();
        if (m_cancelled)
            setError(error, QString());
        else if (out.hasError())
            setError(error, cannotWrite(path, out.errorMessage()));
        return false;
    }

    // Replaced in one step, so the previous file stays whole until the new one is complete.
    // A durable save has its data on the disk before the rename makes it the event file.
    std::error_code failure;
    std::filesystem::rename(QFileInfo(partPath).filesystemFilePath(),
                            QFileInfo(finalPath).filesystemFilePath(), failure);
    if (failure) {
        file.remove();
        m_writeFailed = true;
        setError(error, cannotWrite(path, QString::fromStdString(failure.message())));
        return false;
    }
    return true;
}

std::optional<qint64> EventFileWriter::estimateSize(const Event& event, bool exportFlag,
                                                    QString* error)
{
    ByteCountingDevice counter;
    TokenWriter out(counter);
    m_measure = &counter;
    const BlockOutcome outcome = writeSections(event, exportFlag, out, error);
    m_measure = nullptr;
    if (outcome != BlockOutcome::Written || out.hasError()) {
        if (out.hasError())
            setError(error, out.errorMessage());
        return std::nullopt;
    }
    return counter.count();
}

EventFileWriter::BlockOutcome EventFileWriter::writeSections(const Event& event, bool exportFlag,
                                                             TokenWriter& out, QString* error)
{
    out.writeToken(EventDocument::ProductName);
    out.writeToken(QStringLiteral("Version"));
    out.writeToken(VersionText);
    out.writeToken(QStringLiteral("Export"));
    out.writeToken(exportFlag ? QStringLiteral("True") : QStringLiteral("False"));
    out.writeToken(QStringLiteral("HoldingTimeCode"));
    out.writeToken(event.HoldingTimeCode);
    out.writeToken(QStringLiteral("QuickLaunchTimeCode"));
    out.writeToken(event.QuickLaunchTimeCode);
    out.writeToken(QStringLiteral("PopUpsTimeCode"));
    out.writeToken(event.PopUpsTimeCode);
    out.writeToken(QStringLiteral("InternetConnect"));
    out.writeToken(event.InternetConnectUrl);
    out.writeToken(event.InternetConnectSession);
    out.writeToken(event.InternetConnectPassword);
    out.writeNumber(event.InternetConnectObscure);

    if (event.hasHoldingSlide()) {
        out.writeToken(QStringLiteral("ImgHolding"));
        out.writeImage(event.ImgHoldingFull, m_codec);
        out.writeImage(event.ImgHolding, m_codec);
    }

    const int speakerCount = event.Speakers.count();
    if (speakerCount > 0) {
        out.writeToken(QStringLiteral("Speakers"));
        out.writeNumber(speakerCount);
        for (int i = 0; i < speakerCount; ++i) {
            const SpeakerRecord& speaker = event.Speakers[static_cast<size_t>(i)];
            out.writeCountedString(speaker.Name);
            out.writeCountedString(speaker.FilePath);
            out.writeCountedString(speaker.TimeCode);
        }
    }

    out.writeToken(QStringLiteral("Quick Launch"));
    out.writeCountedString(event.QuickLaunchFile);
    out.writeToken(QStringLiteral("Import Dir"));
    out.writeCountedString(event.ImportDir);

    out.writeToken(QStringLiteral("PopUps"));
    for (int i = 0; i < EventDocument::PopUpSlotCount; ++i) {
        const PopUpSlot& slot = event.PopUps[static_cast<size_t>(i)];
        if (!slot.isUsed())
            continue;
        out.writeNumber(i);
        out.writeCountedString(slot.Name);
        out.writeImage(slot.Full, m_codec);
        out.writeImage(slot.Thumb, m_codec);
    }
    out.writeToken(QStringLiteral("End PopUps"));

    if (exportFlag && (!event.QuickLaunchFile.isEmpty() || speakerCount > 0) && !out.hasError()) {
        out.writeToken(QStringLiteral("Presentations"));
        const BlockOutcome outcome = writePresentations(event, out, error);
        if (outcome != BlockOutcome::Written)
            return outcome;
    }

    out.writeToken(QStringLiteral("End Data"));
    return out.hasError() ? BlockOutcome::Failed : BlockOutcome::Written;
}

EventFileWriter::BlockOutcome EventFileWriter::writePresentations(const Event& event,
                                                                  TokenWriter& out, QString* error)
{
    std::vector<QString> paths;
    for (int i = 0; i < event.Speakers.count(); ++i)
        paths.push_back(event.Speakers[static_cast<size_t>(i)].FilePath);
    paths.push_back(event.QuickLaunchFile);

    qint64 totalBytes = 0;
    for (const QString& path : paths) {
        if (path.isEmpty())
            continue;
        const QFileInfo info(path);
        if (!info.isFile()) {
            setError(error, QStringLiteral("The presentation %1 cannot be found.")
                                .arg(QDir::toNativeSeparators(path)));
            return BlockOutcome::Failed;
        }
        totalBytes += info.size();
    }

    // The total has always been kept as a floating-point value; a whole number of bytes prints
    // exactly like the integer.
    out.writeNumber(totalBytes);
    out.writeNumber(static_cast<qint64>(paths.size()));

    QByteArray chunk;
    qint64 doneBytes = 0;
    auto* target = qobject_cast<QFileDevice*>(&out.device());
    std::optional<WriteBehind> behind;
    if (target && m_kind == SaveKind::Durable)
        behind.emplace(*target);
    for (const QString& path : paths) {
        if (path.isEmpty()) {
            out.writeToken(QString());
            continue;
        }
        const QString fileName = path.section(QLatin1Char('/'), -1);
        if (m_measure) {
            out.writeCountedString(fileName);
            out.writeNumber(QFileInfo(path).size());
            m_measure->addUnwritten(QFileInfo(path).size());
            continue;
        }
        QFile presentation(path);
        // Read in whole chunks straight from the file, not through Qt's small read buffer.
        if (!presentation.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            setError(error, QStringLiteral("The presentation %1 cannot be read: %2.")
                                .arg(QDir::toNativeSeparators(path), presentation.errorString()));
            return BlockOutcome::Failed;
        }
        const qint64 length = presentation.size();
        out.writeCountedString(fileName);
        out.writeNumber(length);
        bool kernelCopy = target != nullptr;
        for (qint64 copied = 0; copied < length && !out.hasError();) {
            const qint64 want = qMin(ChunkBytes, length - copied);
            qint64 got = 0;
            if (kernelCopy) {
                QString failure;
                const KernelFileCopy::Result result =
                    KernelFileCopy::copy(presentation, *target, want, &got, &failure);
                if (result == KernelFileCopy::Result::Unsupported) {
                    kernelCopy = false;
                    continue;
                }
                if (result == KernelFileCopy::Result::Failed) {
                    out.fail(failure);
                    return BlockOutcome::Failed;
                }
            } else {
                chunk.resize(static_cast<qsizetype>(want));
                got = presentation.read(chunk.data(), chunk.size());
                if (got == want)
                    out.writeBytes(chunk);
            }
            if (out.hasError())
                return BlockOutcome::Failed;
            if (got != want && (got <= 0 || !kernelCopy)) {
                setError(error, QStringLiteral("The presentation %1 changed while it was being "
                                               "stored.")
                                    .arg(QDir::toNativeSeparators(path)));
                return BlockOutcome::Failed;
            }
            copied += got;
            doneBytes += got;
            if (behind)
                behind->written();
            if (m_progress && !m_progress(doneBytes, totalBytes, fileName))
                return BlockOutcome::Cancelled;
        }
    }
    return BlockOutcome::Written;
}
