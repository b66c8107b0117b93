#include "show/SpeakerNavigation.h"

#include "document/EventDocument.h"

#include <algorithm>

namespace {

int usedCount(const EventDocument& doc)
{
    return std::clamp(int(doc.SpeakerCount), 0, EventDocument::SpeakerTableSize);
}

bool assigned(const EventDocument& doc, int index)
{
    return !doc.Speakers[size_t(index)].FilePath.isEmpty();
}

} // namespace

int SpeakerNavigation::FirstAssignedSpeaker(const EventDocument& doc)
{
    for (int i = 0; i < usedCount(doc); ++i) {
        if (assigned(doc, i))
            return i;
    }
    return -1;
}

int SpeakerNavigation::LastAssignedSpeaker(const EventDocument& doc)
{
    for (int i = usedCount(doc) - 1; i >= 0; --i) {
        if (assigned(doc, i))
            return i;
    }
    return -1;
}

std::optional<QString> SpeakerNavigation::NextSpeaker(EventDocument& doc)
{
    // A CurrentSpeaker below -1 (never set so by the program) still starts from the first one.
    int current = std::max(int(doc.CurrentSpeaker), -1) + 1;
    while (current < usedCount(doc) && !assigned(doc, current))
        ++current;
    if (current < usedCount(doc)) {
        doc.CurrentSpeaker = qint16(current);
        return doc.Speakers[size_t(current)].Name;
    }
    doc.CurrentSpeaker = qint16(FirstAssignedSpeaker(doc));
    if (doc.CurrentSpeaker < 0)
        return std::nullopt;
    return doc.Speakers[size_t(doc.CurrentSpeaker)].Name;
}

std::optional<QString> SpeakerNavigation::PreviousSpeaker(EventDocument& doc)
{
    int current = std::min(int(doc.CurrentSpeaker), usedCount(doc)) - 1;
    while (current >= 0 && !assigned(doc, current))
        --current;
    if (current >= 0) {
        doc.CurrentSpeaker = qint16(current);
        return doc.Speakers[size_t(current)].Name;
    }
    doc.CurrentSpeaker = qint16(LastAssignedSpeaker(doc));
    if (doc.CurrentSpeaker < 0)
        return std::nullopt;
    return doc.Speakers[size_t(doc.CurrentSpeaker)].Name;
}

std::optional<QString> SpeakerNavigation::SelectLastSpeaker(EventDocument& doc)
{
    const int last = LastAssignedSpeaker(doc);
    if (last < 0)
        return std::nullopt;
    doc.CurrentSpeaker = qint16(last);
    return doc.Speakers[size_t(last)].Name;
}
