#include "document/EventDocument.h"
#include "document/EventFileReader.h"
#include "document/ImageBlockCodec.h"
#include "document/PresentationsUnpacker.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// Feeds arbitrary bytes, plain and zipped event files alike, to the event reader with the
// presentations unpacked for real: whatever the file holds, reading ends with a result (a
// message when it fails), and files appear only directly inside the import folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static ImageBlockCodec codec;
    const QString root = folder.path();
    const QString importDir = root + QStringLiteral("/import/");
    QDir().mkpath(importDir);

    EventDocument document;
    document.RunFolder = root;
    document.DesktopFolder = root + QLatin1Char('/');
    document.ImportDir = importDir;

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);

    PresentationsUnpacker unpacker;
    EventFileReader reader(codec, &unpacker);
    const EventReadResult result = reader.read(buffer, document);
    if (!result.ok() && result.message.isEmpty())
        __builtin_trap();

    QDirIterator it(root, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const bool inImportDir = entry.absolutePath() + QLatin1Char('/') == importDir;
        if (entry.absoluteFilePath() + QLatin1Char('/') != importDir && !inImportDir)
            __builtin_trap();
        if (inImportDir && (entry.isDir() || entry.isSymLink()))
            __builtin_trap();
    }
    QDir(importDir).removeRecursively();
    return 0;
}
