#include "document/PresentationsUnpacker.h"

#include "document/EventDocument.h"
#include "document/KernelFileCopy.h"
#include "document/PathHelpers.h"
#include "document/TokenReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

QString failed(const QString& reason)
{
    return QStringLiteral("The presentations of the zipped event file could not be unpacked: "
                          "%1.")
        .arg(reason);
}

QString shown(const QByteArray& name)
{
    return QString::fromUtf8(name).replace(QChar(0), QStringLiteral("\\0"));
}

// Something is at path, a link that leads nowhere included.
bool taken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Opens a new file for name in folder: the name itself when it is free, else the name with the
// smallest free number from 2 before its extension. Never opens an existing file or follows a
// link (the open fails when anything appears at the path meanwhile, and the next number is
// tried).
std::optional<QString> createUnique(QFile& file, const QString& folder, const QString& name,
                                    QString* error)
{
    const QString plain = folder + name;
    constexpr int MaxTries = 100000;
    for (int n = 1; n < MaxTries; ++n) {
        const QString candidate =
            n == 1 ? plain : PathHelpers::withSuffix(plain, QString::number(n));
        if (taken(candidate))
            continue;
        file.setFileName(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return candidate;
        if (!taken(candidate)) {
            *error = QStringLiteral("%1 cannot be created: %2")
                         .arg(QDir::toNativeSeparators(candidate), file.errorString());
            return std::nullopt;
        }
    }
    *error = QStringLiteral("no free name is left for %1 in %2")
                 .arg(name, QDir::toNativeSeparators(folder));
    return std::nullopt;
}

} // namespace

QString PresentationsUnpacker::entryNameProblem(const QByteArray& name)
{
    if (name.isEmpty())
        return QStringLiteral("a presentation has an empty name");
    if (name.size() > MaxNameBytes ||
        QFile::encodeName(QString::fromUtf8(name)).size() > MaxNameBytes)
        return QStringLiteral("a presentation's name is longer than %1 bytes").arg(MaxNameBytes);
    if (name.contains('\0'))
        return QStringLiteral("the presentation name \"%1\" holds a NUL character")
            .arg(shown(name));
    if (name.contains('/') || name == "." || name == "..")
        return QStringLiteral("the presentation name \"%1\" is not a plain file name")
            .arg(shown(name));
    return QString();
}

int PresentationsUnpacker::percentOf(qint64 doneBytes, qint64 totalBytes)
{
    if (totalBytes <= 0 || doneBytes <= 0)
        return 0;
    if (doneBytes >= totalBytes)
        return 100;
    // doneBytes < totalBytes, so the quotient fits; the product might not for huge totals.
    return int(double(doneBytes) * 100.0 / double(totalBytes));
}

PresentationsUnpacker::Outcome
PresentationsUnpacker::unpack(QIODevice& device, const QString& importDir, int entryCount,
                              const Progress& progress, const std::atomic<bool>* stop)
{
    Outcome outcome;
    const QString folder = PathHelpers::withTrailingSlash(importDir);
    if (!QFileInfo(folder).isDir()) {
        outcome.error = failed(QStringLiteral("the import folder %1 does not exist")
                                   .arg(QDir::toNativeSeparators(folder)));
        return outcome;
    }

    TokenReader in(device);
    auto damaged = [&](const QString& reason) {
        outcome.error = failed(reason);
        return outcome;
    };

    const qint64 totalBytes = in.readNumber();
    const qint64 count = in.readNumber();
    if (in.hasError())
        return damaged(in.errorMessage());
    if (count != entryCount)
        return damaged(QStringLiteral("it carries %1 presentations for an event that needs %2")
                           .arg(count)
                           .arg(entryCount));

    QByteArray chunk;
    qint64 doneBytes = 0;
    for (qint64 entry = 0; entry < count; ++entry) {
        const QByteArray token = in.readTokenBytes();
        if (in.hasError())
            return damaged(in.errorMessage());
        if (token.isEmpty()) {
            outcome.targets << QString();
            continue;
        }
        const std::optional<qint64> nameBytes = TokenReader::strictInteger(token);
        if (!nameBytes || *nameBytes < 0)
            return damaged(QStringLiteral("the length of a presentation's name is not a number"));
        // Refused before it is read: the name's length alone says it cannot be a file name.
        if (*nameBytes > MaxNameBytes)
            return damaged(entryNameProblem(QByteArray(MaxNameBytes + 1, 'x')));
        const QByteArray rawName = in.readBytes(*nameBytes);
        if (in.hasError())
            return damaged(in.errorMessage());
        const QString problem = entryNameProblem(rawName);
        if (!problem.isEmpty())
            return damaged(problem);
        const QString name = QString::fromUtf8(rawName);

        const qint64 length = in.readStrictNumber();
        if (in.hasError())
            return damaged(in.errorMessage());
        if (length < 0)
            return damaged(QStringLiteral("%1 has a negative length").arg(name));
        if (length > in.bytesLeft())
            return damaged(QStringLiteral("the file ends before %1 is complete").arg(name));

        QFile target;
        QString error;
        const std::optional<QString> targetPath = createUnique(target, folder, name, &error);
        if (!targetPath)
            return damaged(error);
        auto abandon = [&](const QString& reason) {
            target.close();
            target.remove();
            return damaged(reason);
        };

        auto* source = qobject_cast<QFileDevice*>(&device);
        bool kernelCopy = source != nullptr;
        for (qint64 copied = 0; copied < length;) {
            if (stop && stop->load())
                return abandon(QStringLiteral("unpacking was stopped"));
            const qint64 want = qMin(ChunkBytes, length - copied);
            if (kernelCopy) {
                qint64 n = 0;
                QString failure;
                switch (KernelFileCopy::copy(*source, target, want, &n, &failure)) {
                case KernelFileCopy::Result::Copied:
                    if (n == 0)
                        return abandon(
                            QStringLiteral("the file ends before %1 is complete").arg(name));
                    copied += n;
                    doneBytes += n;
                    if (progress)
                        progress(doneBytes, totalBytes, name);
                    continue;
                case KernelFileCopy::Result::Failed:
                    return abandon(QStringLiteral("%1 could not be written: %2")
                                       .arg(QDir::toNativeSeparators(*targetPath), failure));
                case KernelFileCopy::Result::Unsupported:
                    kernelCopy = false;
                    continue;
                }
            }
            chunk.resize(qsizetype(want));
            if (device.read(chunk.data(), want) != want)
                return abandon(QStringLiteral("the file ends before %1 is complete").arg(name));
            if (target.write(chunk.constData(), want) != want)
                return abandon(
                    QStringLiteral("%1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(*targetPath), target.errorString()));
            copied += want;
            doneBytes += want;
            if (progress)
                progress(doneBytes, totalBytes, name);
        }
        target.close();
        if (target.error() != QFileDevice::NoError)
            return abandon(QStringLiteral("%1 could not be written: %2")
                               .arg(QDir::toNativeSeparators(*targetPath), target.errorString()));
        outcome.targets << *targetPath;
    }
    return outcome;
}

void PresentationsUnpacker::pointAt(const QStringList& targets, EventDocument& document)
{
    const int speakers = qBound(0, int(document.Speakers.count()), EventDocument::SpeakerTableSize);
    for (qsizetype i = 0; i < targets.size(); ++i) {
        if (targets[i].isEmpty())
            continue;
        if (i < speakers) {
            SpeakerRecord speaker = document.Speakers.GetSpeakerAt(int(i));
            speaker.FilePath = targets[i];
            speaker.FileName = PathHelpers::FileNameOf(targets[i]);
            document.Speakers.ReplaceSpeakerAt(int(i), speaker);
        } else {
            document.QuickLaunchFile = targets[i];
        }
    }
}

bool PresentationsUnpacker::extract(QIODevice& eventFile, EventDocument& document, QString* error)
{
    const Outcome outcome =
        unpack(eventFile, document.ImportDir, int(document.Speakers.count()) + 1);
    if (!outcome.ok()) {
        if (error)
            *error = outcome.error;
        return false;
    }
    pointAt(outcome.targets, document);
    return true;
}
