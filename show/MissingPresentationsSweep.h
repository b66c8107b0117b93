#pragma once

#include <QList>
#include <QObject>

class EventDocument;
class MessageService;

// On each tick of the setup clock, also during play mode: speakers whose presentation has gone
// leave the event (see MissingPresentations), and the lists showing them are told where.
class MissingPresentationsSweep : public QObject
{
    Q_OBJECT

public:
    // doc and messages must outlive the sweep.
    MissingPresentationsSweep(EventDocument& doc, MessageService& messages,
                              QObject* parent = nullptr);

    void tick();

signals:
    // Positions in the order of removal, each counted after the removals before it.
    void speakersRemoved(const QList<int>& positions);

private:
    EventDocument& m_doc;
    MessageService& m_messages;
};
