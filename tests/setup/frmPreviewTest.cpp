#include "frmPreview.h"
#include "TestFolder.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Thumbnails whose width tells them apart: slide n is 10 * n pixels wide.
void writeThumbnails(const TestFolder& dir, int count)
{
    QDir().mkpath(dir.path("Preview"));
    for (int n = 1; n <= count; ++n) {
        QImage image(10 * n, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.save(dir.path(QStringLiteral("Preview/Slide%1.bmp").arg(n)), "BMP");
    }
}

} // namespace

// Inserting into a slot and closing with the presentation: LibreOfficeSetupTest.
TEST(frmPreviewTest, ScrollingShowsEachThumbnailAndInsertKeepsTheFocusOnTheScrollBar)
{
    TestFolder dir;
    writeThumbnails(dir, 3); // slide 4 of 4 has no thumbnail
    frmPreview preview(dir.path("Preview"), 4);
    QSignalSpy inserted(&preview, &frmPreview::insertRequested);
    EXPECT_EQ(preview.thumbnail().width(), 10);
    EXPECT_EQ(preview.slideLabel()->text(), "1");
    preview.scrollBar()->setValue(3);
    EXPECT_EQ(preview.thumbnail().width(), 30);
    EXPECT_EQ(preview.slideLabel()->text(), "3");
    preview.insertButton()->setFocus();
    preview.insertButton()->click();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).value<QImage>().width(), 30);
    EXPECT_EQ(preview.focusWidget(), preview.scrollBar());

    preview.scrollBar()->setValue(4);
    EXPECT_TRUE(preview.thumbnail().isNull());
    EXPECT_EQ(preview.slideLabel()->text(), "4");
    // It floats without taking the focus.
    preview.show();
    EXPECT_FALSE(preview.isActiveWindow());

    // No slides: nothing to show or insert.
    frmPreview empty(dir.path("nowhere"), 0);
    EXPECT_FALSE(empty.insertButton()->isEnabled());
    EXPECT_TRUE(empty.thumbnail().isNull());
}
