#include "slides/LiveCastExport.h"
#include "document/EventDocument.h"
#include "platform/fake/FakePresentationApp.h"
#include "setup/LiveCastExportPlan.h"
#include "tests/fakes/TestFolder.h"

#include <QImageReader>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QImage picture(Qt::GlobalColor colour)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The event's export into a LiveCast folder and a local streaming folder, on the scripted
// office; the Flash converter writes a marker unless told that a picture fails.
class LiveCastExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.AppFolder = m_app.folder();
        m_doc.LiveCastFolder = m_app.path("veskCast");
        m_app.writeFile("FMS.ini", (m_served.path() + "\n").toUtf8());
    }
    void addSpeaker(const QString& name, int slides)
    {
        const QString path = m_app.writeFile(name + ".pptx", "deck");
        m_office.addPresentation(path, slides);
        m_doc.Speakers.append({name, name + ".pptx", path, {}});
    }
    LiveCastExport::Result run(const LiveCastExport::Request& request)
    {
        QSignalSpy finished(&m_export, &LiveCastExport::finished);
        EXPECT_TRUE(m_export.start(request));
        EXPECT_TRUE(finished.wait(10000));
        return finished.isEmpty() ? LiveCastExport::Result()
                                  : finished.first().first().value<LiveCastExport::Result>();
    }

    TestFolder m_app;
    TestFolder m_served;
    EventDocument m_doc;
    FakePresentationApp m_office;
    QString m_failingStem;
    LiveCastExport m_export{m_office, [this](const QString& stem, QString* error) {
                                if (stem.endsWith(m_failingStem) && !m_failingStem.isEmpty()) {
                                    *error = "no room";
                                    return false;
                                }
                                QFile swf(stem + ".swf");
                                return swf.open(QIODevice::WriteOnly) && swf.write("FWS") == 3;
                            }};
    QStringList m_status;
};

} // namespace

TEST_F(LiveCastExportTest, TheWholeEventReplacesThePreviousExportHereAndInTheLocalCopy)
{
    m_doc.ImgHolding = m_doc.ImgHoldingFull = picture(Qt::red);
    m_doc.PopUps[0].Thumb = m_doc.PopUps[0].Full = picture(Qt::green);
    m_doc.PopUps[9].Thumb = m_doc.PopUps[9].Full = picture(Qt::blue);
    addSpeaker("Jane Doe", 3);
    m_doc.Speakers.append({"No Deck", {}, {}, {}});
    addSpeaker("Bob", 2);
    const QString rolling = m_app.writeFile("promo.pptx", "deck");
    m_office.addPresentation(rolling, 2);
    m_doc.QuickLaunchFile = rolling;
    // What an earlier export left, here and in the local copy.
    m_app.writeFile("veskCast/h101010.jpg", "old");
    m_app.writeFile("veskCast/Old_Talk/1101010.jpg", "old");
    m_served.writeFile("veskCast/stale.swf", "old");
    m_failingStem = "Bob/2140509";
    QSignalSpy failures(&m_export, &LiveCastExport::conversionFailed);
    QObject::connect(&m_export, &LiveCastExport::statusChanged,
                     [this](const QString& text) { m_status << text; });

    const LiveCastExport::Result result =
        run(LiveCastExportPlan::wholeEvent(m_doc, QTime(14, 5, 9)));

    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    // Every picture has its Flash file but Bob's second slide.
    QStringList expected = {"Bob/2140509.jpg"};
    for (const char* stem :
         {"Bob/1140509", "Jane_Doe/1140509", "Jane_Doe/2140509", "Jane_Doe/3140509", "h140509",
          "p0140509", "p1140509", "r1140509", "r2140509"})
        expected << QString(stem) + ".jpg" << QString(stem) + ".swf";
    expected.sort();
    EXPECT_EQ(TestFolder::filesUnder(m_doc.LiveCastFolder), expected);
    EXPECT_EQ(TestFolder::filesUnder(m_served.path("veskCast")), expected);
    EXPECT_EQ(QImageReader(m_doc.LiveCastFolder + "/Jane_Doe/2140509.jpg").size(),
              QSize(1024, 768));
    EXPECT_EQ(QImageReader(m_doc.LiveCastFolder + "/p0140509.jpg").size(), QSize(1024, 768));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures.first().first().toString(), m_doc.LiveCastFolder + "/Bob/2140509");
    EXPECT_EQ(m_status, QStringList({"Exporting - Holding", "Exporting - PopUp1",
                                     "Exporting - PopUp0", "Exporting - Jane Doe",
                                     "Exporting - Bob", "Exporting - Rolling Presentation"}));
    EXPECT_EQ(m_office.openPresentationCount().value(), 0);

    LiveCastExportPlan::keep(result, m_doc);
    EXPECT_EQ(QStringList({m_doc.HoldingTimeCode, m_doc.PopUpsTimeCode, m_doc.QuickLaunchTimeCode,
                           m_doc.Speakers[0].TimeCode, m_doc.Speakers[1].TimeCode,
                           m_doc.Speakers[2].TimeCode}),
              QStringList({"140509", "140509", "140509", "140509", "", "140509"}));
}

TEST_F(LiveCastExportTest, OneSpeakerReplacesOnlyThatFolderAndCancelClosesTheDeck)
{
    addSpeaker("Jane Doe", 2);
    addSpeaker("Bob", 1);
    run(LiveCastExportPlan::wholeEvent(m_doc, QTime(9, 0, 0)));
    m_app.writeFile("veskCast/Jane_Doe/3090000.jpg", "a slide the deck no longer has");

    LiveCastExport::Result result = run(LiveCastExportPlan::speaker(m_doc, 0, QTime(9, 30, 0)));
    LiveCastExportPlan::keep(result, m_doc);
    EXPECT_EQ(
        TestFolder::filesUnder(m_doc.LiveCastFolder),
        QStringList({"Bob/1090000.jpg", "Bob/1090000.swf", "Jane_Doe/1093000.jpg",
                     "Jane_Doe/1093000.swf", "Jane_Doe/2093000.jpg", "Jane_Doe/2093000.swf"}));
    EXPECT_EQ(TestFolder::filesUnder(m_served.path("veskCast")),
              TestFolder::filesUnder(m_doc.LiveCastFolder));
    EXPECT_EQ(m_doc.Speakers[0].TimeCode, "093000");
    EXPECT_EQ(m_doc.Speakers[1].TimeCode, QString());

    // Cancelled while the office opens Bob's deck: nothing of it is written and it is closed.
    m_office.holdOpens();
    QSignalSpy finished(&m_export, &LiveCastExport::finished);
    ASSERT_TRUE(m_export.start(LiveCastExportPlan::speaker(m_doc, 1, QTime(10, 0, 0))));
    EXPECT_FALSE(m_export.start(LiveCastExportPlan::speaker(m_doc, 0, QTime(10, 0, 0))));
    ASSERT_TRUE(m_office.openHeldWhileEventsRun());
    m_export.cancel();
    m_office.releaseOpens();
    ASSERT_TRUE(finished.wait(10000));
    result = finished.first().first().value<LiveCastExport::Result>();
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(TestFolder::filesUnder(m_doc.LiveCastFolder + "/Bob"), QStringList());
    EXPECT_EQ(m_office.openPresentationCount().value(), 0);

    // A LiveCast folder that is not set is never emptied in its place.
    m_doc.LiveCastFolder.clear();
    result = run(LiveCastExportPlan::wholeEvent(m_doc, QTime(11, 0, 0)));
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QFile::exists(m_app.path("veskCast/Jane_Doe/1093000.jpg")));
}
