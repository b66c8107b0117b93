#include "setup/ZippedEventExport.h"
#include "document/EventFileReader.h"
#include "document/EventFileWriter.h"
#include "document/ImageBlockCodec.h"
#include "document/PresentationsUnpacker.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/FileSizeLimit.h"
#include "tests/setup/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = ZippedEventExport::Outcome;
const auto pattern = &ColourPictures::pattern;

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Bytes that no compression shrinks, different for every seed.
QByteArray noise(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

class ZippedEventExportTest : public ::testing::Test, protected FakeServices
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

    // Opens a zipped event file into a fresh event of this machine.
    EventDocument open(const QString& path)
    {
        EventDocument into;
        into.DesktopFolder = doc.DesktopFolder;
        into.ImportDir = doc.ImportDir;
        into.EventFilePath = path;
        into.EventFileTitle = QFileInfo(path).fileName();
        PresentationsUnpacker extractor;
        ImageBlockCodec codec;
        const EventReadResult result = EventFileReader(codec, &extractor).read(path, into);
        EXPECT_TRUE(result.ok()) << result.message.toStdString();
        return into;
    }

    // The outcome of the export under way.
    Outcome ended()
    {
        QSignalSpy spy(&exporter, &ZippedEventExport::ended);
        EXPECT_TRUE(spy.wait(20000));
        return spy.isEmpty() ? Outcome::Failed : spy.first().first().value<Outcome>();
    }

    ZippedEventExport exporter{doc, messages, dialogs, freeSpace, drives};
};

} // namespace

TEST_F(ZippedEventExportTest, PresentationsTravelOncePerSpeakerAndUnpackUnderFreeNames)
{
    // An event without presentations opens under its own name; no file chosen does nothing.
    dialogs.queueChoice(dir.path("plain.zev"));
    ASSERT_TRUE(exporter.MnuExport_Click(dir.path()));
    ASSERT_EQ(ended(), Outcome::Written);
    EXPECT_EQ(dialogs.lastFilter(), "Zipped Stagor (zev) |*.zev");
    EXPECT_EQ(dialogs.lastReplaceQuestion(), FileDialogService::ReplaceQuestion::ByDialog)
        << "nobody would ask before an existing file is replaced";
    EXPECT_FALSE(dir.readFile("plain.zev").contains("[Presentations]"));
    const EventDocument plain = open(dir.path("plain.zev"));
    EXPECT_EQ(plain.EventFileTitle, "plain.zev");
    EXPECT_FALSE(exporter.MnuExport_Click(dir.path()));

    const QByteArray talk = noise(2400000, 7); // three chunks
    const QString talkPath = dir.writeFile("talks/Talk.ppt", talk);
    addSpeaker(QStringLiteral("Ann"), talkPath);
    addSpeaker(QStringLiteral("Bob"), talkPath);
    doc.QuickLaunchFile = dir.writeFile("talks/Loop.pps", "loop");

    int percent = -1;
    QObject::connect(&exporter, &ZippedEventExport::progressChanged, &exporter,
                     [&percent](const QString&, int now) {
                         EXPECT_GE(now, percent);
                         percent = now;
                     });
    dialogs.queueChoice(dir.path("packed.zev"));
    ASSERT_TRUE(exporter.MnuExport_Click(dir.path()));
    // Measured and written off this thread; another export meanwhile is refused.
    EXPECT_TRUE(exporter.isRunning());
    EXPECT_FALSE(exporter.exportTo(dir.path("other.zev")));
    EXPECT_EQ(ended(), Outcome::Written);
    EXPECT_FALSE(QFile::exists(dir.path("other.zev")));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
    EXPECT_EQ(doc.EventFilePath, dir.path("mine.evf"));

    const QByteArray packed = dir.readFile("packed.zev");
    EXPECT_EQ(packed.count(talk), 2);
    EXPECT_EQ(percent, 100);
    // The free-space check relies on the estimate being the size written, to the byte.
    ImageBlockCodec codec;
    EXPECT_EQ(EventFileWriter(codec).estimateSize(doc, true), packed.size());

    // Opened on "another computer" (the speakers' talks under free names: the stick below).
    const EventDocument opened = open(dir.path("packed.zev"));
    EXPECT_EQ(opened.QuickLaunchFile, dir.path("import/Loop.pps"));
    EXPECT_TRUE(opened.isUntitled());
}

TEST_F(ZippedEventExportTest, NoRoomWriteErrorsAndMissingFilesLeaveNoFileAndAStickGetsItWhole)
{
    addSpeaker(QStringLiteral("Ann"), dir.writeFile("Talk.ppt", QByteArray(3000000, 't')));
    ImageBlockCodec codec;
    const qint64 size = *EventFileWriter(codec).estimateSize(doc, true);
    // A tenth of the free space must exceed the size: exactly ten times is not enough.
    freeSpace.setFreeBytes(size * 10);
    ASSERT_TRUE(exporter.exportTo(dir.path("full.zev")));
    EXPECT_EQ(ended(), Outcome::NoSpace);
    EXPECT_EQ(messages.texts(), QStringList{"Insufficient Fee Space on Drive"});
    EXPECT_EQ(freeSpace.lastPath(), dir.path("full.zev"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"Talk.ppt"});

    freeSpace.setFreeBytes(size * 10 + 10);
    messages.clear();
    dir.writeFile("keep.zev", "previous export");
    const Outcome outcome = [&] {
        const FileSizeLimit full(1500000);
        EXPECT_TRUE(exporter.exportTo(dir.path("keep.zev")));
        return ended();
    }();
    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(messages.texts(), QStringList{"Error writing file."});
    EXPECT_EQ(dir.readFile("keep.zev"), "previous export");
    EXPECT_EQ(filesIn(dir.path()), QStringList({"Talk.ppt", "keep.zev"}));

    messages.clear();
    SpeakerRecord gone = doc.Speakers[0];
    gone.FilePath = dir.path("gone.ppt");
    doc.Speakers.ReplaceSpeakerAt(0, gone);
    ASSERT_TRUE(exporter.exportTo(dir.path("other.zev")));
    EXPECT_EQ(ended(), Outcome::Failed);
    EXPECT_TRUE(messages.last().contains("gone.ppt")) << messages.last().toStdString();
    EXPECT_FALSE(QFile::exists(dir.path("other.zev")));

    // Between file systems (memory-backed /dev/shm and the test folder's disk) the kernel will not
    // copy by itself, neither when packing nor when unpacking. The stick makes the copy wait on the
    // disk several times along the way.
    doc.Speakers.clear();
    freeSpace.setFreeBytes(qint64(1) << 50);
    QTemporaryDir shm(QStringLiteral("/dev/shm/stagor-test-XXXXXX"));
    ASSERT_TRUE(shm.isValid());
    const QByteArray talk = noise(15000000, 5);
    const QString talkPath = dir.writeFile(shm.filePath(QStringLiteral("Talk.ppt")), talk);
    for (const char* name : {"Ann", "Bob", "Cy"})
        addSpeaker(QString::fromLatin1(name), talkPath);
    QDir().mkpath(dir.path("stick"));
    drives.set(dir.path("stick"), DriveTypeSource::Removable);

    ASSERT_TRUE(exporter.exportTo(dir.path("stick/packed.zev")));
    ASSERT_EQ(ended(), Outcome::Written);
    doc.ImportDir = shm.path() + '/';
    EXPECT_EQ(open(dir.path("stick/packed.zev")).Speakers[2].FilePath, shm.filePath("Talk4.ppt"));
    EXPECT_EQ(dir.readFile(shm.filePath("Talk2.ppt")), talk);
    EXPECT_EQ(dir.readFile(shm.filePath("Talk4.ppt")), talk);
}
