#include "MissingPresentations.h"
#include "EventDocument.h"
#include "FakeMessageService.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

TEST(MissingPresentations, SpeakersWhoseFileWentAreRemovedAndAnnounced)
{
    TestFolder folder;
    EventDocument doc;
    const char* names[] = {"Ann", "Ben", "Cy", "Di"};
    for (int i = 0; i < 4; ++i) {
        SpeakerRecord& speaker = doc.Speakers[size_t(i)];
        speaker.Name = QString::fromUtf8(names[i]);
        if (i == 3)
            break; // a speaker without a presentation stays
        speaker.FileName = speaker.Name + QStringLiteral(".pptx");
        speaker.FilePath = i < 2 ? folder.path(speaker.FileName) // moved or deleted
                                 : folder.writeFile(speaker.FileName, "deck");
    }
    doc.SpeakerCount = 4;

    FakeMessageService messages;
    EXPECT_EQ(MissingPresentations::removeSpeakers(doc, messages), (QList<int>{0, 0}));
    EXPECT_EQ(doc.SpeakerCount, 2);
    EXPECT_EQ(doc.Speakers[0].Name, QStringLiteral("Cy"));
    EXPECT_EQ(messages.texts(),
              (QStringList{"The Presentation Ann.pptx has been moved or deleted.\nAnn will be "
                           "removed from the speaker list.",
                           "The Presentation Ben.pptx has been moved or deleted.\nBen will be "
                           "removed from the speaker list."}));
    EXPECT_TRUE(MissingPresentations::removeSpeakers(doc, messages).isEmpty());
}
