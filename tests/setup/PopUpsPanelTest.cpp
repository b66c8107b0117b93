#include "PopUpsPanel.h"
#include "EventDocument.h"
#include "FakeClipboardService.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "PopUpSlots.h"
#include "SlideExtractor.h"
#include "SlideIntake.h"
#include "TestFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PopUpsPanelTest : public ::testing::Test
{
protected:
    PopUpsPanelTest()
    {
        doc.RunFolder = folder.path();
        QImage picture(320, 180, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        clipboard.putPicture(picture);
        panel.show();
    }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeClipboardService clipboard;
    FakePresentationApp app;
    SlideExtractor extractor{app};
    SlideIntake intake{doc, extractor, {240, 135}, {640, 360}};
    PopUpSlots popUps{doc, intake, clipboard, messages};
    PopUpsPanel panel{popUps, doc};
};

TEST_F(PopUpsPanelTest, SlotsAreNumberedOneToNineThenZero)
{
    EXPECT_EQ(panel.number(0)->text(), "1");
    EXPECT_EQ(panel.number(8)->text(), "9");
    EXPECT_EQ(panel.number(9)->text(), "0");
    EXPECT_EQ(panel.name(9)->text(), "(Empty)");
    EXPECT_EQ(panel.picture(9)->accessibleDescription(), "ImgPopUps(9)");
}

TEST_F(PopUpsPanelTest, NamesAreEditedInPlaceOnlyOnFilledSlots)
{
    QTest::mouseClick(panel.name(3), Qt::LeftButton);
    EXPECT_FALSE(panel.renameEditor()->isVisible());
    EXPECT_EQ(doc.SelectedPopUp, 3);

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

    panel.MnuPEdit_Popup(QPoint());
    EXPECT_TRUE(panel.contextMenu()->findChild<QAction*>("MnuPRename")->isEnabled());
    EXPECT_TRUE(panel.contextMenu()->findChild<QAction*>("MnuClrPopUps")->isEnabled());
    panel.contextMenu()->hide();
}

} // namespace
