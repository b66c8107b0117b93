#include "ColourPictures.h"
#include "ImageBlockCodec.h"
#include "PopUpsFileReader.h"
#include "PopUpsFileWriter.h"
#include "TestFolder.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

const auto pattern = &ColourPictures::pattern;

using PopUps = std::array<PopUpSlot, 10>;

PopUps allUsed()
{
    PopUps popUps;
    for (int i = 0; i < 10; ++i)
        popUps[size_t(i)] = {QStringLiteral("old %1").arg(i), pattern(8, 6, i), pattern(4, 3, i)};
    return popUps;
}

class PopUpsFileTest : public ::testing::Test
{
protected:
    PopUpsFileReader::Result read(const QByteArray& bytes, PopUps& into)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return m_reader.read(buffer, into);
    }

    void loadedCheck(const QByteArray& bytes, const PopUps& expected)
    {
        PopUps loaded = allUsed();
        ASSERT_TRUE(read(bytes, loaded).ok());
        for (size_t i = 0; i < loaded.size(); ++i) {
            EXPECT_EQ(loaded[i].Name, expected[i].Name) << i;
            EXPECT_EQ(loaded[i].Full, expected[i].Full) << i;
        }
    }

    static void expectAllEmpty(const PopUps& popUps)
    {
        for (size_t i = 0; i < popUps.size(); ++i) {
            EXPECT_FALSE(popUps[i].isUsed()) << i;
            EXPECT_EQ(popUps[i].Name, PopUpSlot::EmptyName) << i;
        }
    }

    TestFolder m_folder;
    ImageBlockCodec m_codec;
    PopUpsFileWriter m_writer{m_codec};
    PopUpsFileReader m_reader{m_codec};
};

} // namespace

TEST_F(PopUpsFileTest, AnythingButAWholePopUpsFileLeavesEverySlotEmpty)
{
    PopUps two;
    two[0] = {QStringLiteral("A"), pattern(32, 24, 1), pattern(8, 6, 1)};
    two[3] = {QStringLiteral("B"), pattern(32, 24, 2), pattern(8, 6, 2)};
    // Written over a longer set: nothing of the old file is left behind.
    ASSERT_TRUE(m_writer.write(allUsed(), m_folder.path("two.evp")));
    ASSERT_TRUE(m_writer.write(two, m_folder.path("two.evp")));
    const QByteArray whole = m_folder.readFile("two.evp");
    loadedCheck(whole, two);

    PopUps loaded = allUsed();
    const auto other = read("[vesk stagor][Version][5.2]", loaded);
    EXPECT_EQ(other.status, PopUpsFileReader::Result::Status::NotPopUpsFile);
    EXPECT_TRUE(other.message.isEmpty());
    expectAllEmpty(loaded);

    // Every cut through the file, and a slot number out of range.
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        loaded = allUsed();
        const auto result = read(whole.left(cut), loaded);
        EXPECT_FALSE(result.ok()) << cut;
        expectAllEmpty(loaded);
    }
    loaded = allUsed();
    const auto outOfRange = read(QByteArray(whole).replace("[3][1]B", "[10][1]B"), loaded);
    EXPECT_EQ(outOfRange.status, PopUpsFileReader::Result::Status::Damaged);
    EXPECT_TRUE(outOfRange.message.contains("outside 0 to 9")) << outOfRange.message.toStdString();
    expectAllEmpty(loaded);

    loaded = allUsed();
    EXPECT_EQ(m_reader.read(m_folder.path("missing.evp"), loaded).status,
              PopUpsFileReader::Result::Status::CannotOpen);
    expectAllEmpty(loaded);
}
