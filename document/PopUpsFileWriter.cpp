#include "document/PopUpsFileWriter.h"

#include "document/ImageBlockCodec.h"
#include "document/TokenWriter.h"

#include <QDir>
#include <QSaveFile>

PopUpsFileWriter::PopUpsFileWriter(ImageBlockCodec& codec) : m_codec(codec) {}

bool PopUpsFileWriter::write(const std::array<PopUpSlot, 10>& popUps, const QString& path,
                             QString* error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    QString reason;
    if (file.open(QIODevice::WriteOnly)) {
        TokenWriter out(file);
        out.writeToken(FirstTag);
        for (size_t i = 0; i < popUps.size(); ++i) {
            const PopUpSlot& slot = popUps[i];
            if (!slot.isUsed())
                continue;
            out.writeNumber(qint64(i));
            out.writeCountedString(slot.Name);
            out.writeImage(slot.Full, m_codec);
            out.writeImage(slot.Thumb, m_codec);
        }
        out.writeToken(QStringLiteral("End Data"));
        if (!out.hasError() && file.commit())
            return true;
        reason = out.hasError() ? out.errorMessage() : file.errorString();
        file.cancelWriting();
    } else {
        reason = file.errorString();
    }
    if (error)
        *error = QStringLiteral("The pop-ups file %1 could not be written: %2.")
                     .arg(QDir::toNativeSeparators(path), reason);
    return false;
}
