#include "show/MissingPresentationsSweep.h"

#include "show/MissingPresentations.h"

MissingPresentationsSweep::MissingPresentationsSweep(EventDocument& doc, MessageService& messages,
                                                     QObject* parent)
    : QObject(parent), m_doc(doc), m_messages(messages)
{}

void MissingPresentationsSweep::tick()
{
    const QList<int> removed = MissingPresentations::removeSpeakers(m_doc, m_messages);
    if (!removed.isEmpty())
        emit speakersRemoved(removed);
}
