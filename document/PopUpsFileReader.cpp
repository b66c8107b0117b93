#include "document/PopUpsFileReader.h"

#include "document/PopUpsFileWriter.h"
#include "document/TokenReader.h"

#include <QDir>
#include <QFile>

#include <optional>

PopUpsFileReader::PopUpsFileReader(ImageBlockCodec& codec) : m_codec(codec) {}

PopUpsFileReader::Result PopUpsFileReader::read(const QString& path,
                                                std::array<PopUpSlot, 10>& popUps)
{
    for (PopUpSlot& slot : popUps)
        slot.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Result::Status::CannotOpen,
                QStringLiteral("The pop-ups file %1 cannot be opened: %2.")
                    .arg(QDir::toNativeSeparators(path), file.errorString())};
    return read(file, popUps);
}

PopUpsFileReader::Result PopUpsFileReader::read(QIODevice& device,
                                                std::array<PopUpSlot, 10>& popUps)
{
    for (PopUpSlot& slot : popUps)
        slot.clear();
    TokenReader in(device);
    const QByteArray first = in.readTokenBytes();
    if (in.hasError() || first != PopUpsFileWriter::FirstTag.toUtf8())
        return {Result::Status::NotPopUpsFile, QString()};

    std::array<PopUpSlot, 10> loaded;
    for (;;) {
        const QByteArray token = in.readTokenBytes();
        if (in.hasError() || token == "End Data")
            break;
        const std::optional<qint64> index = TokenReader::leadingInteger(token);
        if (!index || *index < 0 || *index >= qint64(loaded.size())) {
            in.fail(QStringLiteral("a pop-up has a number outside 0 to 9"));
            break;
        }
        PopUpSlot& slot = loaded[size_t(*index)];
        slot.Name = in.ReadChars();
        slot.Full = in.readImage(m_codec);
        slot.Thumb = in.readImage(m_codec);
        if (in.hasError())
            break;
    }
    if (in.hasError())
        return {Result::Status::Damaged,
                QStringLiteral("The pop-ups file is damaged: %1.").arg(in.errorMessage())};
    popUps = std::move(loaded);
    return {};
}
