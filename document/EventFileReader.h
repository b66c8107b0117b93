#pragma once

#include "document/EventReadResult.h"

#include <QString>

class EventDocument;
class ImageBlockCodec;
class PresentationsExtractor;
class QFile;
class QIODevice;
class TokenReader;

// Reads an event file into the one event document.
//
// A file whose first token names another product is refused with "Incompatible Files"; as the
// program has always done, the speaker list and the holding thumbnail are emptied all the same.
// Any other fault leaves the document exactly as it was: the file is read into a copy, which
// replaces the event only when the whole file was read. Sections the file lacks keep their
// current values, as they always have.
class EventFileReader
{
public:
    static inline const QString IncompatibleMessage = QStringLiteral("Incompatible Files");

    // codec remembers the blocks it decodes so that saving the event again writes the same
    // bytes. extractor may be null: the presentations of a zipped event file are then skipped,
    // though the event still becomes untitled.
    explicit EventFileReader(ImageBlockCodec& codec, PresentationsExtractor* extractor = nullptr);

    EventReadResult read(const QString& path, EventDocument& document);
    // device must be open for reading and positioned at the start of the file.
    EventReadResult read(QIODevice& device, EventDocument& document);

    // Opens file for reading; the result is CannotOpen with the message when it cannot.
    static EventReadResult open(QFile& file);
    // As read(), except that it stops at a zipped event file's presentations: the result then
    // has presentationsFollow set, device is positioned at them, event holds everything read
    // before them and document is untouched. Otherwise event is not used.
    EventReadResult readUntilPresentations(QIODevice& device, EventDocument& document,
                                           EventDocument& event);
    // The last step for an event whose presentations have been unpacked: it belongs to no file
    // yet; the operator saves it under a name.
    static void presentationsUnpacked(EventDocument& event);

private:
    // Both leave a fault in the reader's error state.
    void readSpeakers(TokenReader& in, EventDocument& event);
    void readPopUps(TokenReader& in, EventDocument& event);

    ImageBlockCodec& m_codec;
    PresentationsExtractor* m_extractor;
};
