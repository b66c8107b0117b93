#pragma once

#include "document/SpeakerRecord.h"

#include <QString>

class EventDocument;

// The speaker table's own procedures. Positions are 0-based; rows of the speaker list are
// position + 1.
class SpeakerTable
{
public:
    static SpeakerRecord GetSpeakerAt(const EventDocument& doc, int position);
    // Shifts the speakers from position on one place down and stores record at position. The
    // caller keeps SpeakerCount below the table size.
    static void InsertSpeakerAt(EventDocument& doc, const SpeakerRecord& record, int position);
    static void RemoveSpeakerAt(EventDocument& doc, int position);
    // Letter case is ignored in both.
    static bool SpeakerNameExists(const EventDocument& doc, const QString& name);
    static int FindSpeakerByName(const EventDocument& doc, const QString& name);
    static int CountSpeakersUsingFile(const EventDocument& doc, const QString& path);

    // ".ppt", ".pps", "pptx" or "ppsx" as the last four characters, in any letter case.
    static bool isPresentationFile(const QString& path);
    // The two show endings, ".pps" and "ppsx".
    static bool isShowFile(const QString& path);
    // The speaker a dropped or pasted file makes: Talk.ppt and Talk.pptx both give "Talk".
    static SpeakerRecord candidateFor(const QString& path);
};
