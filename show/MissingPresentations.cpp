#include "show/MissingPresentations.h"

#include "document/EventDocument.h"
#include "document/SpeakerTable.h"
#include "platform/MessageService.h"

#include <QFileInfo>

QList<int> MissingPresentations::removeSpeakers(EventDocument& doc, MessageService& messages)
{
    QList<int> removed;
    for (int i = 0; i < doc.Speakers.count();) {
        const SpeakerRecord speaker = doc.Speakers[size_t(i)];
        if (speaker.FileName.isEmpty() || QFileInfo::exists(speaker.FilePath)) {
            ++i;
            continue;
        }
        // Removed before the message is up: ticks during the message must not find it again.
        doc.Speakers.RemoveSpeakerAt(i);
        removed << i;
        messages.show(QStringLiteral("The Presentation ") + speaker.FileName +
                          QStringLiteral(" has been moved or deleted.") + QLatin1Char('\n') +
                          speaker.Name + QStringLiteral(" will be removed from the speaker list."),
                      MsgButtons::Ok, MsgIcon::None);
    }
    return removed;
}
