#pragma once

#include <QList>

class EventDocument;
class MessageService;

// Speakers whose presentation was moved or deleted behind the program's back leave the event,
// each with a message, also while a show runs.
class MissingPresentations
{
public:
    // Removes them from the speaker table and returns the positions they had, in the order of
    // removal (each position counted after the removals before it).
    static QList<int> removeSpeakers(EventDocument& doc, MessageService& messages);
};
