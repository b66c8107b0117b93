#include "show/SpeakerNavigation.h"

#include "document/SpeakerTable.h"

#include <algorithm>

namespace {

int usedCount(const SpeakerTable& speakers)
{
    return speakers.count();
}

bool assigned(const SpeakerTable& speakers, int index)
{
    return !speakers[size_t(index)].FilePath.isEmpty();
}

} // namespace

int SpeakerNavigation::FirstAssignedSpeaker(const SpeakerTable& speakers)
{
    for (int i = 0; i < usedCount(speakers); ++i) {
        if (assigned(speakers, i))
            return i;
    }
    return -1;
}

int SpeakerNavigation::LastAssignedSpeaker(const SpeakerTable& speakers)
{
    for (int i = usedCount(speakers) - 1; i >= 0; --i) {
        if (assigned(speakers, i))
            return i;
    }
    return -1;
}

std::optional<QString> SpeakerNavigation::NextSpeaker(const SpeakerTable& speakers, int& current)
{
    // A current speaker below -1 (never set so by the program) still starts from the first one.
    int next = std::max(current, -1) + 1;
    while (next < usedCount(speakers) && !assigned(speakers, next))
        ++next;
    if (next < usedCount(speakers)) {
        current = next;
        return speakers[size_t(next)].Name;
    }
    current = FirstAssignedSpeaker(speakers);
    if (current < 0)
        return std::nullopt;
    return speakers[size_t(current)].Name;
}

std::optional<QString> SpeakerNavigation::PreviousSpeaker(const SpeakerTable& speakers,
                                                          int& current)
{
    int previous = std::min(current, usedCount(speakers)) - 1;
    while (previous >= 0 && !assigned(speakers, previous))
        --previous;
    if (previous >= 0) {
        current = previous;
        return speakers[size_t(previous)].Name;
    }
    current = LastAssignedSpeaker(speakers);
    if (current < 0)
        return std::nullopt;
    return speakers[size_t(current)].Name;
}

std::optional<QString> SpeakerNavigation::SelectLastSpeaker(const SpeakerTable& speakers,
                                                            int& current)
{
    const int last = LastAssignedSpeaker(speakers);
    if (last < 0)
        return std::nullopt;
    current = last;
    return speakers[size_t(last)].Name;
}
