#include "document/SpeakerTable.h"

#include "document/FileKind.h"
#include "document/PathHelpers.h"

#include <algorithm>

SpeakerTable::SpeakerTable(const SpeakerTable& other)
    : m_speakers(other.m_speakers), m_count(other.m_count)
{}

SpeakerTable& SpeakerTable::operator=(const SpeakerTable& other)
{
    if (this == &other)
        return *this;
    m_speakers = other.m_speakers;
    m_count = other.m_count;
    changed();
    return *this;
}

SpeakerRecord SpeakerTable::GetSpeakerAt(int position) const
{
    return m_speakers.at(size_t(position));
}

void SpeakerTable::InsertSpeakerAt(const SpeakerRecord& record, int position)
{
    const int last = std::min(m_count, Size - 1);
    for (int k = last; k > position; --k)
        m_speakers[size_t(k)] = m_speakers[size_t(k - 1)];
    m_speakers.at(size_t(position)) = record;
    m_count = std::min(m_count + 1, Size);
    changed();
}

void SpeakerTable::RemoveSpeakerAt(int position)
{
    if (position < 0 || position >= m_count)
        return;
    for (int k = position; k < m_count - 1; ++k)
        m_speakers[size_t(k)] = m_speakers[size_t(k + 1)];
    m_speakers[size_t(m_count - 1)] = SpeakerRecord();
    --m_count;
    changed();
}

void SpeakerTable::ReplaceSpeakerAt(int position, const SpeakerRecord& record)
{
    m_speakers.at(size_t(position)) = record;
    changed();
}

void SpeakerTable::MoveSpeaker(int from, int to)
{
    if (from < 0 || from >= m_count || to < 0 || to >= m_count || from == to)
        return;
    const SpeakerRecord moved = m_speakers[size_t(from)];
    const int step = to > from ? 1 : -1;
    for (int k = from; k != to; k += step)
        m_speakers[size_t(k)] = m_speakers[size_t(k + step)];
    m_speakers[size_t(to)] = moved;
    changed();
}

void SpeakerTable::clear()
{
    m_speakers = {};
    m_count = 0;
    changed();
}

bool SpeakerTable::SpeakerNameExists(const QString& name) const
{
    return FindSpeakerByName(name) >= 0;
}

int SpeakerTable::FindSpeakerByName(const QString& name) const
{
    for (int k = 0; k < m_count; ++k) {
        if (m_speakers[size_t(k)].Name.compare(name, Qt::CaseInsensitive) == 0)
            return k;
    }
    return -1;
}

int SpeakerTable::CountSpeakersUsingFile(const QString& path) const
{
    int count = 0;
    for (int k = 0; k < m_count; ++k) {
        if (m_speakers[size_t(k)].FilePath.compare(path, Qt::CaseInsensitive) == 0)
            ++count;
    }
    return count;
}

void SpeakerTable::changed()
{
    if (m_listener)
        m_listener();
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
