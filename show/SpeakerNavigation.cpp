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

std::optional<QString> SpeakerNavigation::NextSpeaker(const EventDocument& doc, int& current)
{
    // A current speaker below -1 (never set so by the program) still starts from the first one.
    int next = std::max(current, -1) + 1;
    while (next < usedCount(doc) && !assigned(doc, next))
        ++next;
    if (next < usedCount(doc)) {
        current = next;
        return doc.Speakers[size_t(next)].Name;
    }
    current = FirstAssignedSpeaker(doc);
    if (current < 0)
        return std::nullopt;
    return doc.Speakers[size_t(current)].Name;
}

std::optional<QString> SpeakerNavigation::PreviousSpeaker(const EventDocument& doc, int& current)
{
    int previous = std::min(current, usedCount(doc)) - 1;
    while (previous >= 0 && !assigned(doc, previous))
        --previous;
    if (previous >= 0) {
        current = previous;
        return doc.Speakers[size_t(previous)].Name;
    }
    current = LastAssignedSpeaker(doc);
    if (current < 0)
        return std::nullopt;
    return doc.Speakers[size_t(current)].Name;
}

std::optional<QString> SpeakerNavigation::SelectLastSpeaker(const EventDocument& doc, int& current)
{
    const int last = LastAssignedSpeaker(doc);
    if (last < 0)
        return std::nullopt;
    current = last;
    return doc.Speakers[size_t(last)].Name;
}
