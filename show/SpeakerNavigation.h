#pragma once

#include <QString>

#include <optional>

class SpeakerTable;

// Moves the launch screen's current speaker (current: a position, -1 for none) over the
// speakers that have a presentation. It always names the speaker the next launch runs; a
// result with a value is the name the launch screen shows for it from now on (nothing: the
// shown name stays as it was).
class SpeakerNavigation
{
public:
    static int FirstAssignedSpeaker(const SpeakerTable& speakers);
    static int LastAssignedSpeaker(const SpeakerTable& speakers);
    // Wraps to the first assigned speaker past the end.
    static std::optional<QString> NextSpeaker(const SpeakerTable& speakers, int& current);
    // Wraps to the last assigned speaker before the start.
    static std::optional<QString> PreviousSpeaker(const SpeakerTable& speakers, int& current);
    static std::optional<QString> SelectLastSpeaker(const SpeakerTable& speakers, int& current);
};
