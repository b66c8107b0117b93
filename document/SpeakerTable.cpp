#include "document/SpeakerTable.h"

#include "document/EventDocument.h"
#include "document/FileKind.h"
#include "document/PathHelpers.h"

#include <algorithm>

SpeakerRecord SpeakerTable::GetSpeakerAt(const EventDocument& doc, int position)
{
    return doc.Speakers.at(size_t(position));
}

void SpeakerTable::InsertSpeakerAt(EventDocument& doc, const SpeakerRecord& record, int position)
{
    const int last = std::min<int>(doc.SpeakerCount, EventDocument::SpeakerTableSize - 1);
    for (int k = last; k > position; --k)
        doc.Speakers[size_t(k)] = doc.Speakers[size_t(k - 1)];
    doc.Speakers.at(size_t(position)) = record;
    ++doc.SpeakerCount;
}

void SpeakerTable::RemoveSpeakerAt(EventDocument& doc, int position)
{
    for (int k = position; k < doc.SpeakerCount - 1; ++k)
        doc.Speakers[size_t(k)] = doc.Speakers[size_t(k + 1)];
    if (doc.SpeakerCount > 0)
        doc.Speakers[size_t(doc.SpeakerCount - 1)] = SpeakerRecord();
    --doc.SpeakerCount;
}

bool SpeakerTable::SpeakerNameExists(const EventDocument& doc, const QString& name)
{
    return FindSpeakerByName(doc, name) >= 0;
}

int SpeakerTable::FindSpeakerByName(const EventDocument& doc, const QString& name)
{
    for (int k = 0; k < doc.SpeakerCount; ++k) {
        if (doc.Speakers[size_t(k)].Name.compare(name, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

int SpeakerTable::CountSpeakersUsingFile(const EventDocument& doc, const QString& path)
{
    int count = 0;
    for (int k = 0; k < doc.SpeakerCount; ++k) {
        if (doc.Speakers[size_t(k)].FilePath.compare(path, Qt::CaseInsensitive) == 0)
            ++count;
    }
    return count;
}

bool SpeakerTable::isPresentationFile(const QString& path)
{
    return isPresentationKind(fileKindOf(path));
}

bool SpeakerTable::isShowFile(const QString& path)
{
    return fileKindOf(path) == FileKind::Show;
}

SpeakerRecord SpeakerTable::candidateFor(const QString& path)
{
    SpeakerRecord record;
    record.FilePath = path;
    record.FileName = PathHelpers::FileNameOf(path);
    record.Name = record.FileName.left(record.FileName.size() - 4);
    if (record.Name.endsWith(QLatin1Char('.')))
        record.Name.chop(1);
    return record;
}
