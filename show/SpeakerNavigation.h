#pragma once

#include <QString>

#include <optional>

class EventDocument;

// Moves CurrentSpeaker over the speakers that have a presentation. CurrentSpeaker always names
// the speaker the next launch runs; a result with a value is the name the launch screen shows
// for it from now on (nothing: the shown name stays as it was).
class SpeakerNavigation
{
public:
    static int FirstAssignedSpeaker(const EventDocument& doc);
    static int LastAssignedSpeaker(const EventDocument& doc);
    // Wraps to the first assigned speaker past the end.
    static std::optional<QString> NextSpeaker(EventDocument& doc);
    // Wraps to the last assigned speaker before the start.
    static std::optional<QString> PreviousSpeaker(EventDocument& doc);
    static std::optional<QString> SelectLastSpeaker(EventDocument& doc);
};
