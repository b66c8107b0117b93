#include "document/EventDocument.h"
#include "document/EventFileReader.h"
#include "document/ImageBlockCodec.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// Feeds arbitrary bytes to the event reader: whatever the file holds, reading must end with a
// result, never a crash, a hang or an allocation the file cannot justify.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static ImageBlockCodec codec;

    EventDocument document;
    document.RunFolder = folder.path();
    document.DesktopFolder = folder.path() + QLatin1Char('/');
    document.ImportDir = document.DesktopFolder;

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);

    EventFileReader reader(codec);
    const EventReadResult result = reader.read(buffer, document);
    if (!result.ok() && result.message.isEmpty())
        __builtin_trap();
    return 0;
}
