#include "platform/DropFilesBlock.h"
#include "platform/MimeTransfer.h"
#include "platform/widgets/QtClipboardService.h"
#include "tests/fakes/ColourPictures.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const auto pattern = &ColourPictures::pattern;

QByteArray header(quint32 offset, quint32 wide)
{
    QByteArray block(DropFilesBlock::HeaderBytes, '\0');
    qToLittleEndian<quint32>(offset, block.data());
    qToLittleEndian<quint32>(wide, block.data() + 16);
    return block;
}

const QStringList Talks = {QStringLiteral("/home/op/Talks/Opening talk.pptx"),
                           QStringLiteral("/media/op/STICK/Über uns.ppt")};

} // namespace

TEST(MimeTransferTest, FileListsTravelInEveryFormTheDesktopUsesAndGarbageGivesNoPaths)
{
    const QByteArray block = DropFilesBlock::encode(Talks);
    EXPECT_EQ(block.left(20), header(20, 0));
    EXPECT_EQ(DropFilesBlock::decode(block), Talks);

    EXPECT_TRUE(DropFilesBlock::decode(QByteArray(19, '\x14')).isEmpty());
    EXPECT_TRUE(DropFilesBlock::decode(header(0xFFFFFFFFu, 0) + QByteArray("/x\0\0", 4)).isEmpty());
    // The last name lost its end: only complete names count.
    EXPECT_EQ(DropFilesBlock::decode(header(20, 0) + QByteArray("/a.ppt\0/b.p", 11)),
              QStringList{"/a.ppt"});

    // File lists travel in every form the desktop uses, and pictures are found by decoding.
    QMimeData written;
    MimeTransfer::putFileList(&written, Talks);
    EXPECT_TRUE(written.data(MimeTransfer::GnomeCopiedFilesType).startsWith("copy\nfile:///"));
    // Each form alone is enough, the way different programs offer only one.
    for (const QString& type : {MimeTransfer::UriListType, MimeTransfer::GnomeCopiedFilesType,
                                MimeTransfer::DropFilesType}) {
        QMimeData single;
        single.setData(type, written.data(type));
        EXPECT_EQ(MimeTransfer::fileList(&single), Talks) << type.toStdString();
    }
    QMimeData cut;
    cut.setData(MimeTransfer::GnomeCopiedFilesType,
                "cut\r\nfile:///tmp/a%20b.ppt\r\nfile://localhost/tmp/c.ppt\r\n");
    EXPECT_EQ(MimeTransfer::fileList(&cut), QStringList({"/tmp/a b.ppt", "/tmp/c.ppt"}));
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/talk.pptx"), QUrl("file://server/share/t.ppt"),
                    QUrl::fromLocalFile("/tmp/local.ppt")});
    EXPECT_EQ(MimeTransfer::fileList(&remote), QStringList{"/tmp/local.ppt"});
    QMimeData text;
    text.setText(QStringLiteral("/tmp/looks-like-a-path.ppt"));
    text.setData(MimeTransfer::GnomeCopiedFilesType, "move\nfile:///tmp/x.ppt");
    EXPECT_FALSE(MimeTransfer::hasFileList(&text));

    // The first picture that decodes wins.
    const QImage picture = pattern(8, 6, 2);
    QByteArray bmpBytes;
    QBuffer buffer(&bmpBytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "BMP"));
    QMimeData bmp;
    bmp.setData(QStringLiteral("image/png"), "not a png");
    bmp.setData(QStringLiteral("image/bmp"), bmpBytes);
    EXPECT_EQ(MimeTransfer::picture(&bmp).convertToFormat(QImage::Format_RGB32), picture);

    // Both round-trip through the application's clipboard.
    QClipboard* clipboard = QGuiApplication::clipboard();
    QtClipboardService service(*clipboard);
    clipboard->setText(QStringLiteral("plain words"));
    EXPECT_FALSE(service.hasFileList());
    ASSERT_TRUE(service.PutFileListOnClipboard(Talks));
    EXPECT_EQ(service.fileList(), Talks);
    service.putPicture(pattern(8, 6, 3));
    EXPECT_FALSE(service.hasFileList());
    EXPECT_EQ(service.picture().convertToFormat(QImage::Format_RGB32), pattern(8, 6, 3));
}
