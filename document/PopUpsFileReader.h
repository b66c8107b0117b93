#pragma once

#include "document/PopUpSlot.h"

#include <QString>

#include <array>

class ImageBlockCodec;
class QIODevice;

// Reads a pop-ups file (".evp") into the ten pop-up popUps.
//
// Taking in a pop-ups file always replaces the whole set: the popUps are emptied first, whatever
// the file turns out to hold. They are filled only when the whole file was read, so a damaged
// file leaves them empty rather than half filled.
class PopUpsFileReader
{
public:
    struct Result
    {
        enum class Status
        {
            Read,
            NotPopUpsFile, // the first token is not "ImgPopUps": nothing to take, no message
            Damaged,
            CannotOpen,
        };
        Status status = Status::Read;
        QString message; // for the operator; empty for Read and NotPopUpsFile

        bool ok() const { return status == Status::Read; }
    };

    explicit PopUpsFileReader(ImageBlockCodec& codec);

    Result read(const QString& path, std::array<PopUpSlot, 10>& popUps);
    // device must be open for reading and positioned at the start of the file.
    Result read(QIODevice& device, std::array<PopUpSlot, 10>& popUps);

private:
    ImageBlockCodec& m_codec;
};
