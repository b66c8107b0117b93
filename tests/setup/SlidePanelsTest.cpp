#include "platform/MimeTransfer.h"
#include "setup/HoldingSlide.h"
#include "setup/PopUpSlots.h"
#include "setup/SlideIntake.h"
#include "setup/widgets/PopUpsPanel.h"
#include "setup/widgets/frmPreview.h"
#include "slides/SlideExtractor.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/setup/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;
const QSize kBox(240, 135);
const QSize kScreen(640, 360);

// The holding slide and the pop-up slots take pictures and presentations the same way; both
// run here against the scripted presentation program.
class SlidePanelsTest : public ::testing::Test, protected FakeServices
{
protected:
    SlidePanelsTest()
    {
        doc.RunFolder = dir.path("run");
        doc.AppFolder = dir.folder() + "app/";
        doc.SlideImageFormat =
            SlideFormat::Emf; // taken as a bitmap: metafiles cannot be drawn here
        QDir().mkpath(doc.RunFolder);
        QDir().mkpath(doc.AppFolder);
        panel.show();
    }

    QString picture(const QString& name, QSize size, QRgb colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(dir.path(name));
        return dir.path(name);
    }

    void dropFile(const QString& path, int slot = -1)
    {
        QMimeData mime;
        MimeTransfer::putFileList(&mime, {path});
        slot < 0 ? holding.drop(&mime) : popUps.drop(slot, &mime);
    }

    SlideExtractor extractor{presentations};
    SlideIntake intake{doc, extractor, kBox, kScreen};
    HoldingSlide holding{doc, intake, clipboard, dialogs, presentations};
    PopUpSlots popUps{doc, intake, clipboard, messages};
    PopUpsPanel panel{popUps, doc};
};

TEST_F(SlidePanelsTest, PicturesAndPresentationsOnTheHoldingSlideAndThePopUpsThenNames)
{
    // An upright picture keeps its shape in the box's height.
    dropFile(picture("tall.png", {600, 800}, qRgb(40, 40, 200)));
    EXPECT_EQ(doc.ImgHolding.size(), QSize(101, 135));
    // A 4:3 picture for a 16:9 box comes out taller than the box.
    dropFile(picture("photo.jpg", {800, 600}, qRgb(200, 40, 40)));
    EXPECT_EQ(doc.ImgHolding.size(), QSize(240, 180));
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(800, 600));
    // A file that is no picture leaves everything as it was.
    dialogs.queueChoice(dir.writeFile("junk.png", "no picture"));
    holding.Open();
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(800, 600));

    const QImage before = doc.ImgHoldingFull;
    holding.cut();
    EXPECT_FALSE(doc.hasHoldingSlide());
    const HoldingSlide::MenuState cutAway = holding.contextMenuState();
    EXPECT_TRUE(cutAway.paste && !cutAway.cut && !cutAway.copy);
    EXPECT_TRUE(
        SlideIntake::ScalePictureFile(picture("p.png", {8, 8}, 0), dir.path("p.bmp"), {10, 0})
            .isNull())
        << "no box to fit";
    holding.paste();
    EXPECT_EQ(doc.ImgHoldingFull, before);
    clipboard.PutFileListOnClipboard({picture("copied.png", {320, 180}, qRgb(9, 9, 9))});
    holding.paste(); // a picture file copied in the file manager
    EXPECT_EQ(doc.ImgHoldingFull.pixel(0, 0), qRgb(9, 9, 9));

    QSignalSpy preview(&intake, &SlideIntake::previewReady);
    QSignalSpy taken(&intake, &SlideIntake::slideTaken);
    dropFile(presentation("one.pptx", 1));
    ASSERT_TRUE(taken.wait(kWaitMs));
    EXPECT_EQ(doc.ImgHolding.size(), kBox);
    EXPECT_EQ(doc.ImgHoldingFull.size(), kScreen);

    // Slide 1 comes before the job has wound up. A deck dropped on a pop-up meanwhile follows
    // the running one, whose preview is then of no use any more.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !extractor.isBusy(); }, kWaitMs));
    dropFile(presentation("twelve.ppsx", 12));
    ASSERT_TRUE(extractor.isBusy());
    dropFile(presentation("three.pps", 3), 5);
    ASSERT_TRUE(preview.wait(kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !extractor.isBusy(); }, kWaitMs));
    ASSERT_EQ(preview.size(), 1) << "neither the one-slide deck nor the first one opened it";
    const QStringList thumbnails = preview.first().first().toStringList();
    EXPECT_EQ(thumbnails.size(), 3);
    EXPECT_EQ(doc.PopUps[5].Name, "PopUp");

    // A pick from the preview goes to the holding slide (to a pop-up: SetupWindowTest).
    holding.insertFromPreview(2, QImage(thumbnails.at(1)));
    ASSERT_TRUE(taken.wait(kWaitMs));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(2));
    // A pick the program fails to export, or without a thumbnail, leaves the slide exactly as
    // it was: a thumbnail without its picture (or the other way round) could never be saved.
    const QImage thumbnailBefore = doc.ImgHolding;
    const QImage fullBefore = doc.ImgHoldingFull;
    for (const auto& [slide, thumbnail] :
         {std::pair{99, QImage(thumbnails.at(2))}, {3, QImage()}}) {
        holding.insertFromPreview(slide, thumbnail);
        ASSERT_TRUE(taken.wait(kWaitMs));
        EXPECT_EQ(doc.ImgHolding, thumbnailBefore) << slide;
        EXPECT_EQ(doc.ImgHoldingFull, fullBefore) << slide;
    }

    // Cut (Ctrl+X) on one slot and Paste (Ctrl+V) on another moves the picture, under the name
    // of a new one. Names are read out with the slot's key.
    const QImage moved = doc.PopUps[5].Full;
    doc.PopUps[5].Name = "Sponsors";
    QTest::keyClick(panel.picture(5), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(doc.PopUps[5].Name, "(Empty)");
    QTest::keyClick(panel.picture(0), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(doc.PopUps[0].Full, moved);
    EXPECT_EQ(doc.PopUps[0].Name, "PopUp");
    clipboard.putOther();
    QTest::keyClick(panel.picture(0), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.picture(), moved);

    // Names are edited in place (F2), on filled slots only.
    QTest::mouseClick(panel.name(3), Qt::LeftButton);
    EXPECT_FALSE(panel.renameEditor()->isVisible());
    QTest::keyClick(panel.picture(0), Qt::Key_F2);
    ASSERT_TRUE(panel.renameEditor()->isVisible());
    EXPECT_EQ(panel.renameEditor()->selectedText(), "PopUp");
    QTest::keyClicks(panel.renameEditor(), "Sponsors");
    QTest::keyClick(panel.renameEditor(), Qt::Key_Return);
    EXPECT_EQ(panel.name(0)->text(), "Sponsors");
    EXPECT_EQ(panel.name(0)->accessibleName(), "Pop-up 1: Sponsors");
    QTest::mouseClick(panel.name(0), Qt::LeftButton);
    QTest::keyClicks(panel.renameEditor(), "Other");
    QTest::keyClick(panel.renameEditor(), Qt::Key_Escape);
    EXPECT_EQ(doc.PopUps[0].Name, "Sponsors");

    // The menu key and Shift+F10 open the menu on the slot with the focus.
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10}) {
        popUps.select(8);
        QTest::keyClick(panel.name(0), key.key(), key.keyboardModifiers());
        ASSERT_TRUE(panel.contextMenu()->isVisible());
        EXPECT_EQ(popUps.selected(), 0);
        panel.contextMenu()->hide();
    }
    EXPECT_TRUE(panel.contextMenu()->findChild<QAction*>("MnuPCut")->isEnabled());

    QTest::keyClick(panel.picture(8), Qt::Key_V, Qt::ControlModifier);
    messages.queueAnswer(MsgAnswer::No);
    EXPECT_FALSE(popUps.clearAll());
    EXPECT_EQ(messages.last(), "You are about to clear all Pop Ups. Continue!");
    EXPECT_TRUE(doc.PopUps[8].isUsed() && doc.PopUps[0].isUsed());
    messages.queueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(popUps.clearAll());
    EXPECT_TRUE(std::ranges::none_of(doc.PopUps, &PopUpSlot::isUsed));
}

TEST_F(SlidePanelsTest, OperatorDefaultAndBuiltInDefault)
{
    presentation("app/ppt.ppt", 1);
    QSignalSpy restored(&holding, &HoldingSlide::restoreFinished);
    QSignalSpy busy(&holding, &HoldingSlide::busyChanged);
    holding.MnuRestoreDefault_Click();
    // The template is exported off this thread; a picture dropped meanwhile is refused rather
    // than replaced when the export ends.
    EXPECT_TRUE(restored.isEmpty());
    EXPECT_TRUE(holding.isBusy());
    const QString mine = picture("mine.png", {640, 360}, qRgb(9, 99, 199));
    dropFile(mine);
    EXPECT_FALSE(doc.hasHoldingSlide());
    ASSERT_TRUE(restored.wait(kWaitMs));
    EXPECT_TRUE(restored[0][0].toBool());
    EXPECT_EQ(busy.size(), 2);
    // The built-in default is no default of the operator's own, and follows the screen.
    holding.MnuHoldingSlide_Click();
    EXPECT_FALSE(QFile::exists(doc.AppFolder + "dtitle"));
    intake.setScreen({800, 600});
    holding.screenSizeChanged();
    EXPECT_TRUE(holding.isBusy());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !holding.isBusy(); }, kWaitMs));
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(800, 600));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(1));

    doc.ImgHoldingFull = QImage(mine);
    holding.MnuHoldingSlide_Click();
    ASSERT_TRUE(QFile::exists(doc.AppFolder + "dtitle-sm"));
    EXPECT_EQ(QImage(doc.AppFolder + "dtitle").pixel(3, 3), qRgb(9, 99, 199));

    holding.MnuRestoreDefault_Click();
    ASSERT_TRUE(restored.wait(kWaitMs));
    EXPECT_FALSE(QFile::exists(doc.AppFolder + "dtitle"));
    EXPECT_FALSE(QFile::exists(doc.AppFolder + "dtitle-sm"));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(1));
}

// Inserting into a slot and closing with the presentation: SetupWindowTest.
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

    // A presentation without slides: nothing to show, nothing to insert.
    frmPreview empty(dir.path("Preview"), 0);
    QSignalSpy none(&empty, &frmPreview::insertRequested);
    empty.ComInsert_Click();
    EXPECT_TRUE(empty.thumbnail().isNull() && empty.slideLabel()->text().isEmpty() &&
                none.isEmpty());
}

} // namespace
