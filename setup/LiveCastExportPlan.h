#pragma once

#include "slides/LiveCastExport.h"

class EventDocument;

// What an export of the event's slides for the webcast takes from the event, and what the
// event keeps of it: the time code of each group exported.
class LiveCastExportPlan
{
public:
    // The holding slide, the pop-ups in use, every speaker with a presentation (at most the
    // export's limit) and the Quick Launch file.
    static LiveCastExport::Request wholeEvent(const EventDocument& doc, const QTime& now);
    // One speaker's slides only; speaker is a position in the speaker list.
    static LiveCastExport::Request speaker(const EventDocument& doc, int speaker, const QTime& now);
    static void keep(const LiveCastExport::Result& result, EventDocument& doc);
};
