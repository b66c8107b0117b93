#include "show/MissingPresentations.h"
#include "document/EventDocument.h"
#include "show/MissingPresentationsSweep.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(MissingPresentations, SpeakersWhoseFileWentAreRemovedAndAnnounced)
{
    TestFolder folder;
    EventDocument doc; // Ann's file has gone, Cy's is there, Di has none and stays
    doc.SpeakerCount = 3;
    doc.Speakers[0].Name = QStringLiteral("Ann");
    doc.Speakers[0].FileName = QStringLiteral("Ann.pptx");
    doc.Speakers[0].FilePath = folder.path(QStringLiteral("Ann.pptx"));
    doc.Speakers[1].Name = QStringLiteral("Cy");
    doc.Speakers[1].FileName = QStringLiteral("Cy.pptx");
    doc.Speakers[1].FilePath = folder.writeFile(doc.Speakers[1].FileName, "deck");
    doc.Speakers[2].Name = QStringLiteral("Di");

    FakeMessageService messages;
    MissingPresentationsSweep sweep(doc, messages);
    QSignalSpy removed(&sweep, &MissingPresentationsSweep::speakersRemoved);
    sweep.tick();
    sweep.tick(); // nothing more to remove: no signal
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][0].value<QList<int>>(), QList<int>{0});
    EXPECT_EQ(doc.SpeakerCount, 2);
    EXPECT_EQ(doc.Speakers[0].Name, QStringLiteral("Cy"));
    EXPECT_EQ(messages.texts(), QStringList{"The Presentation Ann.pptx has been moved or deleted.\n"
                                            "Ann will be removed from the speaker list."});
}
