#include "SpeakerList.h"
#include "EventDocument.h"
#include "FakeClipboardService.h"
#include "FakeDriveTypeSource.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakeShellService.h"
#include "TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class SpeakerListTest : public ::testing::Test
{
protected:
    SpeakerListTest()
    {
        doc.DesktopFolder = folder.path("desktop/");
        doc.ImportDir = folder.path("import/");
        drives.set(folder.path("usb"), DriveTypeSource::Removable);
        drives.set(folder.path("lost"), DriveTypeSource::Unknown);
    }

    QString file(const QString& name) { return folder.writeFile(name, name.toUtf8()); }

    QStringList names() const
    {
        QStringList result;
        for (int k = 0; k < doc.SpeakerCount; ++k)
            result << doc.Speakers[size_t(k)].Name;
        return result;
    }

    void addSpeakers(int count)
    {
        QStringList paths;
        for (int i = 1; i <= count; ++i)
            paths << file(QStringLiteral("talks/S%1.pptx").arg(i));
        list.addFiles(paths, SpeakerList::Source::Drop);
        ASSERT_EQ(doc.SpeakerCount, count);
    }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeDriveTypeSource drives;
    FakeClipboardService clipboard;
    FakePresentationApp presentations;
    FakeShellService shell;
    SpeakerList list{doc, {messages, drives, clipboard, presentations, shell}};
};

TEST_F(SpeakerListTest, DropAddsPresentationsOnlyAndStopsAtTheLimit)
{
    list.addFiles({file("notes.txt"), file("talks/Talk.pptx"), file("talks/Opening.PPS")},
                  SpeakerList::Source::Drop);
    EXPECT_EQ(names(), (QStringList{"Talk", "Opening"}));
    EXPECT_EQ(doc.Speakers[0].FileName, "Talk.pptx");
    EXPECT_EQ(list.selectedRow(), 2);
    EXPECT_TRUE(messages.texts().isEmpty());

    EventDocument full;
    // 49 speakers, then three new files: the first fits, the second meets the limit and the
    // third (a duplicate that would ask a question) is never looked at.
    SpeakerList crowded{full, {messages, drives, clipboard, presentations, shell}};
    QStringList many;
    for (int i = 1; i <= 49; ++i)
        many << file(QStringLiteral("many/P%1.ppt").arg(i));
    crowded.addFiles(many, SpeakerList::Source::Drop);
    ASSERT_EQ(full.SpeakerCount, 49);
    crowded.addFiles({file("more/A.ppt"), file("more/B.ppt"), file("more/P1.ppt")},
                     SpeakerList::Source::Drop);
    EXPECT_EQ(full.SpeakerCount, 50);
    EXPECT_EQ(full.Speakers[49].Name, "A");
    EXPECT_EQ(messages.texts(), QStringList{"Maximum Number of Speakers = 50"});
}

TEST_F(SpeakerListTest, FilesFromRemovableDrivesAreCopiedUnderFreeNames)
{
    file("import/Talk.ppt");
    file("import/Talk2.ppt");
    const QString stick = file("usb/Talk.ppt");
    list.addFiles({stick, file("usb/Keynote.pptx")}, SpeakerList::Source::Drop);
    ASSERT_EQ(names(), (QStringList{"Talk", "Keynote"}));
    EXPECT_EQ(doc.Speakers[0].FilePath, folder.path("import/Talk3.ppt"));
    EXPECT_EQ(doc.Speakers[0].FileName, "Talk3.ppt");
    EXPECT_EQ(folder.readFile("import/Talk3.ppt"), "usb/Talk.ppt");
    EXPECT_EQ(folder.readFile("import/Talk.ppt"), "import/Talk.ppt");
    EXPECT_EQ(doc.Speakers[1].FilePath, folder.path("import/Keynote.pptx"));

    // A drive nobody can tell ends the drop there, keeping what came before.
    list.addFiles({file("talks/Before.ppt"), file("lost/Gone.ppt"), file("talks/After.ppt")},
                  SpeakerList::Source::Drop);
    EXPECT_EQ(names(), (QStringList{"Talk", "Keynote", "Before"}));
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
}

TEST_F(SpeakerListTest, ExistingNamesAskWhetherToUpdate)
{
    addSpeakers(50);
    // Yes replaces the speaker's file in place, even with a full list.
    messages.queueAnswer(int(MsgAnswer::Yes));
    list.addFiles({file("other/s3.ppt")}, SpeakerList::Source::Drop);
    EXPECT_EQ(messages.last(), "Speaker 's3' already exist. Update details");
    EXPECT_EQ(doc.SpeakerCount, 50);
    EXPECT_EQ(doc.Speakers[2].FilePath, folder.path("other/s3.ppt"));
    EXPECT_EQ(doc.Speakers[2].Name, "s3");
    EXPECT_EQ(list.selectedRow(), 3);

    // No skips the file, Cancel ends the paste; the paste asks with a question mark.
    messages.queueAnswer(int(MsgAnswer::No));
    messages.queueAnswer(int(MsgAnswer::Cancel));
    clipboard.PutFileListOnClipboard(
        {file("other/S1.pptx"), file("other/S2.pptx"), file("other/S4.pptx")});
    list.MnuSPaste_Click();
    EXPECT_EQ(messages.last(), "Speaker 'S2' already exist. Update details?");
    EXPECT_EQ(doc.Speakers[0].FilePath, folder.path("talks/S1.pptx"));
    EXPECT_EQ(doc.Speakers[3].FilePath, folder.path("talks/S4.pptx"));
    EXPECT_EQ(messages.unusedAnswers(), 0);
}

TEST_F(SpeakerListTest, RenamingRenamesTheFileUnlessItIsShared)
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

    struct Refused
    {
        QString text;
        QString message;
    };
    const Refused refused[] = {
        {"Why?", "Speaker name contains an invalid character \\ / : * ? \" < > !"},
        {"intro", "Speaker 'intro' already exist. Please select another name"},
        {"Other", "Speaker 'Other' already exist. Please select another name"},
    };
    for (const Refused& r : refused) {
        list.beginRename(1);
        EXPECT_EQ(list.endRename(1, r.text), SpeakerList::RenameResult::EditAgain);
        EXPECT_EQ(messages.last(), r.message);
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

TEST_F(SpeakerListTest, DraggingAndRemovingKeepTableAndSelectionInStep)
{
    addSpeakers(5);
    list.moveRow(2, 4);
    EXPECT_EQ(names(), (QStringList{"S1", "S3", "S4", "S2", "S5"}));
    EXPECT_EQ(list.selectedRow(), 4);
    list.moveRow(4, 2);
    list.moveRow(4, 2);
    EXPECT_EQ(names(), (QStringList{"S1", "S4", "S2", "S3", "S5"}));

    list.setSelectedRow(5);
    list.MnuRemove_Click();
    EXPECT_EQ(names(), (QStringList{"S1", "S4", "S2", "S3"}));
    EXPECT_EQ(list.selectedRow(), 4);
    list.setSelectedRow(1);
    list.MnuRemove_Click();
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(doc.Speakers[3].Name, ""); // the freed slot is empty
    for (int i = 0; i < 3; ++i)
        list.MnuRemove_Click();
    EXPECT_EQ(doc.SpeakerCount, 0);
    EXPECT_EQ(list.selectedRow(), 0);
    list.MnuRemove_Click();
    EXPECT_EQ(doc.SpeakerCount, 0);
}

TEST_F(SpeakerListTest, ShowCopyAndTheContextMenu)
{
    addSpeakers(3);
    presentations.addPresentation(doc.Speakers[0].FilePath, 4);
    list.setSelectedRow(1);
    list.MnuShow_Click();
    ASSERT_TRUE(presentations.lastOpened());
    EXPECT_TRUE(shell.opened.isEmpty());
    // A file the presentation program cannot open goes to the desktop instead.
    list.setSelectedRow(2);
    list.MnuShow_Click();
    EXPECT_EQ(shell.opened, QStringList{doc.Speakers[1].FilePath});

    clipboard.putOther();
    SpeakerList::MenuState state = list.contextMenuState(0, false);
    EXPECT_FALSE(state.paste);
    EXPECT_FALSE(state.show);
    EXPECT_TRUE(state.copyAll);
    list.MnuCopyAll_Click();
    EXPECT_EQ(clipboard.fileList(), (QStringList{doc.Speakers[0].FilePath, doc.Speakers[1].FilePath,
                                                 doc.Speakers[2].FilePath}));
    state = list.contextMenuState(2, false);
    EXPECT_TRUE(state.paste && state.show && state.rename && state.remove && state.open);
    EXPECT_FALSE(state.upload);
}

} // namespace
