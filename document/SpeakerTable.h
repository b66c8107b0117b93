#pragma once

#include "document/SpeakerRecord.h"

#include <QString>

#include <array>
#include <functional>

// The event's speakers in running order and the rules that keep them right: at most
// MaxSpeakers from the editor (a file may hold a full table), names unique whatever their letter
// case, presentations shared by several speakers counted. Positions are 0-based; rows of the
// speaker list are position + 1. Every change is announced once to the listener; the listener
// stays with the table when its contents are replaced by another table's (a file opened).
class SpeakerTable
{
public:
    static constexpr int Size = 51;
    static constexpr int MaxSpeakers = 50; // the editor never fills the 51st slot

    SpeakerTable() = default;
    SpeakerTable(const SpeakerTable& other);
    SpeakerTable& operator=(const SpeakerTable& other);

    int count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    bool canAdd() const { return m_count < MaxSpeakers; }
    const SpeakerRecord& operator[](size_t position) const { return m_speakers.at(position); }
    // The speakers in use, in running order.
    const SpeakerRecord* begin() const { return m_speakers.data(); }
    const SpeakerRecord* end() const { return m_speakers.data() + m_count; }

    SpeakerRecord GetSpeakerAt(int position) const;
    // Shifts the speakers from position on one place down and stores record at position; in a
    // full table the last speaker drops out.
    void InsertSpeakerAt(const SpeakerRecord& record, int position);
    void RemoveSpeakerAt(int position);
    void ReplaceSpeakerAt(int position, const SpeakerRecord& record);
    // The speaker at from takes position to; the others close up.
    void MoveSpeaker(int from, int to);
    void append(const SpeakerRecord& record) { InsertSpeakerAt(record, m_count); }
    void clear();
    // Letter case is ignored in the three.
    bool SpeakerNameExists(const QString& name) const;
    int FindSpeakerByName(const QString& name) const;
    int CountSpeakersUsingFile(const QString& path) const;

    // Called once after every change; one listener at a time.
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // ".ppt", ".pps", "pptx" or "ppsx" as the last four characters, in any letter case.
    static bool isPresentationFile(const QString& path);
    // The two show endings, ".pps" and "ppsx".
    static bool isShowFile(const QString& path);
    // The speaker a dropped or pasted file makes: Talk.ppt and Talk.pptx both give "Talk".
    static SpeakerRecord candidateFor(const QString& path);

private:
    void changed();

    std::array<SpeakerRecord, Size> m_speakers;
    int m_count = 0;
    std::function<void()> m_listener;
};
