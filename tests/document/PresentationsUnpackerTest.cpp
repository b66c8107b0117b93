#include "PresentationsUnpacker.h"
#include "FileSizeLimit.h"
#include "TestFolder.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray entry(const QByteArray& name, const QByteArray& bytes)
{
    return '[' + QByteArray::number(name.size()) + ']' + name + '[' +
           QByteArray::number(bytes.size()) + ']' + bytes;
}

QByteArray block(const QList<QByteArray>& entries, qint64 total = 0)
{
    QByteArray bytes =
        '[' + QByteArray::number(total) + "][" + QByteArray::number(entries.size()) + ']';
    for (const QByteArray& e : entries)
        bytes += e;
    return bytes + "[End Data]";
}

// Every file under folder, relative to it, links included.
QStringList filesUnder(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

class PresentationsUnpackerTest : public ::testing::Test
{
protected:
    PresentationsUnpacker::Outcome unpack(const QByteArray& bytes, int entries)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return PresentationsUnpacker::unpack(buffer, importDir(), entries);
    }

    QString importDir() const { return m_folder.path("deep/import/"); }

    void SetUp() override { QDir().mkpath(importDir()); }

    TestFolder m_folder;
};

} // namespace

TEST_F(PresentationsUnpackerTest, NamesThatAreNotPlainFileNamesAreRefusedAndNothingIsWritten)
{
    const struct
    {
        QByteArray name;
        const char* reason;
    } hostile[] = {
        {"", "empty name"},
        {"[", "empty name"}, // "[0]" is a counted string of no bytes; the next byte is data
        {"../escape.ppt", "not a plain file name"},
        {"a/b.ppt", "not a plain file name"},
        {".", "not a plain file name"},
        {"..", "not a plain file name"},
        {QByteArray("nul\0.ppt", 8), "NUL character"},
        {QByteArray(256, 'x'), "longer than 255 bytes"},
        {QByteArray(2000000, 'y'), "longer than 255 bytes"},
        // Invalid UTF-8 grows to three bytes a character as a file name.
        {QByteArray(100, '\xff'), "longer than 255 bytes"},
    };
    for (const auto& [name, reason] : hostile) {
        SCOPED_TRACE(name.left(40).toStdString());
        const QByteArray bytes = name == "[" ? block({"[0][1]x"}) // a name of no bytes
                                             : block({entry(name, "data")});
        const PresentationsUnpacker::Outcome outcome = unpack(bytes, 1);
        EXPECT_TRUE(outcome.error.contains(reason)) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.targets.isEmpty());
        EXPECT_EQ(filesUnder(m_folder.path()), QStringList());
    }

    // The longest name that is allowed comes through.
    const QByteArray longest(255, 'n');
    const PresentationsUnpacker::Outcome fine = unpack(block({entry(longest, "data")}), 1);
    ASSERT_TRUE(fine.ok()) << fine.error.toStdString();
    EXPECT_EQ(fine.targets, QStringList{importDir() + QString::fromLatin1(longest)});
}

TEST_F(PresentationsUnpackerTest, DamageIsFoundBeforeAnythingIsWrittenForTheEntry)
{
    const QByteArray first = entry("First.ppt", "first bytes");
    const struct
    {
        const char* what;
        QByteArray bytes;
        int entries;
        const char* reason;
    } damaged[] = {
        {"too many entries", block({first, first}), 1, "carries 2 presentations"},
        {"a count the file cannot hold", "[0][99999999999][]", 99, "carries"},
        {"a length past the end", block({first, "[4]Talk[1000000000000]abc"}), 2, "ends before"},
        {"a negative length", block({first, "[4]Talk[-5]abc"}), 2, "negative"},
        {"a name length that is no number", block({first, "[x4]Talk[3]abc"}), 2, "not a number"},
        {"cut inside a name", "[0][2]" + first + "[9]Tal", 2, "past the end"},
        {"cut in the data", "[0][2]" + first + "[4]Talk[5]ab", 2, "ends before"},
        {"no entries at all", "[0][2]", 2, "ends before"},
    };
    for (const auto& [what, bytes, entries, reason] : damaged) {
        SCOPED_TRACE(what);
        QDir(importDir()).removeRecursively();
        QDir().mkpath(importDir());
        const PresentationsUnpacker::Outcome outcome = unpack(bytes, entries);
        EXPECT_TRUE(outcome.error.contains(reason)) << outcome.error.toStdString();
        // Whatever was complete before the damage stays; nothing else is there.
        const QStringList files = filesUnder(m_folder.path());
        EXPECT_TRUE(files.isEmpty() || files == QStringList{"deep/import/First.ppt"})
            << files.join(", ").toStdString();
        if (!files.isEmpty()) {
            EXPECT_EQ(m_folder.readFile("deep/import/First.ppt"), "first bytes");
        }
    }

    QDir(importDir()).removeRecursively();
    EXPECT_TRUE(unpack(block({first}), 1).error.contains("does not exist"));
}

// Large presentations and the progress: ZippedEventExportTest, SetupWindowTest.
TEST_F(PresentationsUnpackerTest, TakenNamesGetTheNextFreeNumberAndLinksAreNeverFollowed)
{
    m_folder.writeFile("deep/import/Talk.ppt", "someone else's talk");
    // A link that leads outside the folder is never followed, even one that leads nowhere.
    QFile::link(m_folder.path("outside.ppt"), importDir() + "Talk2.ppt");

    const PresentationsUnpacker::Outcome outcome =
        unpack(block({entry("Talk.ppt", "first"), "[]", entry("Talk.ppt", "second"),
                      entry("Loop.pps", "loop")}),
               4);
    ASSERT_TRUE(outcome.ok()) << outcome.error.toStdString();
    EXPECT_EQ(outcome.targets, QStringList({importDir() + "Talk3.ppt", QString(),
                                            importDir() + "Talk4.ppt", importDir() + "Loop.pps"}));
    EXPECT_EQ(m_folder.readFile("deep/import/Talk3.ppt"), "first");
    EXPECT_EQ(m_folder.readFile("deep/import/Talk4.ppt"), "second");
    EXPECT_EQ(m_folder.readFile("deep/import/Talk.ppt"), "someone else's talk");
    EXPECT_FALSE(QFile::exists(m_folder.path("outside.ppt")));
}

TEST_F(PresentationsUnpackerTest, AFullDiskEndsTheUnpackingWithAMessageAndNoPartialFile)
{
    const QByteArray small("small talk");
    const QByteArray big(3000000, 'b');
    const PresentationsUnpacker::Outcome outcome = [&] {
        const FileSizeLimit full(1500000);
        return unpack(block({entry("Small.ppt", small), entry("Big.ppt", big)}), 2);
    }();

    EXPECT_TRUE(outcome.error.contains("Big.ppt could not be written"))
        << outcome.error.toStdString();
    EXPECT_EQ(filesUnder(importDir()), QStringList{"Small.ppt"});
    EXPECT_EQ(m_folder.readFile("deep/import/Small.ppt"), small);
}
