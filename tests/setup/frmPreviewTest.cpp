#include "setup/widgets/frmPreview.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

// Inserting into a slot and closing with the presentation: LibreOfficeSetupTest.
TEST(frmPreviewTest, ScrollingShowsEachThumbnailAndInsertKeepsTheFocusOnTheScrollBar)
{
    // Slide n's thumbnail is 10 * n pixels wide; slide 4 of 4 has none.
    TestFolder dir;
    QDir().mkpath(dir.path("Preview"));
    for (int n = 1; n <= 3; ++n)
        ColourPictures::pattern(10 * n, 30, n)
            .save(dir.path(QStringLiteral("Preview/Slide%1.bmp").arg(n)), "BMP");
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

    // The thumbnail fills the room the window gives it.
    preview.show();
    preview.resize(900, 700);
    QCoreApplication::processEvents();
    QLabel* shown = nullptr;
    for (QLabel* label : preview.findChildren<QLabel*>())
        shown = label->accessibleDescription() == "ImgTPreview" ? label : shown;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->pixmap().height(), shown->contentsRect().height());

    preview.scrollBar()->setValue(4);
    EXPECT_TRUE(preview.thumbnail().isNull());
    EXPECT_EQ(preview.slideLabel()->text(), "4");

    // A presentation without slides: nothing to show, nothing to insert.
    frmPreview empty(dir.path("Preview"), 0);
    QSignalSpy none(&empty, &frmPreview::insertRequested);
    empty.ComInsert_Click();
    EXPECT_TRUE(empty.thumbnail().isNull() && empty.slideLabel()->text().isEmpty() &&
                none.isEmpty());
}
