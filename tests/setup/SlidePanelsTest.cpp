#include "EventDocument.h"
#include "FakeClipboardService.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "HoldingSlide.h"
#include "MimeTransfer.h"
#include "PopUpSlots.h"
#include "PopUpsPanel.h"
#include "SlideExtractor.h"
#include "SlideIntake.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;
const QSize kBox(240, 135);
const QSize kScreen(640, 360);

// The holding slide and the pop-up slots take pictures and presentations the same way; both
// run here against the scripted presentation program.
class SlidePanelsTest : public ::testing::Test
{
protected:
    SlidePanelsTest()
    {
        doc.RunFolder = folder.path("run");
        doc.AppFolder = folder.folder() + "app/";
        doc.SlideImageFormat = "BMP";
        QDir().mkpath(doc.RunFolder);
        QDir().mkpath(doc.AppFolder);
        panel.show();
    }

    QString picture(const QString& name, QSize size, QRgb colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(folder.path(name));
        return folder.path(name);
    }

    QString presentation(const QString& name, int slides)
    {
        const QString path = folder.writeFile(name, "deck");
        app.addPresentation(path, slides);
        return path;
    }

    // Drops a file on the holding slide, or on a pop-up slot.
    void dropFile(const QString& path, int slot = -1)
    {
        QMimeData mime;
        MimeTransfer::putFileList(&mime, {path});
        slot < 0 ? holding.drop(&mime) : popUps.drop(slot, &mime);
    }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakeClipboardService clipboard;
    FakePresentationApp app;
    SlideExtractor extractor{app};
    SlideIntake intake{doc, extractor, kBox, kScreen};
    HoldingSlide holding{doc, intake, clipboard, dialogs, app};
    PopUpSlots popUps{doc, intake, clipboard, messages};
    PopUpsPanel panel{popUps, doc};
};

TEST_F(SlidePanelsTest, PicturesKeepTheirProportionsInTheThumbnail)
{
    const QImage portrait = SlideIntake::ScalePictureFile(
        picture("tall.png", {300, 600}, qRgb(1, 2, 3)), folder.path("tall.bmp"), kBox);
    EXPECT_EQ(portrait.size(), QSize(68, 135));

    // A 4:3 picture for a 16:9 box comes out taller than the box. Dropping sets the time code
    // back; Open of the same file leaves it.
    const QString photo = picture("photo.jpg", {800, 600}, qRgb(200, 40, 40));
    doc.HoldingTimeCode = "T1";
    dropFile(photo);
    EXPECT_EQ(doc.ImgHolding.size(), QSize(240, 180));
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(800, 600));
    EXPECT_EQ(doc.HoldingTimeCode, "");
    doc.HoldingTimeCode = "T2";
    dialogs.queueChoice(photo);
    holding.Open();
    EXPECT_EQ(doc.HoldingTimeCode, "T2");

    // A file that is no picture leaves everything as it was.
    dropFile(folder.writeFile("junk.png", "no picture"));
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(800, 600));

    // Cut empties the holding slide; Paste brings the same picture back from the clipboard.
    const QImage before = doc.ImgHoldingFull;
    holding.cut();
    EXPECT_FALSE(doc.hasHoldingSlide());
    EXPECT_TRUE(holding.contextMenuState().paste);
    holding.paste();
    EXPECT_EQ(doc.ImgHoldingFull, before);
    EXPECT_TRUE(doc.hasHoldingSlide());
}

TEST_F(SlidePanelsTest, PresentationsGiveSlideOneAtOnceAndTheRestToThePreview)
{
    QSignalSpy preview(&intake, &SlideIntake::previewReady);
    QSignalSpy taken(&intake, &SlideIntake::slideTaken);
    dropFile(presentation("one.pptx", 1));
    ASSERT_TRUE(taken.wait(kWaitMs));
    EXPECT_EQ(doc.ImgHolding.size(), kBox);
    EXPECT_EQ(doc.ImgHoldingFull.size(), kScreen);
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(1));

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
    EXPECT_EQ(doc.PopUps[5].Full.pixel(1, 1), FakePresentationDocument::colourOf(1));

    // A pick goes to the holding slide, or to the pop-up selected when Insert is pressed.
    holding.insertFromPreview(2, QImage(thumbnails.at(1)));
    ASSERT_TRUE(taken.wait(kWaitMs));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(2));
    popUps.select(7);
    popUps.insertFromPreview(3, QImage(thumbnails.at(2)));
    ASSERT_TRUE(taken.wait(kWaitMs));
    EXPECT_EQ(doc.PopUps[7].Full.pixel(1, 1), FakePresentationDocument::colourOf(3));
    EXPECT_EQ(doc.PopUps[5].Full.pixel(1, 1), FakePresentationDocument::colourOf(1));

    // Cut on one slot and Paste on another moves the picture.
    const QImage moved = doc.PopUps[7].Full;
    doc.PopUps[7].Name = "Sponsors";
    popUps.cut();
    EXPECT_FALSE(doc.PopUps[7].isUsed());
    EXPECT_EQ(doc.PopUps[7].Name, "(Empty)");
    popUps.select(8);
    popUps.paste();
    EXPECT_EQ(doc.PopUps[8].Full, moved);
    EXPECT_EQ(doc.PopUps[8].Name, "PopUp");
}

TEST_F(SlidePanelsTest, OperatorDefaultAndBuiltInDefault)
{
    presentation("app/ppt.ppt", 1);
    holding.loadBuiltInDefault();
    EXPECT_EQ(doc.ImgHoldingFull.size(), kScreen);

    // The built-in default is no default of the operator's own.
    holding.MnuHoldingSlide_Click();
    EXPECT_FALSE(QFile::exists(doc.AppFolder + "dtitle"));
    // It follows the screen to a new size.
    intake.setScreen({800, 600});
    holding.screenSizeChanged();
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(800, 600));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(1));

    doc.ImgHoldingFull = QImage(picture("mine.png", {640, 360}, qRgb(9, 99, 199)));
    holding.MnuHoldingSlide_Click();
    ASSERT_TRUE(QFile::exists(doc.AppFolder + "dtitle-sm"));
    EXPECT_EQ(QImage(doc.AppFolder + "dtitle").pixel(3, 3), qRgb(9, 99, 199));
    // The operator's own picture stays as it is.
    intake.setScreen(kScreen);
    holding.screenSizeChanged();
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(640, 360));

    QSignalSpy restored(&holding, &HoldingSlide::restoreFinished);
    holding.MnuRestoreDefault_Click();
    ASSERT_EQ(restored.size(), 1);
    EXPECT_TRUE(restored.first().first().toBool());
    EXPECT_FALSE(QFile::exists(doc.AppFolder + "dtitle"));
    EXPECT_FALSE(QFile::exists(doc.AppFolder + "dtitle-sm"));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(1));
}

TEST_F(SlidePanelsTest, PopUpNamesAreEditedInPlaceOnlyOnFilledSlots)
{
    EXPECT_EQ(panel.number(8)->text(), "9");
    EXPECT_EQ(panel.number(9)->text(), "0");
    QTest::mouseClick(panel.name(3), Qt::LeftButton);
    EXPECT_FALSE(panel.renameEditor()->isVisible());

    clipboard.putPicture(QImage(picture("p.png", {320, 240}, qRgb(5, 5, 5))));
    popUps.paste();
    ASSERT_EQ(panel.name(3)->text(), "PopUp");
    QTest::mouseClick(panel.name(3), Qt::LeftButton);
    ASSERT_TRUE(panel.renameEditor()->isVisible());
    EXPECT_EQ(panel.renameEditor()->selectedText(), "PopUp");
    QTest::keyClicks(panel.renameEditor(), "Sponsors");
    QTest::keyClick(panel.renameEditor(), Qt::Key_Return);
    EXPECT_FALSE(panel.renameEditor()->isVisible());
    EXPECT_EQ(panel.name(3)->text(), "Sponsors");

    // Escape, like an emptied editor, keeps the name.
    QTest::mouseClick(panel.name(3), Qt::LeftButton);
    QTest::keyClicks(panel.renameEditor(), "Other");
    QTest::keyClick(panel.renameEditor(), Qt::Key_Escape);
    EXPECT_EQ(doc.PopUps[3].Name, "Sponsors");
    popUps.finishRename(3, "");
    EXPECT_EQ(doc.PopUps[3].Name, "Sponsors");

    panel.MnuPEdit_Popup(QPoint());
    EXPECT_TRUE(panel.contextMenu()->findChild<QAction*>("MnuPRename")->isEnabled());
    EXPECT_TRUE(panel.contextMenu()->findChild<QAction*>("MnuClrPopUps")->isEnabled());
    panel.contextMenu()->hide();

    messages.queueAnswer(int(MsgAnswer::No));
    EXPECT_FALSE(popUps.clearAll());
    EXPECT_EQ(messages.last(), "You are about to clear all Pop Ups. Continue!");
    EXPECT_TRUE(doc.PopUps[3].isUsed());
    messages.queueAnswer(int(MsgAnswer::Yes));
    EXPECT_TRUE(popUps.clearAll());
    EXPECT_FALSE(doc.PopUps[3].isUsed());
    EXPECT_FALSE(popUps.contextMenuState().clearAll);
}

} // namespace
