#include "document/ImageBlockCodec.h"
#include "document/PopUpSlot.h"
#include "document/PopUpsFileReader.h"

#include <QBuffer>

#include <array>
#include <cstddef>
#include <cstdint>

// Feeds arbitrary bytes to the pop-ups file reader: it must end with a result and either fill
// the slots from a whole file or leave every one of them empty.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ImageBlockCodec codec;

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);

    std::array<PopUpSlot, 10> popUps;
    PopUpsFileReader reader(codec);
    const PopUpsFileReader::Result result = reader.read(buffer, popUps);
    if (!result.ok()) {
        if (result.status == PopUpsFileReader::Result::Status::Damaged && result.message.isEmpty())
            __builtin_trap();
        for (const PopUpSlot& slot : popUps)
            if (slot.isUsed())
                __builtin_trap();
    }
    return 0;
}
