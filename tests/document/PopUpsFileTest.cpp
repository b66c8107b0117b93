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

bool allEmpty(const PopUps& popUps)
{
    return std::all_of(popUps.begin(), popUps.end(), [](const PopUpSlot& slot) {
        return !slot.isUsed() && slot.Name == PopUpSlot::EmptyName;
    });
}

} // namespace

// Another kind of file and the round trip through the menu: PopUpsFileCommandsTest.
TEST(PopUpsFileTest, AnythingButAWholePopUpsFileLeavesEverySlotEmpty)
{
    TestFolder folder;
    ImageBlockCodec codec;
    PopUpsFileWriter writer(codec);
    PopUpsFileReader reader(codec);
    const auto read = [&](const QByteArray& bytes, PopUps& into) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return reader.read(buffer, into);
    };

    PopUps two;
    two[0] = {QStringLiteral("A"), pattern(32, 24, 1), pattern(8, 6, 1)};
    two[3] = {QStringLiteral("B"), pattern(32, 24, 2), pattern(8, 6, 2)};
    // Written over a longer set: nothing of the old file is left behind.
    ASSERT_TRUE(writer.write(allUsed(), folder.path("two.evp")));
    ASSERT_TRUE(writer.write(two, folder.path("two.evp")));
    const QByteArray whole = folder.readFile("two.evp");
    PopUps loaded = allUsed();
    ASSERT_TRUE(read(whole, loaded).ok());
    for (size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(loaded[i].Name, two[i].Name) << i;
        EXPECT_EQ(loaded[i].Full, two[i].Full) << i;
    }

    // Every cut through the file, and a slot number out of range.
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        loaded = allUsed();
        EXPECT_FALSE(read(whole.left(cut), loaded).ok()) << cut;
        EXPECT_TRUE(allEmpty(loaded)) << cut;
    }
    loaded = allUsed();
    const auto outOfRange = read(QByteArray(whole).replace("[3][1]B", "[10][1]B"), loaded);
    EXPECT_EQ(outOfRange.status, PopUpsFileReader::Result::Status::Damaged);
    EXPECT_TRUE(outOfRange.message.contains("outside 0 to 9")) << outOfRange.message.toStdString();
    EXPECT_TRUE(allEmpty(loaded));

    loaded = allUsed();
    EXPECT_EQ(reader.read(folder.path("missing.evp"), loaded).status,
              PopUpsFileReader::Result::Status::CannotOpen);
    EXPECT_TRUE(allEmpty(loaded));
}
