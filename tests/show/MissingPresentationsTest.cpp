#include "MissingPresentations.h"
#include "EventDocument.h"
#include "FakeMessageService.h"
#include "TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(MissingPresentations, SpeakersWhoseFileWentAreRemovedAndAnnounced)
{
    TestFolder folder;
    EventDocument doc;
    const char* names[] = {"Ann", "Ben", "Cy", "Di"};
    for (int i = 0; i < 4; ++i) {
        SpeakerRecord& speaker = doc.Speakers[size_t(i)];
        speaker.Name = QString::fromUtf8(names[i]);
        speaker.FileName = speaker.Name + QStringLiteral(".pptx");
        speaker.FilePath = folder.writeFile(speaker.FileName, "deck");
    }
    doc.Speakers[3].FileName.clear(); // a speaker without a presentation stays
    doc.Speakers[3].FilePath.clear();
    doc.SpeakerCount = 4;
    QFile::remove(doc.Speakers[0].FilePath);
    QFile::remove(doc.Speakers[1].FilePath);

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
