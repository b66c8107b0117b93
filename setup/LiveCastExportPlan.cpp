#include "setup/LiveCastExportPlan.h"

#include "document/EventDocument.h"
#include "document/LiveCastFileNames.h"

namespace {

LiveCastExport::Request common(const EventDocument& doc, const QTime& now)
{
    LiveCastExport::Request request;
    request.liveCastFolder = doc.LiveCastFolder;
    while (request.liveCastFolder.size() > 1 && request.liveCastFolder.endsWith(QLatin1Char('/')))
        request.liveCastFolder.chop(1);
    request.localCopyFolder = LiveCastFileNames::localCopyFolder(doc.AppFolder);
    request.startedAt = now;
    return request;
}

LiveCastExport::Speaker speakerAt(const EventDocument& doc, int index)
{
    const SpeakerRecord& record = doc.Speakers[index];
    return {index, record.Name, record.FilePath};
}

} // namespace

LiveCastExport::Request LiveCastExportPlan::wholeEvent(const EventDocument& doc, const QTime& now)
{
    LiveCastExport::Request request = common(doc, now);
    if (doc.hasHoldingSlide())
        request.holding = doc.ImgHoldingFull.isNull() ? doc.ImgHolding : doc.ImgHoldingFull;
    for (int slot = 0; slot < Event::PopUpSlotCount; ++slot) {
        const PopUpSlot& popUp = doc.PopUps[slot];
        if (popUp.isUsed())
            request.popUps.append({slot, popUp.Full.isNull() ? popUp.Thumb : popUp.Full});
    }
    for (int i = 0;
         i < doc.Speakers.count() && request.speakers.size() < LiveCastExport::MaxSpeakers; ++i) {
        if (!doc.Speakers[i].FilePath.isEmpty())
            request.speakers.append(speakerAt(doc, i));
    }
    request.rollingPath = doc.QuickLaunchFile;
    return request;
}

LiveCastExport::Request LiveCastExportPlan::speaker(const EventDocument& doc, int speaker,
                                                    const QTime& now)
{
    LiveCastExport::Request request = common(doc, now);
    request.wholeEvent = false;
    if (speaker >= 0 && speaker < doc.Speakers.count() && !doc.Speakers[speaker].FilePath.isEmpty())
        request.speakers.append(speakerAt(doc, speaker));
    return request;
}

void LiveCastExportPlan::keep(const LiveCastExport::Result& result, EventDocument& doc)
{
    if (result.holding)
        doc.HoldingTimeCode = result.timeCode;
    if (result.popUps)
        doc.PopUpsTimeCode = result.timeCode;
    if (result.rolling)
        doc.QuickLaunchTimeCode = result.timeCode;
    for (int index : result.speakers) {
        if (index < 0 || index >= doc.Speakers.count())
            continue;
        SpeakerRecord record = doc.Speakers[index];
        record.TimeCode = result.timeCode;
        doc.Speakers.ReplaceSpeakerAt(index, record);
    }
}
