#pragma once

#include "document/PopUpSlot.h"

#include <QString>

#include <array>

class ImageBlockCodec;

// Writes the ten pop-up popUps as a pop-ups file (".evp"), so that a set of pop-up slides can be
// taken into other events: "[ImgPopUps]", then index, name, full-size and thumbnail picture of
// every used slot in ascending order, then "[End Data]".
class PopUpsFileWriter
{
public:
    static inline const QString FirstTag = QStringLiteral("ImgPopUps");

    explicit PopUpsFileWriter(ImageBlockCodec& codec);

    // The file is replaced only once it is complete; on failure the previous file stays and
    // *error says why for the operator.
    bool write(const std::array<PopUpSlot, 10>& popUps, const QString& path,
               QString* error = nullptr);

private:
    ImageBlockCodec& m_codec;
};
