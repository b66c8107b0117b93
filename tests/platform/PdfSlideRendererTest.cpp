#include "platform/libreoffice/PdfSlideRenderer.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/TestFolder.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace {

using Format = PresentationDocument::ImageFormat;

// A wide PDF of one plain colour a page, with a white band along its left edge, as the office
// writes a 16:9 deck.
QString writePdf(const TestFolder& folder, const QList<QRgb>& colours)
{
    const QString path = folder.path("deck.pdf");
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(280, 157.5), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(72);
    QPainter painter(&writer);
    for (qsizetype i = 0; i < colours.size(); ++i) {
        if (i > 0)
            writer.newPage();
        const QRect page = painter.viewport();
        painter.fillRect(page, QColor(colours[i]));
        painter.fillRect(QRect(0, 0, page.width() / 10, page.height()), Qt::white);
    }
    return path;
}

} // namespace

// Pages are drawn ahead on several threads, yet files appear and are reported strictly in page
// order, stretched to the exact size, and nothing is written past the page where the caller
// stops. What it cannot draw fails with nothing written.
TEST(PdfSlideRenderer, WritesPagesInOrderAtTheExactSizeStopsWhereToldAndRefusesWhatItCannot)
{
    TestFolder folder;
    const QList<QRgb> colours = ColourPictures::colours(6);
    const QString pdf = writePdf(folder, colours);
    const auto name = [&](int page) { return folder.path(QStringLiteral("s%1.jpg").arg(page)); };
    QList<int> reported;
    const PresentationStatus status = PdfSlideRenderer::render(
        pdf, 6, name, Format::Jpeg, 333, 250,
        [&](int page, const PresentationStatus& written) {
            EXPECT_TRUE(written.ok()) << written.error().toStdString();
            reported << page;
            // Everything before this page is there, nothing after it.
            for (int other = 1; other <= 6; ++other)
                EXPECT_EQ(QFile::exists(name(other)), other <= page) << page << " " << other;
            return page < 4;
        },
        3);
    ASSERT_TRUE(status.ok()) << status.error().toStdString();
    EXPECT_EQ(reported, QList<int>({1, 2, 3, 4}));
    for (int page = 1; page <= 4; ++page) {
        const QImage image(name(page));
        ASSERT_EQ(image.size(), QSize(333, 250));
        EXPECT_TRUE(ColourPictures::near(image.pixel(250, 125), colours[page - 1]));
        // The band keeps its share of the width: the page was stretched, not cropped.
        EXPECT_TRUE(ColourPictures::near(image.pixel(28, 125), qRgb(255, 255, 255)));
        EXPECT_TRUE(ColourPictures::near(image.pixel(38, 125), colours[page - 1]));
    }
    EXPECT_EQ(QDir(folder.path()).entryList({"*.jpg"}).size(), 4);

    // What the renderer cannot take fails before a single page is written or reported, so that
    // the office can export the slides itself instead.
    const QString notPdf = folder.writeFile("deck.pdf.txt", "%PDF-1.4 but nothing more");
    const auto more = [&](int page) { return folder.path(QStringLiteral("m%1.png").arg(page)); };
    int reports = 0;
    const auto count = [&](int, const PresentationStatus&) { return ++reports > 0; };
    EXPECT_FALSE(PdfSlideRenderer::render(notPdf, 6, more, Format::Jpeg, 100, 75, count).ok());
    // A PDF whose pages are not the slides counted.
    EXPECT_FALSE(PdfSlideRenderer::render(pdf, 7, more, Format::Jpeg, 100, 75, count).ok());
    EXPECT_FALSE(PdfSlideRenderer::render(pdf, 6, more, Format::Jpeg, 0, 75, count).ok());
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(QDir(folder.path()).entryList({"m*"}).size(), 0);

    // A file that cannot be written is that page's failure; the others are written.
    QDir().mkpath(more(2));
    QList<bool> outcomes;
    EXPECT_TRUE(PdfSlideRenderer::render(pdf, 6, more, Format::Png, 100, 75,
                                         [&](int, const PresentationStatus& written) {
                                             outcomes << written.ok();
                                             return true;
                                         })
                    .ok());
    EXPECT_EQ(outcomes, QList<bool>({true, false, true, true, true, true}));
    EXPECT_EQ(QImage(more(3)).size(), QSize(100, 75));
}
