#include "EventDocument.h"
#include "FakeClipboardService.h"
#include "FakeDriveTypeSource.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakeShellService.h"
#include "MimeTransfer.h"
#include "SpeakerList.h"
#include "SpeakerListView.h"
#include "SpeakersPanel.h"
#include "TestFolder.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The speaker list with its panel on screen, as the setup window holds them.
class SpeakersTest : public ::testing::Test
{
protected:
    SpeakersTest()
    {
        doc.DesktopFolder = folder.path("desktop/");
        doc.ImportDir = folder.path("import/");
        drives.set(folder.path("usb"), DriveTypeSource::Removable);
        drives.set(folder.path("lost"), DriveTypeSource::Unknown);
        panel.resize(400, 400);
        panel.show();
    }

    QString file(const QString& name) { return folder.writeFile(name, name.toUtf8()); }

    QStringList names() const
    {
        QStringList result;
        for (int k = 0; k < doc.SpeakerCount; ++k)
            result << doc.Speakers[size_t(k)].Name;
        return result;
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int i = 0; i < panel.view()->topLevelItemCount(); ++i)
            texts << panel.view()->topLevelItem(i)->text(0);
        return texts;
    }

    // Speakers S1, S2, ... after those already listed.
    void addSpeakers(int count)
    {
        const int before = doc.SpeakerCount;
        QStringList paths;
        for (int i = 1; i <= count; ++i)
            paths << file(QStringLiteral("talks/S%1.pptx").arg(i));
        list.addFiles(paths, SpeakerList::Source::Drop);
        ASSERT_EQ(doc.SpeakerCount, before + count);
    }

    // As the desktop delivers it: the drag enters before anything is dropped.
    void drop(const QStringList& paths)
    {
        QMimeData mime;
        MimeTransfer::putFileList(&mime, paths);
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

    bool enabled(const char* name) const
    {
        return panel.contextMenu()->findChild<QAction*>(name)->isEnabled();
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

TEST_F(SpeakersTest, DropAndPasteAddUpToTheLimitAndAskBeforeUpdatingASpeaker)
{
    drop({file("a/One.ppt"), file("a/notes.txt"), file("a/Two.pps"), file("a/Three.pptx")});
    EXPECT_EQ(rows(), (QStringList{"One", "Two", "Three"}));
    EXPECT_EQ(doc.Speakers[0].FileName, "One.ppt");
    EXPECT_EQ(panel.counter()->text(), "3");
    EXPECT_EQ(panel.view()->currentRowNumber(), 3);

    // At 49 speakers, three new files: the first fits, the second meets the limit and the
    // third (a duplicate that would ask a question) is never looked at.
    addSpeakers(46);
    list.addFiles({file("more/A.ppt"), file("more/B.ppt"), file("more/One.ppt")},
                  SpeakerList::Source::Drop);
    EXPECT_EQ(doc.SpeakerCount, 50);
    EXPECT_EQ(doc.Speakers[49].Name, "A");
    EXPECT_EQ(messages.texts(), QStringList{"Maximum Number of Speakers = 50"});

    // Yes replaces the speaker's file in place, even with a full list.
    messages.queueAnswer(int(MsgAnswer::Yes));
    list.addFiles({file("other/s3.ppt")}, SpeakerList::Source::Drop);
    EXPECT_EQ(messages.last(), "Speaker 's3' already exist. Update details");
    EXPECT_EQ(doc.SpeakerCount, 50);
    EXPECT_EQ(doc.Speakers[5].FilePath, folder.path("other/s3.ppt"));
    EXPECT_EQ(doc.Speakers[5].Name, "s3");
    EXPECT_EQ(list.selectedRow(), 6);

    // No skips the file, Cancel ends the paste; the paste asks with a question mark.
    messages.queueAnswer(int(MsgAnswer::No));
    messages.queueAnswer(int(MsgAnswer::Cancel));
    clipboard.PutFileListOnClipboard(
        {file("other/S1.pptx"), file("other/S2.pptx"), file("other/S4.pptx")});
    list.MnuSPaste_Click();
    EXPECT_EQ(messages.last(), "Speaker 'S2' already exist. Update details?");
    EXPECT_EQ(doc.Speakers[3].FilePath, folder.path("talks/S1.pptx"));
    EXPECT_EQ(doc.Speakers[6].FilePath, folder.path("talks/S4.pptx"));
    EXPECT_EQ(messages.unusedAnswers(), 0);
}

TEST_F(SpeakersTest, FilesFromRemovableDrivesAreCopiedUnderFreeNames)
{
    file("import/Talk.ppt");
    file("import/Talk2.ppt");
    list.addFiles({file("usb/Talk.ppt"), file("usb/Keynote.pptx")}, SpeakerList::Source::Drop);
    ASSERT_EQ(names(), (QStringList{"Talk", "Keynote"}));
    EXPECT_EQ(doc.Speakers[0].FilePath, folder.path("import/Talk3.ppt"));
    EXPECT_EQ(folder.readFile("import/Talk3.ppt"), "usb/Talk.ppt");
    EXPECT_EQ(folder.readFile("import/Talk.ppt"), "import/Talk.ppt");
    EXPECT_EQ(doc.Speakers[1].FilePath, folder.path("import/Keynote.pptx"));

    // A drive nobody can tell ends the drop there, keeping what came before.
    list.addFiles({file("talks/Before.ppt"), file("lost/Gone.ppt"), file("talks/After.ppt")},
                  SpeakerList::Source::Drop);
    EXPECT_EQ(names(), (QStringList{"Talk", "Keynote", "Before"}));
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
}

TEST_F(SpeakersTest, RenamingRenamesTheFileUnlessItIsShared)
{
    const QString talk = file("event/Talk.ppt");
    file("event/Intro.ppt");
    list.addFiles({talk, file("event/Other.pptx")}, SpeakerList::Source::Drop);

    list.beginRename(1);
    EXPECT_EQ(list.endRename(1, "Intro"), SpeakerList::RenameResult::Accepted);
    EXPECT_EQ(doc.Speakers[0].Name, "Intro");
    EXPECT_EQ(doc.Speakers[0].FilePath, folder.path("event/Intro2.ppt"));
    EXPECT_FALSE(QFile::exists(talk));
    EXPECT_EQ(folder.readFile("event/Intro.ppt"), "event/Intro.ppt");

    // Names are compared without regard to case, the speaker's own included.
    const std::pair<QString, QString> refused[] = {
        {"Why?", "Speaker name contains an invalid character \\ / : * ? \" < > !"},
        {"intro", "Speaker 'intro' already exist. Please select another name"}};
    for (const auto& [text, message] : refused) {
        list.beginRename(1);
        EXPECT_EQ(list.endRename(1, text), SpeakerList::RenameResult::EditAgain);
        EXPECT_EQ(messages.last(), message);
        EXPECT_EQ(doc.Speakers[0].Name, "Intro");
    }
    list.beginRename(1);
    EXPECT_EQ(list.endRename(1, ""), SpeakerList::RenameResult::Cancelled);

    // A file two speakers share keeps its name.
    doc.Speakers[1].FilePath = doc.Speakers[0].FilePath;
    list.beginRename(2);
    EXPECT_EQ(list.endRename(2, "Closing"), SpeakerList::RenameResult::Accepted);
    EXPECT_EQ(messages.last(), "Selected File is already associated with another speaker.\n"
                               "File will not be renamed");
    EXPECT_EQ(doc.Speakers[1].Name, "Closing");
    EXPECT_TRUE(QFile::exists(folder.path("event/Intro2.ppt")));
}

TEST_F(SpeakersTest, RefusedNameInTheEditorKeepsTheOldOneAndReopensIt)
{
    drop({file("a/One.ppt"), file("a/Two.ppt")});
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

TEST_F(SpeakersTest, DraggingRemovingAndKeysKeepTableAndSelectionInStep)
{
    addSpeakers(5);
    list.moveRow(4, 2);
    EXPECT_EQ(names(), (QStringList{"S1", "S4", "S2", "S3", "S5"}));
    EXPECT_EQ(list.selectedRow(), 2);

    // Dragging the first row down over the third with the mouse puts it there.
    QTest::mousePress(panel.view()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QMouseEvent move(QEvent::MouseMove, centreOf(3),
                     panel.view()->viewport()->mapToGlobal(centreOf(3)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel.view()->viewport(), &move);
    QTest::mouseRelease(panel.view()->viewport(), Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(rows(), (QStringList{"S4", "S2", "S1", "S3", "S5"}));
    EXPECT_EQ(names(), rows());

    // Removing the last row selects the new last; the Delete key removes the selected one.
    list.setSelectedRow(5);
    list.MnuRemove_Click();
    EXPECT_EQ(list.selectedRow(), 4);
    panel.view()->selectRow(1, true);
    QTest::keyClick(panel.view(), Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{"S2", "S1", "S3"}));
    EXPECT_EQ(panel.counter()->text(), "3");
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(doc.Speakers[3].Name, ""); // the freed slot is empty
}

TEST_F(SpeakersTest, ShowCopyAndTheContextMenuUnderThePointer)
{
    addSpeakers(3);
    presentations.addPresentation(doc.Speakers[0].FilePath, 4);
    list.setSelectedRow(1);
    list.MnuShow_Click();
    ASSERT_TRUE(presentations.lastOpened());
    // A file the presentation program cannot open goes to the desktop instead.
    list.setSelectedRow(2);
    list.MnuShow_Click();
    EXPECT_EQ(shell.opened, QStringList{doc.Speakers[1].FilePath});

    clipboard.putOther();
    panel.MnuSOptions_Popup(0, QPoint());
    EXPECT_FALSE(enabled("MnuSPaste") || enabled("MnuShow"));
    EXPECT_TRUE(enabled("MnuCopyAll"));
    panel.contextMenu()->hide();
    list.MnuCopyAll_Click();
    EXPECT_EQ(clipboard.fileList(), (QStringList{doc.Speakers[0].FilePath, doc.Speakers[1].FilePath,
                                                 doc.Speakers[2].FilePath}));
    panel.MnuSOptions_Popup(2, QPoint());
    for (const char* name : {"MnuSPaste", "MnuShow", "MnuRename", "MnuRemove", "MnuSOpen"})
        EXPECT_TRUE(enabled(name)) << name;
    panel.contextMenu()->hide();
}

} // namespace
