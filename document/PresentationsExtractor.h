#pragma once

#include <QString>

class EventDocument;
class QIODevice;

// Unpacks the presentations carried by a zipped event file. The event reader hands over the open
// file positioned just after the "[Presentations]" tag, together with the event it is filling
// (its ImportDir is the target folder; its speakers and QuickLaunchFile are to be pointed at the
// unpacked copies).
class PresentationsExtractor
{
public:
    virtual ~PresentationsExtractor() = default;

    // Reads the whole presentations block. Returns false with an operator-readable reason in
    // *error when the block is damaged or a file cannot be written; the reader then keeps the
    // event it had.
    virtual bool extract(QIODevice& eventFile, EventDocument& document, QString* error) = 0;
};
