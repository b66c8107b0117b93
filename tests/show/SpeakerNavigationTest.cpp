#include "show/SpeakerNavigation.h"
#include "document/EventDocument.h"

#include <gtest/gtest.h>

TEST(SpeakerNavigation, NextAndPreviousSkipSpeakersWithoutPresentationAndWrap)
{
    EventDocument doc; // S0..S4, of which 1 and 3 have presentations
    doc.SpeakerCount = 5;
    for (int i = 0; i < 5; ++i) {
        doc.Speakers[size_t(i)].Name = QStringLiteral("S%1").arg(i);
        if (i % 2 == 1)
            doc.Speakers[size_t(i)].FilePath = QStringLiteral("/talks/%1.pptx").arg(i);
    }
    // From, forward, then the speaker chosen.
    const int cases[][3] = {{-1, 1, 1}, {1, 1, 3}, {3, 1, 1}, {3, 0, 1}, {1, 0, 3}, {-1, 0, 3}};
    for (const auto& [from, forward, expected] : cases) {
        doc.CurrentSpeaker = qint16(from);
        const auto name =
            forward ? SpeakerNavigation::NextSpeaker(doc) : SpeakerNavigation::PreviousSpeaker(doc);
        EXPECT_EQ(name, QStringLiteral("S%1").arg(expected))
            << from << (forward ? " next" : " back");
    }
}
