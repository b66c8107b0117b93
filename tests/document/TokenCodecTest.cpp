#include "document/ImageBlockCodec.h"
#include "document/TokenReader.h"
#include "platform/ZlibCompressor.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/ReadBuffer.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const auto pattern = &ColourPictures::pattern;

struct Source
{
    explicit Source(const QByteArray& bytes) : buffer(bytes), in(buffer) {}
    ReadBuffer buffer;
    TokenReader in;
};

} // namespace

TEST(TokenReaderTest, NumbersParseLenientlyAndCountsStrictly)
{
    for (const auto& [text, value] : {std::pair{"  12abc", 12.0},
                                      {"abc", 0.0},
                                      {"-3.5e1x", -35.0},
                                      {"1D2", 100.0},
                                      {".5", 0.5}})
        EXPECT_DOUBLE_EQ(TokenReader::leadingNumber(text), value) << text;
    EXPECT_EQ(TokenReader::leadingInteger("2.5"), 2); // rounded half to even
    EXPECT_EQ(TokenReader::leadingInteger("1e300"), std::nullopt);
    EXPECT_EQ(TokenReader::leadingInteger("9.2e18"), std::nullopt) << "kept clear of the limit";
    EXPECT_EQ(TokenReader::leadingInteger("9.1e18"), Q_INT64_C(9100000000000000000));

    EXPECT_EQ(TokenReader::strictInteger(" -4 "), -4);
    for (const char* bad : {"1x", "2.x", "99999999999999999999"})
        EXPECT_EQ(TokenReader::strictInteger(bad), std::nullopt) << bad;

    // Tokens drop their first byte, stop at the first bracket and have a limit. An unclosed
    // token at the end of a file: EventFileTest.
    Source source("[Version]x5.2]][  42abc]");
    EXPECT_EQ(source.in.ReadToken(), "Version");
    EXPECT_EQ(source.in.ReadToken(), "5.2");
    EXPECT_EQ(source.in.ReadToken(), "");
    EXPECT_EQ(source.in.readNumber(), 42);
    EXPECT_FALSE(source.in.hasError());
    EXPECT_TRUE(source.in.atEnd());

    Source tooLong('[' + QByteArray(TokenReader::MaxTokenBytes + 1, 'a') + ']');
    tooLong.in.readTokenBytes();
    EXPECT_TRUE(tooLong.in.errorMessage().contains("64 KiB"));

    // A failed number reads as 0; a picture may be a single byte long.
    Source numbers("[1e300][5]");
    EXPECT_EQ(numbers.in.readNumber(), 0);
    EXPECT_TRUE(numbers.in.errorMessage().contains("too large"));
    Source oneByte("[1][0]z[4]");
    const ImageBlockCodec::Block block = oneByte.in.readImageBlock();
    EXPECT_FALSE(oneByte.in.hasError()) << oneByte.in.errorMessage().toStdString();
    EXPECT_EQ(block.compressed, "z");
    EXPECT_EQ(block.sizeValue, 1);
}

TEST(ImageBlockCodecTest, ZlibInflatesToTheExactSizeOnlyAndUnchangedPicturesAreNotEncodedAgain)
{
    const QByteArray plain = QByteArray("event picture ").repeated(500);
    const QByteArray packed = ZlibCompressor::compress(plain);
    EXPECT_EQ(ZlibCompressor::decompress(packed, plain.size() - 1), plain);
    EXPECT_EQ(ZlibCompressor::decompress(packed, plain.size()), std::nullopt);
    // Sizes the input cannot inflate to are refused before anything is allocated.
    EXPECT_EQ(ZlibCompressor::decompress(packed, std::numeric_limits<qint64>::max()), std::nullopt);
    const QByteArray zeros(4 * 1024 * 1024, '\0');
    EXPECT_EQ(ZlibCompressor::decompress(ZlibCompressor::compress(zeros), zeros.size() - 1), zeros);

    // Unchanged pictures are not encoded again (a picture's round trip: EventFileTest).
    ImageBlockCodec codec;
    const QImage image = pattern(64, 48, 3);
    const auto block = codec.encode(image);
    ASSERT_TRUE(block);

    // A block read from a file is written back verbatim, even when this program would have
    // packed the picture differently.
    const QByteArray file = ImageBlockCodec::pictureFileBytes(image);
    // qCompress() puts the size in four bytes before a zlib stream of the level asked for.
    const ImageBlockCodec::Block foreign{file.size() - 1, qCompress(file, 9).mid(4)};
    ASSERT_NE(foreign.compressed, block->compressed);
    const auto fromFile = codec.decode(foreign);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(codec.encode(*fromFile)->compressed, foreign.compressed);

    // A changed picture gets a new key and is encoded afresh.
    QImage changed = *fromFile;
    changed.setPixel(0, 0, qRgb(1, 2, 3));
    const auto changedBlock = codec.encode(changed);
    EXPECT_NE(changedBlock->compressed, foreign.compressed);
    EXPECT_EQ(*codec.decode(*changedBlock), changed);

    EXPECT_EQ(codec.encode(QImage()), std::nullopt);
}
