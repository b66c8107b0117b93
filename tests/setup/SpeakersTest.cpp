#include "platform/MimeTransfer.h"
#include "setup/SpeakerList.h"
#include "setup/widgets/ProgressDisplay.h"
#include "setup/widgets/SpeakerListView.h"
#include "setup/widgets/SpeakersPanel.h"
#include "setup/widgets/frmCopy.h"
#include "show/MissingPresentations.h"
#include "tests/setup/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/stat.h>

namespace {

// The speaker list with its panel on screen, as the setup window holds them.
class SpeakersTest : public ::testing::Test, protected FakeServices
{
protected:
    SpeakersTest()
    {
        doc.DesktopFolder = dir.path("desktop/");
        doc.ImportDir = dir.path("import/");
        drives.set(dir.path("usb"), DriveTypeSource::Removable);
        drives.set(dir.path("lost"), DriveTypeSource::Unknown);
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

    // Speakers S1, S2, ... after those already listed.
    void addSpeakers(int count)
    {
        const int before = doc.Speakers.count();
        QStringList paths;
        for (int i = 1; i <= count; ++i)
            paths << file(QStringLiteral("talks/S%1.pptx").arg(i));
        list.addFiles(paths, SpeakerList::Source::Drop);
        ASSERT_EQ(doc.Speakers.count(), before + count);
    }

    QPoint centreOf(int row) const
    {
        return panel.view()->visualItemRect(panel.view()->topLevelItem(row - 1)).center();
    }
    QAction* action(const char* name) const
    {
        return panel.contextMenu()->findChild<QAction*>(name);
    }
    // The mouse pressed at from, moved over to with the button held, and let go there.
    void drag(QPoint from, QPoint to)
    {
        QWidget* viewport = panel.view()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    SpeakerList list{doc, {messages, drives, clipboard, presentations, shell}};
    SpeakersPanel panel{list, doc};
};

TEST_F(SpeakersTest, DropAndPasteAddUpToTheLimitAndAskBeforeUpdatingASpeaker)
{
    // A file from a removable drive is copied to the import folder under a free name.
    file("import/One.ppt");
    QMimeData mime; // as the desktop delivers it: the drag enters before anything is dropped
    MimeTransfer::putFileList(
        &mime, {file("usb/One.ppt"), file("a/notes.txt"), file("a/Two.pps"), file("a/Three.pptx")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel.view()->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QSignalSpy finished(&list, &SpeakerList::addingFinished);
    QApplication::sendEvent(panel.view()->viewport(), &drop);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(rows(), (QStringList{"One", "Two", "Three"}));
    EXPECT_EQ(doc.Speakers[0].FilePath, dir.path("import/One2.ppt"));
    EXPECT_EQ(dir.readFile("import/One2.ppt"), "usb/One.ppt");

    // A drive nobody can tell ends the drop there.
    list.addFiles({file("lost/Gone.ppt"), file("a/After.ppt")}, SpeakerList::Source::Drop);
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
    EXPECT_EQ(rows().size(), 3);

    // At 49 speakers, three new files: the first fits, the second meets the limit and the
    // third (a duplicate that would ask a question) is never looked at.
    addSpeakers(46);
    list.addFiles({file("more/A.ppt"), file("more/B.ppt"), file("more/One.ppt")},
                  SpeakerList::Source::Drop);
    EXPECT_EQ(doc.Speakers.count(), 50);
    EXPECT_EQ(doc.Speakers[49].Name, "A");
    EXPECT_EQ(messages.last(), "Maximum Number of Speakers = 50");

    // Yes replaces the speaker's file in place, even with a full list.
    messages.queueAnswer(MsgAnswer::Yes);
    QSignalSpy selected(&list, &SpeakerList::rowSelected);
    list.addFiles({file("other/s3.ppt")}, SpeakerList::Source::Drop);
    EXPECT_EQ(messages.last(), "Speaker 's3' already exist. Update details");
    EXPECT_EQ(doc.Speakers.count(), 50);
    EXPECT_EQ(doc.Speakers[5].FilePath, dir.path("other/s3.ppt"));
    // A dropped speaker is selected and scrolled to.
    EXPECT_EQ(selected, QList<QVariantList>{QVariantList({6, true})});

    // No skips the file, Cancel ends the paste; the paste asks with a question mark.
    messages.queueAnswer(MsgAnswer::No);
    messages.queueAnswer(MsgAnswer::Cancel);
    clipboard.PutFileListOnClipboard(
        {file("other/S1.pptx"), file("other/S2.pptx"), file("other/S4.pptx")});
    list.MnuSPaste_Click();
    EXPECT_EQ(messages.last(), "Speaker 'S2' already exist. Update details?");
    EXPECT_EQ(doc.Speakers[3].FilePath, dir.path("talks/S1.pptx"));
    EXPECT_EQ(doc.Speakers[6].FilePath, dir.path("talks/S4.pptx"));
}

// A stick that delivers slowly (a pipe the test feeds): the copy window shows the file and
// the bytes so far while the list goes on handling events; Cancel leaves no partial copy.
TEST_F(SpeakersTest, ACopyFromAStickCancelledLeavesNothingAndRenamingRenamesTheFile)
{
    frmCopy window(list.importCopier());
    QDir().mkpath(dir.path("usb"));
    const QString stick = dir.path("usb/Slow.ppt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(stick).constData(), 0600), 0);
    list.addFiles({stick, file("usb/Later.ppt")}, SpeakerList::Source::Drop);
    QFile feed(stick);
    ASSERT_TRUE(feed.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    ASSERT_EQ(feed.write(QByteArray(64 * 1024, 'x')), 64 * 1024);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 2000));
    EXPECT_EQ(window.progress()->status()->text(), "Copying - Slow.ppt");
    EXPECT_TRUE(list.isAdding());

    QTest::mouseClick(window.cancelButton(), Qt::LeftButton);
    // The blocked read returns and sees the Cancel; a copy that already stopped reading has
    // closed the pipe, which must not end the test.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    feed.write(QByteArray(64 * 1024, 'x'));
    feed.close();
    std::signal(SIGPIPE, previous);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list.isAdding(); }, 2000));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(doc.Speakers.count(), 0);
    EXPECT_TRUE(QDir(dir.path("import")).isEmpty());

    // Cancel pressed as a copy completes, before its end is handled here: that copy goes too.
    list.addFiles({file("usb/Quick.ppt")}, SpeakerList::Source::Drop);
    for (int ms = 0; ms < 5000 && !QFile::exists(dir.path("import/Quick.ppt")); ++ms)
        QThread::msleep(1);
    window.ComCancel_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list.isAdding(); }, 2000));
    EXPECT_EQ(doc.Speakers.count(), 0);
    EXPECT_TRUE(QDir(dir.path("import")).isEmpty());

    // Renaming a speaker renames the file, unless it is shared.
    const QString talk = file("event/Talk.ppt");
    file("event/Intro.ppt");
    list.addFiles({talk, file("event/Other.pptx")}, SpeakerList::Source::Drop);

    // As the operator renames: F2, the name, Enter.
    panel.view()->selectRow(1, true);
    QTest::keyClick(panel.view(), Qt::Key_F2);
    auto* editor = panel.view()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->setText("Intro");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc.Speakers[0].Name == "Intro"; }, 2000));
    EXPECT_EQ(doc.Speakers[0].FilePath, dir.path("event/Intro2.ppt"));
    EXPECT_FALSE(QFile::exists(talk));
    EXPECT_EQ(dir.readFile("event/Intro.ppt"), "event/Intro.ppt");

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
    for (int row : {0, 3})
        EXPECT_EQ(list.endRename(row, "Ghost"), SpeakerList::RenameResult::Cancelled) << row;

    // A rename begun on no row keeps the speaker kept aside; a file two speakers share keeps
    // its name.
    list.beginRename(1);
    list.beginRename(0);
    list.beginRename(3);
    EXPECT_EQ(list.endRename(1, "Opening"), SpeakerList::RenameResult::Accepted);
    EXPECT_EQ(doc.Speakers[0].FilePath, dir.path("event/Opening.ppt"));
    SpeakerRecord sharing = doc.Speakers[1];
    sharing.FilePath = doc.Speakers[0].FilePath;
    doc.Speakers.ReplaceSpeakerAt(1, sharing);
    list.beginRename(2);
    EXPECT_EQ(list.endRename(2, "Closing"), SpeakerList::RenameResult::Accepted);
    EXPECT_EQ(messages.last(), "Selected File is already associated with another speaker.\n"
                               "File will not be renamed");
    EXPECT_EQ(doc.Speakers[1].Name, "Closing");
    EXPECT_TRUE(QFile::exists(dir.path("event/Opening.ppt")));
}

TEST_F(SpeakersTest, DraggingDeletingShowingCopyingAndTheContextMenuUnderThePointer)
{
    addSpeakers(4);
    // Dragging the first row down over the third with the mouse puts it there.
    drag(centreOf(1), centreOf(3));
    EXPECT_EQ(rows(), (QStringList{"S2", "S3", "S1", "S4"}));
    EXPECT_FALSE(panel.view()->viewport()->testAttribute(Qt::WA_SetCursor)) << "drag cursor left";
    EXPECT_EQ(doc.Speakers[0].Name, "S2");
    // A drag from no row (none chosen, the button pressed below the rows) or to no row moves
    // nothing.
    panel.view()->selectRow(0, false);
    drag(QPoint(10, 380), centreOf(3));
    list.moveRow(0, 2);
    list.moveRow(2, 5);
    EXPECT_EQ(doc.Speakers[0].Name + doc.Speakers[1].Name + doc.Speakers[3].Name, "S2S3S4");

    // The Delete key removes the selected row; the next one takes its place and the selection.
    // The counter is read out with its number.
    panel.view()->selectRow(1, true);
    QTest::keyClick(panel.view(), Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{"S3", "S1", "S4"}));
    EXPECT_EQ(panel.counter()->text() + panel.counter()->accessibleName(),
              "3Number of speakers: 3");
    EXPECT_EQ(list.selectedRow(), 1);

    // Ctrl+C copies the speaker's file, not the row's text; Ctrl+V pastes it back as a new
    // speaker when the name is new.
    QTest::keyClick(panel.view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.fileList(), QStringList{doc.Speakers[0].FilePath});
    clipboard.PutFileListOnClipboard({file("more/S5.ppt")});
    QTest::keyClick(panel.view(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rows(), (QStringList{"S3", "S1", "S4", "S5"}));
    list.MnuRemove_Click();
    // The sweep takes speakers whose file went: the selection follows its speaker, and once
    // that one is gone Delete and Backspace remove nothing.
    panel.view()->selectRow(3, true);
    QFile::remove(doc.Speakers[0].FilePath);
    panel.speakersRemoved(MissingPresentations::removeSpeakers(doc, messages));
    EXPECT_EQ(list.selectedRow(), 2) << "still S4";
    QFile::remove(doc.Speakers[1].FilePath);
    panel.speakersRemoved(MissingPresentations::removeSpeakers(doc, messages));
    QTest::keyClick(panel.view(), Qt::Key_Delete);
    QTest::keyClick(panel.view(), Qt::Key_Backspace);
    EXPECT_EQ(rows(), (QStringList{"S1"}));
    panel.view()->selectRow(1, true);
    QTest::keyClick(panel.view(), Qt::Key_Delete);
    EXPECT_EQ(doc.Speakers.count(), 0);
    EXPECT_EQ(list.selectedRow(), 0) << "no row left to select";
    list.addFiles({file("talks/S7.pptx"), file("talks/S8.pptx"), file("talks/S9.pptx")},
                  SpeakerList::Source::Drop);

    presentations.addPresentation(doc.Speakers[0].FilePath, 4);
    // A double click shows the row. A slow office: the list goes on handling events while Show
    // waits on it, and a second Show meanwhile is ignored.
    list.setSelectedRow(1);
    presentations.holdOpens();
    QTest::mouseDClick(panel.view()->viewport(), Qt::LeftButton, {}, centreOf(1));
    ASSERT_TRUE(presentations.openHeldWhileEventsRun());
    list.MnuShow_Click();
    presentations.releaseOpens();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list.isShowStarting(); }, 2000));
    ASSERT_TRUE(presentations.lastOpened());
    EXPECT_EQ(presentations.lastOpened()->showsStarted(), 1);
    EXPECT_EQ(presentations.openPresentationCount().value(), 1);
    // A file the presentation program cannot open goes to the desktop instead.
    list.setSelectedRow(2);
    list.MnuShow_Click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return shell.opened == QStringList{doc.Speakers[1].FilePath}; }, 2000));

    clipboard.putOther();
    // Right-clicked below the last row: the menu of no row, the selection where it was.
    QTest::mouseClick(panel.view()->viewport(), Qt::RightButton, {}, QPoint(10, 380));
    EXPECT_EQ(list.selectedRow(), 2);
    EXPECT_FALSE(action("MnuSPaste")->isEnabled() || action("MnuShow")->isEnabled());
    EXPECT_TRUE(action("MnuCopyAll")->isEnabled());
    panel.contextMenu()->hide();
    list.MnuCopyAll_Click();
    EXPECT_EQ(clipboard.fileList(), (QStringList{doc.Speakers[0].FilePath, doc.Speakers[1].FilePath,
                                                 doc.Speakers[2].FilePath}));
    panel.MnuSOptions_Popup(1, QPoint());
    EXPECT_EQ(list.selectedRow(), 1);
    for (const char* name : {"MnuSPaste", "MnuShow", "MnuRename", "MnuRemove", "MnuSOpen"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    panel.contextMenu()->hide();

    // The menu key and Shift+F10 open the menu of the selected row.
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10}) {
        list.setSelectedRow(3);
        panel.MnuSOptions_Popup(0, QPoint()); // leaves the row's commands disabled
        panel.contextMenu()->hide();
        QTest::keyClick(panel.view(), key.key(), key.keyboardModifiers());
        EXPECT_TRUE(panel.contextMenu()->isVisible() && action("MnuRemove")->isEnabled());
        EXPECT_EQ(list.selectedRow(), 3);
        panel.contextMenu()->hide();
    }

    // Dragged onto the first row, a speaker goes first.
    drag(centreOf(3), centreOf(1));
    EXPECT_EQ(rows(), (QStringList{"S9", "S7", "S8"}));
}

} // namespace
