#include "slides/PdfConverter.h"
#include "document/EventDocument.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FakePresentationApp.h"
#include "tests/fakes/TestFolder.h"

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

    SpeakerRecord speaker(const QString& name, const QString& folder)
    {
        const QString path = m_folder.writeFile(folder + "/" + name + " talk.pptx", "deck");
        m_app.addPresentation(path, 3);
        return {name, name + " talk.pptx", path, QString()};
    }

    void oldPdf(const SpeakerRecord& speaker)
    {
        m_folder.writeFile(PdfConverter::pdfPathOf(speaker), "old");
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

TEST_F(PdfConverterTest, BatchReplacesOnYesSkipsOnNoGoesOnAfterFailuresAndStopsOnCancel)
{
    EventDocument event;
    event.Speakers[0] = speaker("Broken", "A");
    m_app.failToOpen(event.Speakers[0].FilePath);
    event.Speakers[1] = speaker("Skipped", "B");
    event.Speakers[2] = speaker("Replaced", "C");
    event.Speakers[3] = speaker("Stopper", "D");
    event.Speakers[4] = speaker("Never", "E");
    event.SpeakerCount = 5;
    for (int i = 1; i <= 3; ++i)
        oldPdf(event.Speakers[size_t(i)]);
    m_messages.queueAnswer(MsgAnswer::No);
    m_messages.queueAnswer(MsgAnswer::Yes);
    m_messages.queueAnswer(MsgAnswer::Cancel);

    ASSERT_TRUE(m_converter.convertAll(event));
    EXPECT_FALSE(m_converter.convertSpeaker(event.Speakers[4]));
    EXPECT_FALSE(m_converter.convertAll(event)) << "one batch at a time";
    ASSERT_TRUE(waitForEnd());
    EXPECT_FALSE(m_converter.convertAll(EventDocument())) << "no speakers, no batch";

    EXPECT_EQ(m_messages.texts().first(),
              "PDF File 'Skipped.pdf' already exists.\nDo you want to replace it?");
    EXPECT_EQ(m_messages.lastIcon(), MsgIcon::Question);
    EXPECT_EQ(m_messages.unusedAnswers(), 0);
    EXPECT_EQ(m_outcome.failed, QStringList{m_folder.path("A/Broken.pdf")});
    EXPECT_EQ(m_outcome.written, QStringList{m_folder.path("C/Replaced.pdf")});
    EXPECT_TRUE(m_outcome.cancelled);
    EXPECT_EQ(m_folder.readFile("B/Skipped.pdf"), "old");
    EXPECT_TRUE(m_folder.readFile("C/Replaced.pdf").startsWith("fake presentation"));
    EXPECT_FALSE(QFile::exists(m_folder.path("E/Never.pdf")));
    EXPECT_FALSE(m_app.lastOpened());

    // One speaker on their own, with no old PDF in the way.
    ASSERT_TRUE(m_converter.convertSpeaker(event.Speakers[4]));
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(m_outcome.written, QStringList{m_folder.path("E/Never.pdf")});
}

} // namespace
