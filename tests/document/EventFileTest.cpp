#include "document/EventDocument.h"
#include "document/EventFileReader.h"
#include "document/EventFileWriter.h"
#include "document/ImageBlockCodec.h"
#include "document/PopUpsFileReader.h"
#include "document/PopUpsFileWriter.h"
#include "document/PresentationsExtractor.h"
#include "document/TokenReader.h"
#include "platform/ZlibCompressor.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/ReadBuffer.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const auto pattern = &ColourPictures::pattern;

const QByteArray Header = "[vesk stagor][Version][5.2][Export][False]";

QByteArray counted(const QByteArray& text)
{
    return '[' + QByteArray::number(text.size()) + ']' + text;
}

class EventFileTest : public ::testing::Test
{
protected:
    EventFileTest() { m_document = newEvent(); }

    EventDocument newEvent() const
    {
        EventDocument event;
        event.RunFolder = m_folder.path();
        event.DesktopFolder = m_folder.folder();
        event.clearEvent();
        event.ImgHoldingFull = pattern(64, 48, 1);
        event.ImgHolding = pattern(16, 12, 2);
        return event;
    }

    QByteArray save(const EventDocument& event, bool exportFlag = false,
                    const QString& name = QStringLiteral("event.evf"))
    {
        QString error;
        EXPECT_TRUE(m_writer.SaveFile(event, m_folder.path(name), exportFlag, &error))
            << error.toStdString();
        return m_folder.readFile(name);
    }

    EventReadResult read(const QByteArray& bytes, EventDocument& into)
    {
        ReadBuffer buffer(bytes);
        return m_reader.read(buffer, into);
    }

    TestFolder m_folder;
    ImageBlockCodec m_codec;
    EventFileWriter m_writer{m_codec};
    EventFileReader m_reader{m_codec};
    EventDocument m_document;
};

class FailingExtractor : public PresentationsExtractor
{
public:
    bool extract(QIODevice&, EventDocument& document, QString* error) override
    {
        document.QuickLaunchFile = QStringLiteral("/extracted/Talk.ppt");
        *error = QStringLiteral("disk full");
        return false;
    }
};

} // namespace

TEST_F(EventFileTest, UntouchedEventWritesTheBaselineAndAFullOneResavesByteForByte)
{
    const QByteArray bytes = save(m_document);
    const QByteArray prefix = Header +
                              "[HoldingTimeCode][][QuickLaunchTimeCode][][PopUpsTimeCode][]"
                              "[InternetConnect][][][][0][ImgHolding]";
    const QByteArray suffix = "[Quick Launch][0][Import Dir]" +
                              counted(m_folder.folder().toUtf8()) +
                              "[PopUps][End PopUps][End Data]";
    ASSERT_TRUE(bytes.startsWith(prefix));
    ASSERT_TRUE(bytes.endsWith(suffix));
    // Between them: exactly the two holding-slide blocks, full size first.
    ReadBuffer buffer(bytes.chopped(suffix.size()));
    buffer.seek(prefix.size());
    TokenReader in(buffer);
    EXPECT_EQ(in.readImage(m_codec), m_document.ImgHoldingFull);
    EXPECT_EQ(in.readImage(m_codec), m_document.ImgHolding);
    EXPECT_TRUE(in.atEnd());

    // A full event round-trips and re-saves byte for byte.
    const QString awkward = QStringLiteral("Jürgen [Keynote] ]");
    m_document.Speakers.append(
        {awkward, {}, QStringLiteral("/talks/[2024]/Ölbild].pptx"), "101112"});
    m_document.Speakers.append({QStringLiteral("日本"), {}, QString(), {}});
    m_document.QuickLaunchFile = QStringLiteral("/talks/loop.ppsx");
    m_document.ImportDir = m_folder.path();
    m_document.HoldingTimeCode = QStringLiteral("120000");
    m_document.PopUpsTimeCode = QStringLiteral("120001");
    m_document.QuickLaunchTimeCode = QStringLiteral("120002");
    m_document.InternetConnectUrl = QStringLiteral("http://example.org/s?a=1&b=ü");
    m_document.InternetConnectSession = QStringLiteral("room 4");
    m_document.InternetConnectPassword = QStringLiteral("p[w");
    m_document.InternetConnectObscure = 32767; // the largest the file holds
    m_document.PopUps[0] = {QStringLiteral("Coffee [break]"), pattern(64, 48, 5),
                            pattern(16, 12, 6)};
    m_document.PopUps[9] = {QStringLiteral(""), pattern(64, 48, 7), pattern(16, 12, 8)};
    const QByteArray full = save(m_document);

    // Read over an event that has every slot filled: nothing of it may remain.
    EventDocument loaded = newEvent();
    for (PopUpSlot& slot : loaded.PopUps)
        slot = {QStringLiteral("old"), pattern(4, 4, 1), pattern(2, 2, 1)};
    const EventReadResult result = read(full, loaded);
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(loaded.Speakers[0].FileName, QStringLiteral("Ölbild].pptx"));
    // Pictures are compared as such: a re-save could reuse the blocks it read.
    EXPECT_TRUE(loaded.ImgHoldingFull == m_document.ImgHoldingFull &&
                loaded.ImgHolding == m_document.ImgHolding);
    for (int i = 0; i < EventDocument::PopUpSlotCount; ++i)
        EXPECT_EQ(loaded.PopUps[i].Thumb, m_document.PopUps[i].Thumb) << i;
    EXPECT_EQ(loaded.PopUps[9].Full, m_document.PopUps[9].Full);
    // Every other field is proven by writing the loaded event back to the same bytes.
    EXPECT_EQ(save(loaded, false, QStringLiteral("reread.evf")), full);
}

TEST_F(EventFileTest, DamageIsReportedInWordsUnknownTagsAreSkippedAndImportDirFollowsExport)
{
    EventDocument small = m_document;
    small.ImgHoldingFull = pattern(6, 4, 3);
    small.ImgHolding = pattern(3, 2, 4);
    small.PopUps[1] = {QStringLiteral("P"), pattern(4, 4, 1), pattern(2, 2, 1)};
    const QByteArray whole = save(small);
    m_document.QuickLaunchFile = QStringLiteral("/before.ppt");

    const QByteArray packed = ZlibCompressor::compress("0123456789");
    const QByteArray noPicture = "[9][" + QByteArray::number(packed.size() - 1) + ']' + packed;
    QList<std::pair<QByteArray, const char*>> cases = {
        {"[Speakers][52][End Data]", "52 speakers"},
        {"[Quick Launch][40]short[End Data]", "runs past the end"},
        {"[ImgHolding]" + noPicture + noPicture + "[End Data]", "picture is damaged"},
        {"[PopUps][10][End Data]", "outside 0 to 9"},
        {"[InternetConnect][][][][yes][End Data]", "not a number"},
        {"[Export][Maybe][End Data]", "neither True nor False"},
        {"[Version][5.2", "not closed"}};
    for (auto& [body, words] : cases)
        body.prepend(Header);
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        cases.append({whole.left(cut), "The event file is damaged"});

    for (const auto& [bytes, words] : cases) {
        EventDocument target = m_document;
        const EventReadResult result = read(bytes, target);
        ASSERT_EQ(result.status, EventReadResult::Status::Damaged) << bytes.left(60).constData();
        ASSERT_TRUE(result.message.contains(words)) << result.message.toStdString();
        ASSERT_EQ(target.QuickLaunchFile, QStringLiteral("/before.ppt")) << bytes.size();
        ASSERT_EQ(target.ImgHolding, m_document.ImgHolding) << bytes.size();
    }

    // An unknown tag is passed over and an empty speaker list read as such.
    const QByteArray tail =
        "[Colour][Speakers][0][Import Dir]" + counted("/no/such/folder") + "[End Data]";
    for (const bool exported : {false, true}) {
        EventDocument target = m_document;
        target.ImportDir = QStringLiteral("/was/here");
        const QByteArray head = exported ? "[vesk stagor][Export][True]" : Header;
        const EventReadResult result = read(head + tail, target);
        ASSERT_TRUE(result.ok()) << result.message.toStdString();
        EXPECT_EQ(result.exportFlag, exported);
        EXPECT_EQ(target.ImportDir, exported ? QStringLiteral("/was/here") : m_folder.folder());
    }
}

// A missing presentation, a full disk, the progress and a cancel that leaves its partial file to
// the caller: ZippedEventExportTest, SetupWindowTest.
TEST_F(EventFileTest, ExportCarriesEachPresentationAndFailuresKeepThePreviousFile)
{
    const QByteArray talk = QByteArray("slides]").repeated(200000); // two chunks
    const QString talkPath = m_folder.writeFile("talks/Talk [1].ppt", talk);
    m_document.Speakers.append({QStringLiteral("A"), {}, talkPath, {}});
    m_document.Speakers.append({QStringLiteral("B"), {}, talkPath, {}});
    const QByteArray bytes = save(m_document, true, QStringLiteral("packed.zev"));
    const QByteArray entry =
        counted("Talk [1].ppt") + '[' + QByteArray::number(talk.size()) + ']' + talk;
    EXPECT_TRUE(bytes.endsWith("[Presentations][" + QByteArray::number(2 * talk.size()) + "][3]" +
                               entry + entry + "[][End Data]"));

    int calls = 0;
    m_writer.setExportProgress([&](qint64, qint64, const QString&) { return ++calls < 2; });
    QString error = QStringLiteral("unset");
    EXPECT_FALSE(m_writer.SaveFile(m_document, m_folder.path("packed.zev"), true, &error));
    EXPECT_TRUE(m_writer.lastSaveCancelled());
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(m_folder.readFile("packed.zev"), bytes);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"packed.zev"});
    EXPECT_FALSE(
        m_writer.SaveFile(m_document, m_folder.path("packed.zev/inside.evf"), false, &error));
    EXPECT_FALSE(m_writer.lastSaveCancelled());
    EXPECT_TRUE(error.contains("could not be written")) << error.toStdString();

    FailingExtractor extractor;
    const EventReadResult failed =
        EventFileReader(m_codec, &extractor).read(m_folder.path("packed.zev"), m_document);
    EXPECT_EQ(failed.status, EventReadResult::Status::ExtractionFailed);
    EXPECT_EQ(failed.message, QStringLiteral("disk full"));
    EXPECT_TRUE(m_document.QuickLaunchFile.isEmpty());
}

// Another kind of file and the round trip through the menu: PopUpsFileCommandsTest.
TEST_F(EventFileTest, AnythingButAWholePopUpsFileLeavesEveryPopUpSlotEmpty)
{
    using PopUps = std::array<PopUpSlot, 10>;
    PopUpsFileReader reader(m_codec);
    // Reads into slots that are all in use: nothing of them may remain.
    const auto readPopUps = [&](const QByteArray& bytes, PopUps& into) {
        for (PopUpSlot& slot : into)
            slot = {QStringLiteral("old"), pattern(8, 6, 9), pattern(4, 3, 9)};
        ReadBuffer buffer(bytes);
        return reader.read(buffer, into);
    };
    const auto allEmpty = [](const PopUps& popUps) {
        return std::all_of(popUps.begin(), popUps.end(), [](const PopUpSlot& slot) {
            return !slot.isUsed() && slot.Name == PopUpSlot::EmptyName;
        });
    };

    PopUps two;
    two[0] = {QStringLiteral("A"), pattern(32, 24, 1), pattern(8, 6, 1)};
    two[3] = {QStringLiteral("B"), pattern(32, 24, 2), pattern(8, 6, 2)};
    ASSERT_TRUE(PopUpsFileWriter(m_codec).write(two, m_folder.path("two.evp")));
    const QByteArray whole = m_folder.readFile("two.evp");
    PopUps loaded;
    ASSERT_TRUE(readPopUps(whole, loaded).ok());

    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        EXPECT_FALSE(readPopUps(whole.left(cut), loaded).ok()) << cut;
        EXPECT_TRUE(allEmpty(loaded)) << cut;
    }
    const auto outOfRange = readPopUps(QByteArray(whole).replace("[3][1]B", "[10][1]B"), loaded);
    EXPECT_EQ(outOfRange.status, PopUpsFileReader::Result::Status::Damaged);
    EXPECT_TRUE(outOfRange.message.contains("outside 0 to 9")) << outOfRange.message.toStdString();
    EXPECT_TRUE(allEmpty(loaded));
}
