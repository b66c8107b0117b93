#include "document/PresentationsUnpacker.h"
#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/ReadBuffer.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
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

class PresentationsUnpackerTest : public ::testing::Test
{
protected:
    PresentationsUnpacker::Outcome unpack(const QByteArray& bytes, int entries)
    {
        ReadBuffer buffer(bytes);
        return PresentationsUnpacker::unpack(buffer, importDir(), entries);
    }

    QString importDir() const { return m_folder.path("deep/import/"); }

    void SetUp() override { QDir().mkpath(importDir()); }

    TestFolder m_folder;
};

} // namespace

TEST_F(PresentationsUnpackerTest, HostileNamesAndDamageAreFoundBeforeTheEntryIsWritten)
{
    const QByteArray first = entry("First.ppt", "first bytes");
    QList<std::tuple<QByteArray, int, const char*>> cases = {
        {block({first, first}), 1, "carries 2 presentations"},
        {block({first, "[4]Talk[1000000000000]abc"}), 2, "ends before"},
        {block({first, "[4]Talk[-5]abc"}), 2, "negative"},
        {"[0][2]" + first + "[4]Talk[5]ab", 2, "ends before"},
        {"[0][1][200]Talk", 1, "runs past the end"}};
    for (const auto& [name, reason] : {std::pair<QByteArray, const char*>{"", "empty name"},
                                       {"../escape.ppt", "not a plain file name"},
                                       {".", "not a plain file name"},
                                       {"..", "not a plain file name"},
                                       {QByteArray("nul\0.ppt", 8), "NUL character"},
                                       {QByteArray(256, 'x'), "longer than 255 bytes"}})
        cases.append({block({first, entry(name, "data")}), 2, reason});

    for (const auto& [bytes, entries, reason] : cases) {
        SCOPED_TRACE(reason);
        QDir(importDir()).removeRecursively();
        QDir().mkpath(importDir());
        const PresentationsUnpacker::Outcome outcome = unpack(bytes, entries);
        EXPECT_TRUE(outcome.error.contains(reason)) << outcome.error.toStdString();
        // Whatever was complete before the damage stays; nothing else is there.
        const QStringList files = TestFolder::filesUnder(m_folder.path());
        EXPECT_TRUE(files.isEmpty() || files == QStringList{"deep/import/First.ppt"})
            << files.join(", ").toStdString();
        if (!files.isEmpty()) {
            EXPECT_EQ(m_folder.readFile("deep/import/First.ppt"), "first bytes");
        }
    }

    const QByteArray longest(255, 'n');
    const PresentationsUnpacker::Outcome fine = unpack(block({entry(longest, "data")}), 1);
    ASSERT_TRUE(fine.ok()) << fine.error.toStdString();
    EXPECT_EQ(fine.targets, QStringList{importDir() + QString::fromLatin1(longest)});

    QDir(importDir()).removeRecursively();
    EXPECT_TRUE(unpack(block({first}), 1).error.contains("does not exist"));
}

// Large presentations and the progress: ZippedEventExportTest, SetupWindowTest. A full disk
// ends the unpacking with a message and no partial file.
TEST_F(PresentationsUnpackerTest, TakenNamesGetTheNextFreeNumberLinksAreNeverFollowedAndDisksFill)
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

    QDir(importDir()).removeRecursively();
    QDir().mkpath(importDir());
    const PresentationsUnpacker::Outcome full = [&] {
        const FileSizeLimit limit(1500000);
        return unpack(
            block({entry("Small.ppt", "small"), entry("Big.ppt", QByteArray(3000000, 'b'))}), 2);
    }();
    EXPECT_TRUE(full.error.contains("Big.ppt could not be written")) << full.error.toStdString();
    EXPECT_EQ(TestFolder::filesUnder(importDir()), QStringList{"Small.ppt"});
}
