#include "ZippedEventExport.h"
#include "BackgroundPresentationsExtractor.h"
#include "ColourPictures.h"
#include "EventDocument.h"
#include "EventFileReader.h"
#include "EventFileWriter.h"
#include "FakeDriveTypeSource.h"
#include "FakeFileDialogService.h"
#include "FakeFreeSpace.h"
#include "FakeMessageService.h"
#include "FileSizeLimit.h"
#include "ImageBlockCodec.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const auto pattern = &ColourPictures::pattern;

QStringList filesIn(const QString& folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

class ZippedEventExportTest : public ::testing::Test
{
protected:
    ZippedEventExportTest()
    {
        doc.RunFolder = dir.path("run");
        doc.DesktopFolder = dir.folder();
        doc.clearEvent();
        doc.ImportDir = dir.path("import/");
        QDir().mkpath(doc.RunFolder);
        QDir().mkpath(doc.ImportDir);
        doc.ImgHoldingFull = pattern(64, 48, 1);
        doc.ImgHolding = pattern(16, 12, 1);
        doc.PopUps[2] = {QStringLiteral("Coffee"), pattern(64, 48, 2), pattern(16, 12, 2)};
        doc.EventFilePath = dir.path("mine.evf");
        doc.EventFileTitle = QStringLiteral("mine.evf");
    }

    void addSpeaker(const QString& name, const QString& path)
    {
        SpeakerRecord& speaker = doc.Speakers[size_t(doc.SpeakerCount++)];
        speaker.Name = name;
        speaker.FilePath = path;
        speaker.FileName = QFileInfo(path).fileName();
    }

    // Opens a zipped event file the way the program does, into a fresh event of this machine.
    EventReadResult open(const QString& path, EventDocument& into)
    {
        into.RunFolder = doc.RunFolder;
        into.DesktopFolder = doc.DesktopFolder;
        into.ImportDir = doc.ImportDir;
        into.EventFilePath = path;
        into.EventFileTitle = QFileInfo(path).fileName();
        BackgroundPresentationsExtractor extractor;
        QStringList statuses;
        QObject::connect(&extractor, &BackgroundPresentationsExtractor::progressChanged, &extractor,
                         [&](const QString& status, int) { statuses << status; });
        ImageBlockCodec codec;
        EventFileReader reader(codec, &extractor);
        const EventReadResult result = reader.read(path, into);
        extractStatuses = statuses;
        return result;
    }

    TestFolder dir;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakeFreeSpace freeSpace;
    FakeDriveTypeSource drives;
    ZippedEventExport exporter{doc, messages, dialogs, freeSpace, drives};
    QStringList extractStatuses;
};

} // namespace

TEST_F(ZippedEventExportTest, SharedPresentationTravelsOncePerSpeakerAndUnpacksUnderFreeNames)
{
    QByteArray talk(2400000, Qt::Uninitialized); // three chunks
    QRandomGenerator rng(7);
    rng.fillRange(reinterpret_cast<quint32*>(talk.data()), talk.size() / 4);
    const QString talkPath = dir.writeFile("talks/Talk.ppt", talk);
    addSpeaker(QStringLiteral("Ann"), talkPath);
    addSpeaker(QStringLiteral("Bob"), talkPath);
    doc.QuickLaunchFile = dir.writeFile("talks/Loop.pps", "loop");
    const EventDocument before = doc;

    QStringList statuses;
    QList<int> percents;
    QObject::connect(&exporter, &ZippedEventExport::progressChanged, &exporter,
                     [&](const QString& status, int percent) {
                         statuses << status;
                         percents << percent;
                     });
    dialogs.queueChoice(dir.path("out/packed.zev"));
    QDir().mkpath(dir.path("out"));
    EXPECT_EQ(exporter.MnuExport_Click(dir.path()), ZippedEventExport::Outcome::Written);
    EXPECT_EQ(dialogs.lastFilter(), "Zipped Stagor (zev) |*.zev");
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
    EXPECT_EQ(doc.EventFilePath, before.EventFilePath);

    const QByteArray packed = dir.readFile("out/packed.zev");
    EXPECT_EQ(packed.count(talk), 2);
    EXPECT_TRUE(packed.contains("[Export][True]"));
    EXPECT_EQ(statuses.first(), "Adding - Talk.ppt");
    EXPECT_EQ(statuses.last(), "Adding - Loop.pps");
    EXPECT_EQ(percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));

    // The estimate is the size written, to the byte.
    ImageBlockCodec codec;
    EventFileWriter writer(codec);
    EXPECT_EQ(writer.estimateSize(doc, true), packed.size());

    // Opened on "another computer" whose import folder already holds a Talk.ppt.
    dir.writeFile("import/Talk.ppt", "not this one");
    EventDocument opened;
    const EventReadResult result = open(dir.path("out/packed.zev"), opened);
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(opened.Speakers[0].FilePath, dir.path("import/Talk2.ppt"));
    EXPECT_EQ(opened.Speakers[1].FilePath, dir.path("import/Talk3.ppt"));
    EXPECT_EQ(opened.QuickLaunchFile, dir.path("import/Loop.pps"));
    EXPECT_EQ(dir.readFile("import/Talk2.ppt"), talk);
    EXPECT_EQ(dir.readFile("import/Talk.ppt"), "not this one");
    EXPECT_TRUE(opened.isUntitled());
    EXPECT_EQ(extractStatuses.first(), "Extracting - Talk.ppt");
    EXPECT_EQ(extractStatuses.last(), "Extracting - Loop.pps");
}

TEST_F(ZippedEventExportTest, EventWithoutPresentationsOpensUnderItsOwnName)
{
    dialogs.queueChoice(dir.path("plain.zev"));
    ASSERT_EQ(exporter.MnuExport_Click(dir.path()), ZippedEventExport::Outcome::Written);
    EXPECT_FALSE(dir.readFile("plain.zev").contains("[Presentations]"));

    EventDocument opened;
    ASSERT_TRUE(open(dir.path("plain.zev"), opened).ok());
    EXPECT_EQ(opened.EventFileTitle, "plain.zev");
    EXPECT_EQ(opened.EventFilePath, dir.path("plain.zev"));
    EXPECT_EQ(opened.PopUps[2].Name, "Coffee");

    // No file chosen: nothing happens at all.
    EXPECT_EQ(exporter.MnuExport_Click(dir.path()), ZippedEventExport::Outcome::NotChosen);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ZippedEventExportTest, TooLittleFreeSpaceWritesNothing)
{
    addSpeaker(QStringLiteral("Ann"), dir.writeFile("Talk.ppt", QByteArray(5000, 't')));
    ImageBlockCodec codec;
    const qint64 size = *EventFileWriter(codec).estimateSize(doc, true);

    // A tenth of the free space must exceed the size; exactly ten times is not enough.
    for (const std::optional<qint64> free :
         {std::optional<qint64>(size * 10), std::optional<qint64>(0), std::optional<qint64>()}) {
        messages.clear();
        freeSpace.setFreeBytes(free);
        EXPECT_EQ(exporter.exportTo(dir.path("full.zev")), ZippedEventExport::Outcome::NoSpace);
        EXPECT_EQ(messages.texts(), QStringList{"Insufficient Fee Space on Drive"});
        EXPECT_EQ(freeSpace.lastPath(), dir.path("full.zev"));
        EXPECT_EQ(filesIn(dir.path()), QStringList{"Talk.ppt"});
    }
    freeSpace.setFreeBytes(size * 10 + 10);
    EXPECT_EQ(exporter.exportTo(dir.path("fits.zev")), ZippedEventExport::Outcome::Written);
}

TEST_F(ZippedEventExportTest, WriteErrorsAndMissingPresentationsAreReported)
{
    addSpeaker(QStringLiteral("Ann"), dir.writeFile("Talk.ppt", QByteArray(3000000, 't')));
    dir.writeFile("keep.zev", "previous export");

    const ZippedEventExport::Outcome outcome = [&] {
        const FileSizeLimit full(1500000);
        return exporter.exportTo(dir.path("keep.zev"));
    }();

    EXPECT_EQ(outcome, ZippedEventExport::Outcome::Failed);
    EXPECT_EQ(messages.texts(), QStringList{"Error writing file."});
    EXPECT_EQ(dir.readFile("keep.zev"), "previous export");
    EXPECT_EQ(filesIn(dir.path()), QStringList({"Talk.ppt", "keep.zev"}));

    messages.clear();
    doc.Speakers[0].FilePath = dir.path("gone.ppt");
    EXPECT_EQ(exporter.exportTo(dir.path("other.zev")), ZippedEventExport::Outcome::Failed);
    EXPECT_TRUE(messages.last().contains("gone.ppt")) << messages.last().toStdString();
    EXPECT_FALSE(QFile::exists(dir.path("other.zev")));
}

TEST_F(ZippedEventExportTest, PresentationsNeverGoWhereTheFileSays)
{
    // A file without the export mark keeps its own import folder, but not for unpacking.
    addSpeaker(QStringLiteral("Ann"), dir.writeFile("talks/Talk.ppt", "talk"));
    QDir().mkpath(dir.path("elsewhere"));
    doc.ImportDir = dir.path("elsewhere/");
    ASSERT_EQ(exporter.exportTo(dir.path("packed.zev")), ZippedEventExport::Outcome::Written);
    const QByteArray bytes = dir.readFile("packed.zev");
    dir.writeFile("unmarked.zev", QByteArray(bytes).replace("[Export][True]", "[Export][False]"));
    doc.ImportDir = dir.path("import/");

    EventDocument opened;
    ASSERT_TRUE(open(dir.path("unmarked.zev"), opened).ok());
    EXPECT_EQ(opened.Speakers[0].FilePath, dir.path("import/Talk.ppt"));
    EXPECT_TRUE(filesIn(dir.path("elsewhere")).isEmpty());
}

TEST_F(ZippedEventExportTest, PresentationsOnAnotherFileSystemAreCopiedByHand)
{
    // Between file systems the kernel will not copy by itself: memory-backed /dev/shm and the
    // test folder's disk.
    QTemporaryDir shm(QStringLiteral("/dev/shm/stagor-test-XXXXXX"));
    ASSERT_TRUE(shm.isValid());
    QByteArray talk(2500000, Qt::Uninitialized);
    QRandomGenerator(11).fillRange(reinterpret_cast<quint32*>(talk.data()), talk.size() / 4);
    QFile shmTalk(shm.filePath(QStringLiteral("Talk.ppt")));
    ASSERT_TRUE(shmTalk.open(QIODevice::WriteOnly) && shmTalk.write(talk) == talk.size());
    shmTalk.close();
    addSpeaker(QStringLiteral("Ann"), shmTalk.fileName());

    ASSERT_EQ(exporter.exportTo(dir.path("packed.zev")), ZippedEventExport::Outcome::Written);
    EXPECT_EQ(dir.readFile("packed.zev").count(talk), 1);

    const QString shmZev = shm.filePath(QStringLiteral("packed.zev"));
    ASSERT_TRUE(QFile::copy(dir.path("packed.zev"), shmZev));
    EventDocument opened;
    const EventReadResult result = open(shmZev, opened);
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(dir.readFile("import/Talk.ppt"), talk);
}

TEST_F(ZippedEventExportTest, ExportToAStickIsWrittenWhole)
{
    // Large enough for the copy to wait on the disk several times along the way.
    QByteArray talk(15000000, Qt::Uninitialized);
    QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(talk.data()), talk.size() / 4);
    const QString talkPath = dir.writeFile("talks/Talk.ppt", talk);
    for (const char* name : {"Ann", "Bob", "Cy"})
        addSpeaker(QString::fromLatin1(name), talkPath);
    QDir().mkpath(dir.path("stick"));
    drives.set(dir.path("stick"), DriveTypeSource::Removable);

    ASSERT_EQ(exporter.exportTo(dir.path("stick/packed.zev")), ZippedEventExport::Outcome::Written);
    EventDocument opened;
    ASSERT_TRUE(open(dir.path("stick/packed.zev"), opened).ok());
    EXPECT_EQ(dir.readFile("import/Talk.ppt"), talk);
    EXPECT_EQ(dir.readFile("import/Talk3.ppt"), talk);
}
