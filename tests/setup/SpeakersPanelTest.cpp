#include "SpeakersPanel.h"
#include "EventDocument.h"
#include "FakeClipboardService.h"
#include "FakeDriveTypeSource.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakeShellService.h"
#include "MimeTransfer.h"
#include "SpeakerList.h"
#include "SpeakerListView.h"
#include "TestFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SpeakersPanelTest : public ::testing::Test
{
protected:
    SpeakersPanelTest()
    {
        doc.ImportDir = folder.path("import/");
        panel.resize(400, 400);
        panel.show();
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int i = 0; i < panel.view()->topLevelItemCount(); ++i)
            texts << panel.view()->topLevelItem(i)->text(0);
        return texts;
    }

    void drop(const QStringList& paths)
    {
        QMimeData mime;
        MimeTransfer::putFileList(&mime, paths);
        // As the desktop delivers it: the drag enters before anything is dropped.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(panel.view()->viewport(), &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel.view()->viewport(), &event);
    }

    QPoint centreOf(int row) const
    {
        return panel.view()->visualItemRect(panel.view()->topLevelItem(row - 1)).center();
    }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeDriveTypeSource drives;
    FakeClipboardService clipboard;
    FakePresentationApp presentations;
    FakeShellService shell;
    SpeakerList list{doc, {messages, drives, clipboard, presentations, shell}};
    SpeakersPanel panel{list, doc};
};

TEST_F(SpeakersPanelTest, DroppedFilesBecomeRowsThatKeysAndDraggingChange)
{
    drop({folder.writeFile("a/One.ppt", "1"), folder.writeFile("a/notes.txt", "x"),
          folder.writeFile("a/Two.pps", "2"), folder.writeFile("a/Three.pptx", "3")});
    EXPECT_EQ(rows(), (QStringList{"One", "Two", "Three"}));
    EXPECT_EQ(panel.counter()->text(), "3");
    EXPECT_EQ(panel.view()->currentRowNumber(), 3);

    // Dragging the first row down over the third puts it there.
    QTest::mousePress(panel.view()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QMouseEvent move(QEvent::MouseMove, centreOf(3),
                     panel.view()->viewport()->mapToGlobal(centreOf(3)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel.view()->viewport(), &move);
    QTest::mouseRelease(panel.view()->viewport(), Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(rows(), (QStringList{"Two", "Three", "One"}));
    EXPECT_EQ(doc.Speakers[2].Name, "One");

    panel.view()->selectRow(1, true);
    QTest::keyClick(panel.view(), Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{"Three", "One"}));
    EXPECT_EQ(panel.counter()->text(), "2");
}

TEST_F(SpeakersPanelTest, RefusedNameKeepsTheOldOneAndReopensTheEditor)
{
    drop({folder.writeFile("a/One.ppt", "1"), folder.writeFile("a/Two.ppt", "2")});
    panel.view()->selectRow(1, true);
    QTest::keyClick(panel.view(), Qt::Key_F2);
    auto* editor = panel.view()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->setText("Two");
    const QPointer<QLineEdit> refused = editor;
    // The editor hands its text over once the key has been handled.
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.texts().isEmpty(); }, 2000));
    EXPECT_EQ(messages.last(), "Speaker 'Two' already exist. Please select another name");
    EXPECT_EQ(rows().first(), "One");
    const QModelIndex first = panel.view()->model()->index(0, 0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return refused.isNull() && panel.view()->indexWidget(first); }, 2000));

    editor = qobject_cast<QLineEdit*>(panel.view()->indexWidget(first));
    ASSERT_TRUE(editor);
    editor->setText("Keynote");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows().first() == "Keynote"; }, 2000));
    EXPECT_EQ(doc.Speakers[0].FilePath, folder.path("a/Keynote.ppt"));
}

TEST_F(SpeakersPanelTest, ContextMenuFollowsTheRowUnderThePointer)
{
    drop({folder.writeFile("a/One.ppt", "1")});
    auto enabled = [this](const char* name) {
        return panel.contextMenu()->findChild<QAction*>(name)->isEnabled();
    };
    panel.MnuSOptions_Popup(0, QPoint());
    EXPECT_FALSE(enabled("MnuShow"));
    EXPECT_TRUE(enabled("MnuCopyAll"));
    EXPECT_FALSE(enabled("MnuSPaste"));
    panel.contextMenu()->hide();
    clipboard.PutFileListOnClipboard({folder.path("a/One.ppt")});
    panel.MnuSOptions_Popup(1, QPoint());
    EXPECT_TRUE(enabled("MnuShow"));
    EXPECT_TRUE(enabled("MnuSPaste"));
    EXPECT_FALSE(enabled("MnuSUpload"));
    panel.contextMenu()->hide();
}

} // namespace
