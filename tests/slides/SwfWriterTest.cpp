#include "slides/SwfWriter.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/TestFolder.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>

#include <tuple>

#include <gtest/gtest.h>

namespace {

const QRgb Red = qRgb(255, 0, 0), Green = qRgb(0, 255, 0), Blue = qRgb(0, 0, 255),
           Yellow = qRgb(255, 255, 0);

// Four plain quadrants: red, green on top; blue, yellow below.
QByteArray quadrantJpeg(QSize size, QImage::Format format = QImage::Format_RGB32,
                        bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2, h = size.height() / 2;
    painter.fillRect(0, 0, w, h, QColor(Red));
    painter.fillRect(w, 0, size.width() - w, h, QColor(Green));
    painter.fillRect(0, h, w, size.height() - h, QColor(Blue));
    painter.fillRect(w, h, size.width() - w, size.height() - h, QColor(Yellow));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image.convertToFormat(format));
    return bytes;
}

// A parser that is not ours (python3-yaswfp) reads the movie: its header, every tag in order
// (a tag whose length disagrees with its content reads as "FailingObject"), the outline of the
// shape, and the bitmap's JPEG, saved to jpegOut.
const char* const Reader = R"(
import json, sys
from yaswfp import swfparser
with open(sys.argv[1], 'rb') as fh:
    p = swfparser.SWFParser(fh)
    out = {'readTo': fh.tell(), 'size': fh.seek(0, 2)}
h = p.header
out.update(signature=h.Signature, length=h.FileLength, frame=list(h.FrameSize),
           frames=h.FrameCount, tags=[type(t).__name__ for t in p.tags])
for t in p.tags:
    kind = type(t).__name__
    if kind == 'DefineBitsJPEG2':
        out['bitmap'] = t.CharacterID
        open(sys.argv[2], 'wb').write(b'\xff\xd8' + t.ImageData)
    elif kind == 'DefineShape':
        styles = t.Shapes.FillStyles.FillStyles
        m = styles[0].BitmapMatrix
        x = y = 0
        outline, fills = [], []
        for r in t.Shapes.ShapeRecords:
            if type(r).__name__ == 'StyleChangeRecord':
                if r.StateMoveTo:
                    x, y = r.MoveDeltaX, r.MoveDeltaY
                fills += [getattr(r, 'FillStyle0', 0), getattr(r, 'FillStyle1', 0)]
            else:
                x += getattr(r, 'DeltaX', 0)
                y += getattr(r, 'DeltaY', 0)
            outline.append([x, y])
        out['shape'] = dict(id=t.ShapeId, bounds=list(t.ShapeBounds), outline=outline,
                            fills=fills, styles=[[s.FillStyleType, s.BitmapId] for s in styles],
                            scale=[m.ScaleX, m.ScaleY], rotates=m.HasRotate,
                            moves=[m.TranslateX or 0, m.TranslateY or 0])
    elif kind == 'PlaceObject2':
        out['placed'] = [t.CharacterId, t.Depth, t.PlaceFlagMove]
print(json.dumps(out))
)";

QJsonObject readMovie(const QString& swfPath, const QString& jpegOut)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(Reader), swfPath, jpegOut});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        ADD_FAILURE() << "the reader failed: " << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// A value as compact JSON text, for comparisons that print readably.
std::string json(const QJsonValue& value)
{
    return QJsonDocument(QJsonArray{value})
        .toJson(QJsonDocument::Compact)
        .mid(1)
        .chopped(1)
        .toStdString();
}

// Everything in folder, hidden files too.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

TEST(SwfWriter, SlideMoviesOfEveryShapeReadBackWholeThroughAnIndependentParser)
{
    TestFolder folder;
    const QByteArray jpeg = quadrantJpeg({1024, 768});
    folder.writeFile("h140509.jpg", jpeg);
    folder.writeFile("h140509.swf", "an older export");
    ASSERT_EQ(SwfWriter::convert(folder.path("h140509")), QString());

    const QJsonObject movie = readMovie(folder.path("h140509.swf"), folder.path("out.jpg"));
    // A rectangle over the whole frame, clockwise, filled with that bitmap pixel for pixel (a
    // clipped bitmap fill, 65, of bitmap 1, at 20.0 twips a pixel in 16.16) and placed at depth 1;
    // the End tag is the last thing in the file, whose length the header states.
    const QString size = QString::number(QFileInfo(folder.path("h140509.swf")).size());
    EXPECT_EQ(json(movie),
              QString(R"({"bitmap":1,"frame":[0,20480,0,15360],"frames":1,"length":%1,)"
                      R"("placed":[2,1,0],"readTo":%1,"shape":{"bounds":[0,20480,0,15360],)"
                      R"("fills":[0,1],"id":2,"moves":[0,0],)"
                      R"("outline":[[0,0],[20480,0],[20480,15360],[0,15360],[0,0]],"rotates":0,)"
                      R"("scale":[1310720,1310720],"styles":[[65,1]]},"signature":"FWS","size":%1,)"
                      R"("tags":["DefineBitsJPEG2","DefineShape","PlaceObject2","ShowFrame"]})")
                  .arg(size)
                  .toStdString());

    // The bitmap is the JPEG as it was, and it decodes to the same picture.
    EXPECT_EQ(folder.readFile("out.jpg"), jpeg);
    const QImage shown = QImage::fromData(folder.readFile("out.jpg"), "JPEG");
    ASSERT_EQ(shown.size(), QSize(1024, 768));
    for (const auto& [x, y, colour] :
         {std::tuple{256, 192, Red}, {768, 192, Green}, {256, 576, Blue}, {768, 576, Yellow}})
        EXPECT_TRUE(ColourPictures::near(shown.pixel(x, y), colour)) << x << "," << y;

    // The same bytes from memory make the same file; nothing else is left in the folder.
    ASSERT_EQ(SwfWriter::writeBytes(jpeg, folder.path("again.swf")), QString());
    EXPECT_EQ(folder.readFile("again.swf"), folder.readFile("h140509.swf"));
    EXPECT_EQ(entries(folder.path()),
              QStringList({"again.swf", "h140509.jpg", "h140509.swf", "out.jpg"}));

    // Pictures of other shapes are stretched over the frame (a plain 16:9 one, as a player draws
    // it: e2e.web_windows), progressive and grey ones too.
    for (const auto& [size, format, progressive] :
         {std::tuple{QSize(1920, 1080), QImage::Format_RGB32, true},
          {QSize(333, 1001), QImage::Format_Grayscale8, false}}) {
        SCOPED_TRACE(size.width());
        const QByteArray jpeg = quadrantJpeg(size, format, progressive);
        ASSERT_EQ(SwfWriter::writeBytes(jpeg, folder.path("p.swf")), QString());
        const QJsonObject movie = readMovie(folder.path("p.swf"), folder.path("p.jpg"));
        EXPECT_EQ(json(movie["frame"]), "[0,20480,0,15360]");
        EXPECT_EQ(folder.readFile("p.jpg"), jpeg);
        // The picture's far edges land on the frame's, to within a twip.
        const QJsonArray scale = movie["shape"].toObject()["scale"].toArray();
        EXPECT_NEAR(scale[0].toDouble() * size.width() / 65536, 20480, 1);
        EXPECT_NEAR(scale[1].toDouble() * size.height() / 65536, 15360, 1);
    }
}

TEST(SwfWriter, BadInputFailsWithAReasonAndLeavesNothingBehind)
{
    TestFolder folder;
    const QByteArray jpeg = quadrantJpeg({1024, 768});
    folder.writeFile("good.jpg", jpeg);
    folder.writeFile("text.jpg", "Speaker list\r\n");
    folder.writeFile("cut.jpg", jpeg.left(100)); // its tables, but no frame header yet
    QByteArray lossless("\xff\xd8\xff\xc3\x00\x0b\x08\x03\x00\x04\x00\x01\x01\x11\x00", 15);
    folder.writeFile("lossless.jpg", lossless);
    // Frame headers of a 16×16 picture: one whose component specifications are cut off, one
    // that is whole, one that names no components at all, and one 0 pixels wide.
    const QByteArray start("\xff\xd8\xff\xc0", 4), frame("\x08\x00\x10\x00\x10\x01", 6);
    folder.writeFile("short.jpg", start + QByteArray("\x00\x0a", 2) + frame + "\x01\x11");
    EXPECT_EQ(SwfWriter::jpegSize(start + QByteArray("\x00\x0b", 2) + frame +
                                  QByteArray("\x01\x11\x00", 3)),
              QSize(16, 16));
    folder.writeFile("stub.jpg", QByteArray("\xff\xd8\xff", 3));
    folder.writeFile("none.jpg", start + QByteArray("\x00\x08\x08\x00\x10\x00\x10\x00", 8));
    folder.writeFile("narrow.jpg", start + QByteArray("\x00\x0b\x08\x00\x10\x00\x00\x01", 8) +
                                       QByteArray("\x01\x11\x00", 3));
    folder.writeFile("file", "not a folder");
    QDir().mkpath(folder.path("folder.jpg"));
    folder.writeFile("old.swf", "the previous export");
    const QStringList before = entries(folder.path());

    const QString out = folder.path("out.swf");
    const std::tuple<const char*, QString, const char*> cases[] = {
        {"missing.jpg", out, "does not exist"},
        {"text.jpg", out, "not a JPEG"},
        {"cut.jpg", out, "no frame header"},
        {"lossless.jpg", out, "cannot show"},
        {"short.jpg", out, "short frame header"},
        {"stub.jpg", out, "not a JPEG"},
        {"none.jpg", out, "0 colour channels"},
        {"narrow.jpg", out, "without a size"},
        {"folder.jpg", out, "not a file"},
        {"good.jpg", folder.path("none/out.swf"), "none/out.swf"},
        {"good.jpg", folder.path("file/out.swf"), "file/out.swf"}};
    for (const auto& [input, target, reason] : cases) {
        const QString error = SwfWriter::writeFile(folder.path(input), target);
        EXPECT_TRUE(error.contains(reason)) << input << ": " << error.toStdString();
    }

    // A disk that fills up midway keeps the earlier file whole and takes the partial one away.
    {
        FileSizeLimit full(jpeg.size() / 2);
        EXPECT_FALSE(
            SwfWriter::writeFile(folder.path("good.jpg"), folder.path("old.swf")).isEmpty());
    }
    EXPECT_EQ(folder.readFile("old.swf"), "the previous export");
    EXPECT_EQ(entries(folder.path()), before);
}

} // namespace
