#include "SpeakerNavigation.h"
#include "EventDocument.h"

#include <gtest/gtest.h>

// Having no speaker with a presentation, or only one, is run through the launch screen's keys
// in LaunchControllerTest.
TEST(SpeakerNavigation, NextAndPreviousSkipSpeakersWithoutPresentationAndWrap)
{
    struct Case
    {
        int from;
        bool forward;
        int expected;
    };
    // Speakers S0..S5, of which 1, 3 and 4 have presentations.
    const Case cases[] = {
        {-1, true, 1}, {1, true, 3},  {4, true, 1},   {5, true, 1},
        {3, false, 1}, {1, false, 4}, {-1, false, 4}, {0, false, 4},
    };
    for (const Case& c : cases) {
        EventDocument doc;
        doc.SpeakerCount = 6;
        for (int i = 0; i < 6; ++i)
            doc.Speakers[size_t(i)].Name = QStringLiteral("S%1").arg(i);
        for (int i : {1, 3, 4})
            doc.Speakers[size_t(i)].FilePath = QStringLiteral("/talks/%1.pptx").arg(i);
        doc.CurrentSpeaker = qint16(c.from);
        const auto name = c.forward ? SpeakerNavigation::NextSpeaker(doc)
                                    : SpeakerNavigation::PreviousSpeaker(doc);
        EXPECT_EQ(doc.CurrentSpeaker, c.expected) << c.from << (c.forward ? " next" : " back");
        EXPECT_EQ(name, QStringLiteral("S%1").arg(c.expected));
    }
}
