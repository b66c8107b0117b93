#include "SpeakerNavigation.h"
#include "EventDocument.h"

#include <gtest/gtest.h>

namespace {

// Speakers "S0".."Sn" where only the listed ones have a presentation.
EventDocument eventWith(int count, std::initializer_list<int> assigned)
{
    EventDocument doc;
    doc.SpeakerCount = qint16(count);
    for (int i = 0; i < count; ++i)
        doc.Speakers[size_t(i)].Name = QStringLiteral("S%1").arg(i);
    for (int i : assigned)
        doc.Speakers[size_t(i)].FilePath = QStringLiteral("/talks/%1.pptx").arg(i);
    return doc;
}

} // namespace

TEST(SpeakerNavigation, NextAndPreviousSkipSpeakersWithoutPresentationAndWrap)
{
    struct Case
    {
        int from;
        bool forward;
        int expected;
        const char* name; // expected shown name, nullptr: unchanged
    };
    // Speakers 1, 3 and 4 of six have presentations.
    const Case cases[] = {
        {-1, true, 1, "S1"},  {1, true, 3, "S3"},  {3, true, 4, "S4"},  {4, true, 1, "S1"},
        {5, true, 1, "S1"},   {4, false, 3, "S3"}, {3, false, 1, "S1"}, {1, false, 4, "S4"},
        {-1, false, 4, "S4"}, {0, false, 4, "S4"},
    };
    for (const Case& c : cases) {
        EventDocument doc = eventWith(6, {1, 3, 4});
        doc.CurrentSpeaker = qint16(c.from);
        const auto name = c.forward ? SpeakerNavigation::NextSpeaker(doc)
                                    : SpeakerNavigation::PreviousSpeaker(doc);
        EXPECT_EQ(doc.CurrentSpeaker, c.expected) << c.from << (c.forward ? " next" : " back");
        EXPECT_EQ(name.value_or(QStringLiteral("-")), QString::fromUtf8(c.name));
    }
}

TEST(SpeakerNavigation, NoAssignedSpeakerLeavesNoneAndTheNameUnchanged)
{
    for (int count : {0, 3}) {
        EventDocument doc = eventWith(count, {});
        doc.CurrentSpeaker = -1;
        EXPECT_FALSE(SpeakerNavigation::NextSpeaker(doc));
        EXPECT_EQ(doc.CurrentSpeaker, -1);
        EXPECT_FALSE(SpeakerNavigation::PreviousSpeaker(doc));
        EXPECT_EQ(doc.CurrentSpeaker, -1);
        EXPECT_FALSE(SpeakerNavigation::SelectLastSpeaker(doc));
        EXPECT_EQ(SpeakerNavigation::FirstAssignedSpeaker(doc), -1);
    }
}

TEST(SpeakerNavigation, OneAssignedSpeakerIsAlwaysTheNextAndTheLast)
{
    EventDocument doc = eventWith(3, {2});
    doc.CurrentSpeaker = 2;
    EXPECT_EQ(SpeakerNavigation::NextSpeaker(doc), QStringLiteral("S2"));
    EXPECT_EQ(doc.CurrentSpeaker, 2);
    doc.CurrentSpeaker = 0;
    EXPECT_EQ(SpeakerNavigation::SelectLastSpeaker(doc), QStringLiteral("S2"));
    EXPECT_EQ(doc.CurrentSpeaker, 2);
}
