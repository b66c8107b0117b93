#include "ColourPictures.h"
#include "EventDocument.h"
#include "EventFileReader.h"
#include "EventFileWriter.h"
#include "FileSizeLimit.h"
#include "ImageBlockCodec.h"
#include "PresentationsExtractor.h"
#include "TestFolder.h"
#include "TokenReader.h"
#include "ZlibCompressor.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

const auto pattern = &ColourPictures::pattern;

// The header every file written here starts with.
const QByteArray Header = "[vesk stagor][Version][5.2][Export][False]";

QByteArray counted(const QByteArray& text)
{
    return '[' + QByteArray::number(text.size()) + ']' + text;
}

class EventFileTest : public ::testing::Test
{
protected:
    EventFileTest() { m_document = newEvent(); }

    // A new, untouched event: default holding slide, everything else empty.
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
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return m_reader.read(buffer, into);
    }

    TestFolder m_folder;
    ImageBlockCodec m_codec;
    EventFileWriter m_writer{m_codec};
    EventFileReader m_reader{m_codec};
    EventDocument m_document;
};

class RecordingExtractor : public PresentationsExtractor
{
public:
    bool extract(QIODevice& eventFile, EventDocument& document, QString* error) override
    {
        TokenReader in(eventFile);
        total = in.readNumber();
        document.QuickLaunchFile = QStringLiteral("/extracted/Talk.ppt");
        *error = QStringLiteral("disk full");
        return succeed;
    }
    bool succeed = true;
    qint64 total = -1;
};

} // namespace

TEST_F(EventFileTest, UntouchedNewEventWritesTheBaselineTokenSequence)
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
    QBuffer buffer;
    buffer.setData(bytes.chopped(suffix.size()));
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(prefix.size());
    TokenReader in(buffer);
    EXPECT_EQ(in.readImage(m_codec), m_document.ImgHoldingFull);
    EXPECT_EQ(in.readImage(m_codec), m_document.ImgHolding);
    EXPECT_TRUE(in.atEnd());

    // Without a holding slide the section disappears.
    m_document.ImgHolding = QImage();
    EXPECT_FALSE(save(m_document).contains("[ImgHolding]"));
}

TEST_F(EventFileTest, FullEventRoundTripsAndResavesByteForByte)
{
    const QString awkward = QStringLiteral("Jürgen [Keynote] ]");
    m_document.SpeakerCount = 3;
    m_document.Speakers[0] = {awkward, {}, QStringLiteral("/talks/[2024]/Ölbild].pptx"), "101112"};
    m_document.Speakers[1] = {QStringLiteral("B"), {}, QStringLiteral("/talks/b.pps"), {}};
    m_document.Speakers[2] = {QStringLiteral("日本"), {}, QString(), {}};
    m_document.QuickLaunchFile = QStringLiteral("/talks/loop.ppsx");
    m_document.ImportDir = m_folder.path();
    m_document.HoldingTimeCode = QStringLiteral("120000");
    m_document.PopUpsTimeCode = QStringLiteral("120001");
    m_document.QuickLaunchTimeCode = QStringLiteral("120002");
    m_document.InternetConnectUrl = QStringLiteral("http://example.org/s?a=1&b=ü");
    m_document.InternetConnectSession = QStringLiteral("room 4");
    m_document.InternetConnectPassword = QStringLiteral("p[w");
    m_document.InternetConnectObscure = 1;
    m_document.PopUps[0] = {QStringLiteral("Coffee [break]"), pattern(64, 48, 5),
                            pattern(16, 12, 6)};
    m_document.PopUps[9] = {QStringLiteral(""), pattern(64, 48, 7), pattern(16, 12, 8)};
    const QByteArray bytes = save(m_document);

    // Read over an event that has every slot and a speaker filled: nothing of it may remain.
    EventDocument loaded = newEvent();
    loaded.Speakers[0].Name = QStringLiteral("stale");
    for (PopUpSlot& slot : loaded.PopUps)
        slot = {QStringLiteral("old"), pattern(4, 4, 1), pattern(2, 2, 1)};
    const EventReadResult result = read(bytes, loaded);
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_FALSE(result.exportFlag);
    EXPECT_EQ(loaded.Speakers[0].FileName, QStringLiteral("Ölbild].pptx"));
    EXPECT_EQ(loaded.Speakers[2].FileName, QString());
    // Pictures are compared as such: a re-save could reuse the blocks it read.
    EXPECT_EQ(loaded.ImgHoldingFull, m_document.ImgHoldingFull);
    EXPECT_EQ(loaded.ImgHolding, m_document.ImgHolding);
    for (int i = 0; i < EventDocument::PopUpSlotCount; ++i) {
        EXPECT_EQ(loaded.PopUps[i].Name, m_document.PopUps[i].Name) << i;
        EXPECT_EQ(loaded.PopUps[i].Full, m_document.PopUps[i].Full) << i;
        EXPECT_EQ(loaded.PopUps[i].Thumb, m_document.PopUps[i].Thumb) << i;
    }

    // Every other field is proven by writing the loaded event back to the same bytes; a fresh
    // program run, with nothing cached, writes them too.
    EXPECT_EQ(save(loaded, false, QStringLiteral("reread.evf")), bytes);
    ImageBlockCodec freshCodec;
    ASSERT_TRUE(
        EventFileWriter(freshCodec).SaveFile(m_document, m_folder.path("fresh.evf"), false));
    EXPECT_EQ(m_folder.readFile("fresh.evf"), bytes);
}

TEST_F(EventFileTest, AnotherProductsFileOnlyResetsSpeakersAndHoldingThumbnail)
{
    m_document.SpeakerCount = 1;
    m_document.Speakers[0].Name = QStringLiteral("Kept in the table");
    m_document.QuickLaunchFile = QStringLiteral("/talks/loop.ppsx");
    m_document.PopUps[2] = {QStringLiteral("P"), pattern(4, 4, 1), pattern(2, 2, 1)};
    QByteArray bytes = save(m_document);
    bytes.replace("[vesk stagor]", "[vesk stager]");

    const EventReadResult result = read(bytes, m_document);
    EXPECT_EQ(result.status, EventReadResult::Status::Incompatible);
    EXPECT_EQ(result.message, QStringLiteral("Incompatible Files"));
    EXPECT_EQ(m_document.SpeakerCount, 0);
    EXPECT_FALSE(m_document.hasHoldingSlide());
    EXPECT_FALSE(m_document.ImgHoldingFull.isNull());
    EXPECT_EQ(m_document.QuickLaunchFile, QStringLiteral("/talks/loop.ppsx"));
    EXPECT_TRUE(m_document.PopUps[2].isUsed());
}

TEST_F(EventFileTest, EveryTruncationAndDamageIsReportedInWordsAndLeavesTheEventAlone)
{
    EventDocument small = newEvent();
    small.ImgHoldingFull = pattern(6, 4, 3);
    small.ImgHolding = pattern(3, 2, 4);
    small.SpeakerCount = 1;
    small.Speakers[0] = {QStringLiteral("A"), {}, QStringLiteral("/a.ppt"), {}};
    small.PopUps[1] = {QStringLiteral("P"), pattern(4, 4, 1), pattern(2, 2, 1)};
    const QByteArray whole = save(small);

    const QByteArray picture = ImageBlockCodec::pictureFileBytes(pattern(4, 4, 1));
    const QByteArray packed = ZlibCompressor::compress(picture);
    const QByteArray noPicture = ZlibCompressor::compress("0123456789");
    auto block = [](qint64 sizeValue, const QByteArray& data) {
        return '[' + QByteArray::number(sizeValue) + "][" + QByteArray::number(data.size() - 1) +
               ']' + data;
    };
    QList<std::pair<QByteArray, const char*>> cases = {
        {"[Speakers][52][End Data]", "52 speakers"},
        {"[Speakers][-1][End Data]", "-1 speakers"},
        {"[Quick Launch][40]short[End Data]", "runs past the end"},
        {"[ImgHolding]" + block(9, noPicture) + block(9, noPicture) + "[End Data]",
         "picture is damaged"},
        {"[ImgHolding]" + block(1LL << 40, packed) + block(1LL << 40, packed) + "[End Data]",
         "picture is damaged"},
        {"[PopUps][10]" + counted("x") + block(picture.size() - 1, packed) + "[End Data]",
         "outside 0 to 9"},
        {"[InternetConnect][][][][yes][End Data]", "not a number"},
        {"[Export][Maybe][End Data]", "neither True nor False"},
        {"[Version][5.2", "not closed"},
    };
    for (auto& [body, words] : cases)
        body.prepend(Header);
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        cases.append({whole.left(cut), "The event file is damaged"});

    m_document.QuickLaunchFile = QStringLiteral("/before.ppt");
    m_document.SpeakerCount = 1;
    for (const auto& [bytes, words] : cases) {
        EventDocument target = m_document;
        const EventReadResult result = read(bytes, target);
        ASSERT_EQ(result.status, EventReadResult::Status::Damaged) << bytes.left(60).constData();
        ASSERT_TRUE(result.message.contains(words)) << result.message.toStdString();
        ASSERT_EQ(target.SpeakerCount, 1) << bytes.size();
        ASSERT_EQ(target.QuickLaunchFile, QStringLiteral("/before.ppt")) << bytes.size();
        ASSERT_EQ(target.ImgHolding, m_document.ImgHolding) << bytes.size();
    }
    EXPECT_TRUE(read(whole, m_document).ok());
}

TEST_F(EventFileTest, UnknownTagsAreSkippedAndImportDirFollowsTheExportMark)
{
    const QByteArray missing = counted("/no/such/folder");
    EventDocument target = m_document;
    target.ImportDir = QStringLiteral("/was/here");
    ASSERT_TRUE(read(Header + "[Colour][Import Dir]" + missing + "[End Data]", target).ok());
    EXPECT_EQ(target.ImportDir, m_folder.folder());

    target.ImportDir = QStringLiteral("/was/here");
    const QByteArray exported = "[vesk stagor][Export][True][Import Dir]" + missing + "[End Data]";
    const EventReadResult result = read(exported, target);
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.exportFlag);
    EXPECT_EQ(target.ImportDir, QStringLiteral("/was/here"));
}

TEST_F(EventFileTest, ExportCarriesEachSpeakersPresentationAndReportsAFailedUnpacking)
{
    const QByteArray talk = QByteArray("slides]").repeated(200000); // two chunks
    const QString talkPath = m_folder.writeFile("talks/Talk [1].ppt", talk);
    m_document.SpeakerCount = 2;
    m_document.Speakers[0] = {QStringLiteral("A"), {}, talkPath, {}};
    m_document.Speakers[1] = {QStringLiteral("B"), {}, talkPath, {}};
    const QByteArray bytes = save(m_document, true, QStringLiteral("packed.zev"));

    const QByteArray entry =
        counted("Talk [1].ppt") + '[' + QByteArray::number(talk.size()) + ']' + talk;
    EXPECT_TRUE(bytes.contains("[Export][True]"));
    EXPECT_TRUE(bytes.endsWith("[Presentations][" + QByteArray::number(2 * talk.size()) + "][3]" +
                               entry + entry + "[][End Data]"));

    RecordingExtractor extractor;
    EventFileReader reader(m_codec, &extractor);
    EventDocument target = newEvent();
    ASSERT_TRUE(reader.read(m_folder.path("packed.zev"), target).ok());
    EXPECT_EQ(extractor.total, 2 * talk.size());
    EXPECT_EQ(target.QuickLaunchFile, QStringLiteral("/extracted/Talk.ppt"));

    extractor.succeed = false;
    const EventReadResult failed = reader.read(m_folder.path("packed.zev"), m_document);
    EXPECT_EQ(failed.status, EventReadResult::Status::ExtractionFailed);
    EXPECT_EQ(failed.message, QStringLiteral("disk full"));
    EXPECT_TRUE(m_document.QuickLaunchFile.isEmpty());
}

// A missing presentation, a full disk during an export and the progress: ZippedEventExportTest.
TEST_F(EventFileTest, FailedOrCancelledSavesKeepThePreviousFile)
{
    const QString target = m_folder.writeFile("keep.zev", "previous content");
    m_document.SpeakerCount = 1;
    m_document.Speakers[0] = {
        QStringLiteral("A"), {}, m_folder.writeFile("big.ppt", QByteArray(2500000, 'x')), {}};
    int calls = 0;
    m_writer.setExportProgress([&](qint64, qint64, const QString&) { return ++calls < 2; });
    QString error = QStringLiteral("unset");
    EXPECT_FALSE(m_writer.SaveFile(m_document, target, true, &error));
    EXPECT_TRUE(m_writer.lastSaveCancelled());
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(m_folder.readFile("keep.zev"), "previous content");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files).size(), 2);

    m_document.SpeakerCount = 0;
    EXPECT_FALSE(
        m_writer.SaveFile(m_document, m_folder.path("keep.zev/inside.evf"), false, &error));
    EXPECT_FALSE(m_writer.lastSaveCancelled());
    EXPECT_TRUE(error.contains("could not be written")) << error.toStdString();

    // Pictures that do not compress, onto a disk that is full after a few KiB.
    QImage noise(128, 128, QImage::Format_RGB32);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(noise.bits()), 128 * 128);
    m_document.PopUps[0] = {QStringLiteral("P"), noise, pattern(16, 16, 1)};
    const bool saved = [&] {
        const FileSizeLimit full(4096);
        return m_writer.SaveFile(m_document, target, false, &error);
    }();
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains("could not be written")) << error.toStdString();
    EXPECT_EQ(m_folder.readFile("keep.zev"), "previous content");
    EXPECT_FALSE(QFile::exists(target + ".part"));
}
