#include "PdfConverter.h"
#include "EventDocument.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "TestFolder.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class PdfConverterTest : public ::testing::Test
{
protected:
    PdfConverterTest() : m_converter(m_app, m_messages)
    {
        QObject::connect(&m_converter, &PdfConverter::finished,
                         [this](const PdfConverter::Outcome& outcome) { m_outcome = outcome; });
    }

    // A speaker whose presentation lives in its own folder of the test folder.
    SpeakerRecord speaker(const QString& name, const QString& folder)
    {
        const QString path = m_folder.writeFile(folder + "/" + name + " talk.pptx", "deck");
        m_app.addPresentation(path, 3);
        return {name, name + " talk.pptx", path, QString()};
    }

    QString oldPdf(const SpeakerRecord& speaker)
    {
        return m_folder.writeFile(PdfConverter::pdfPathOf(speaker), "old");
    }

    bool waitForEnd()
    {
        QSignalSpy finished(&m_converter, &PdfConverter::finished);
        return finished.wait(10000);
    }

    TestFolder m_folder;
    FakePresentationApp m_app;
    FakeMessageService m_messages;
    PdfConverter m_converter;
    PdfConverter::Outcome m_outcome;
};

TEST_F(PdfConverterTest, OneSpeakerGetsTheirNameAsPdfReplacingAnOldOneOnlyOnYes)
{
    const SpeakerRecord keynote = speaker("Keynote", "F");
    const QString pdf = m_folder.path("F/Keynote.pdf");
    EXPECT_EQ(oldPdf(keynote), pdf);
    m_messages.queueAnswer(int(MsgAnswer::No));
    ASSERT_TRUE(m_converter.convertSpeaker(keynote));
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(m_messages.last(),
              "PDF File 'Keynote.pdf' already exists.\nDo you want to replace it?");
    EXPECT_EQ(m_messages.lastIcon(), MsgIcon::Question);
    EXPECT_EQ(m_folder.readFile(pdf), "old");
    EXPECT_TRUE(m_outcome.written.isEmpty());

    m_messages.queueAnswer(int(MsgAnswer::Yes));
    ASSERT_TRUE(m_converter.convertSpeaker(keynote));
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(m_messages.texts().size(), 2);
    EXPECT_TRUE(m_folder.readFile(pdf).startsWith("fake presentation"));
    EXPECT_EQ(m_outcome.written, QStringList{pdf});
    EXPECT_FALSE(m_app.lastOpened()); // closed after saving
}

TEST_F(PdfConverterTest, BatchSkipsOnNoGoesOnAfterFailuresAndStopsOnCancel)
{
    // Without speakers there is nothing to start, even with a record in the table.
    EventDocument event;
    event.Speakers[0] = speaker("Ignored", "Z");
    EXPECT_FALSE(m_converter.convertAll(event));

    event.Speakers[0] = speaker("Broken", "A");
    m_app.failToOpen(event.Speakers[0].FilePath);
    event.Speakers[1] = speaker("Skipped", "B");
    event.Speakers[2] = speaker("Done", "C");
    event.Speakers[3] = speaker("Stopper", "D");
    event.Speakers[4] = speaker("Never", "E");
    event.SpeakerCount = 5;
    const QString skipped = oldPdf(event.Speakers[1]);
    oldPdf(event.Speakers[3]);
    m_messages.queueAnswer(int(MsgAnswer::No));
    m_messages.queueAnswer(int(MsgAnswer::Cancel));

    ASSERT_TRUE(m_converter.convertAll(event));
    // One run at a time.
    EXPECT_FALSE(m_converter.convertSpeaker(event.Speakers[2]));
    ASSERT_TRUE(waitForEnd());

    EXPECT_EQ(m_messages.texts().size(), 2);
    EXPECT_EQ(m_messages.unusedAnswers(), 0);
    EXPECT_EQ(m_outcome.failed, QStringList{m_folder.path("A/Broken.pdf")});
    EXPECT_EQ(m_outcome.written, QStringList{m_folder.path("C/Done.pdf")});
    EXPECT_TRUE(m_outcome.cancelled);
    EXPECT_EQ(m_folder.readFile(skipped), "old");
    EXPECT_FALSE(QFile::exists(m_folder.path("E/Never.pdf")));
    EXPECT_FALSE(QFile::exists(m_folder.path("Z/Ignored.pdf")));
    EXPECT_FALSE(m_app.lastOpened());
    EXPECT_FALSE(m_converter.isBusy());
}

} // namespace
