#include "setup/SetupController.h"
#include "document/FileKind.h"
#include "document/SpeakerTable.h"
#include "setup/CommandLine.h"
#include "tests/setup/FakeServices.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class SetupControllerTest : public ::testing::Test, protected FakeServices
{
protected:
    SetupControllerTest()
    {
        options.appFolder = dir.path("app/");
        options.instanceId = 4242;
        options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
        options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
        options.environment.insert("HOME", dir.path("home"));
    }

    void start() { ASSERT_TRUE(controller.startUp(options)); }

    void addSpeaker(const QString& name)
    {
        FakeServices::addSpeaker(name, dir.path(name + ".pptx"));
    }

    // Saves the current event under a name, as an operator's earlier session would have.
    QString saveAsFile(const QString& name)
    {
        dialogs.queueChoice(dir.path(name));
        EXPECT_TRUE(controller.saveAs());
        return dir.path(name);
    }

    SetupController controller{doc, messages, dialogs};
    SetupController::StartUpOptions options;
};

} // namespace

TEST_F(SetupControllerTest, UntouchedStartThenClosingAndOpeningAskAboutChangesAndKeepTheEvent)
{
    QImage full(64, 36, QImage::Format_RGB32);
    full.fill(Qt::darkBlue);
    QDir().mkpath(dir.path("app"));
    ASSERT_TRUE(full.save(dir.path("app/dtitle"), "PNG"));
    ASSERT_TRUE(full.scaled(16, 9).save(dir.path("app/dtitle-sm"), "PNG"));
    start();
    // The run folder named by the instance and the title: e2e.start_and_close, e2e.accessibility.
    EXPECT_TRUE(QFileInfo(dir.path("app/4242/Preview")).isDir() &&
                QFileInfo(dir.path("veskCast")).isDir());
    EXPECT_EQ(doc.ImportDir, dir.path("desktop/"));
    EXPECT_EQ(doc.ImgHolding.size(), QSize(16, 9));
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(64, 36));
    // The baseline holds the default slide, so the untouched event still has no changes. Nothing
    // asked on closing, Previous.INI and the run folder: e2e.start_and_close_untouched.
    EXPECT_FALSE(controller.hasUnsavedChanges());

    addSpeaker("Ada");
    // Cancel and No on closing: SetupWindowTest. Yes on an untitled event asks for a name; no
    // name chosen keeps the window open.
    messages.queueAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(controller.closeQuery());
    EXPECT_EQ(messages.last(), "Do you want to save changes to Untitled?");
    messages.queueAnswer(MsgAnswer::Yes);
    const QString path = dir.path("Conference.evf");
    dialogs.queueChoice(path);
    EXPECT_TRUE(controller.closeQuery());
    EXPECT_EQ(doc.EventFileTitle, "Conference.evf");

    // Choosing the open file again asks to revert; No keeps the changed event.
    addSpeaker("Grace");
    dialogs.queueChoice(path);
    messages.queueAnswer(MsgAnswer::No);
    controller.openEvent();
    EXPECT_EQ(messages.last(), "Do you want to revert to previous Conference?");
    EXPECT_EQ(doc.Speakers.count(), 2);
    dialogs.queueChoice(path);
    messages.queueAnswer(MsgAnswer::Yes);
    controller.openEvent();
    EXPECT_EQ(doc.Speakers.count(), 1);

    // Another file with unsaved changes asks to save them first; Yes saves it in place.
    saveAsFile("Other.evf");
    addSpeaker("Linus");
    dialogs.queueChoice(path);
    messages.queueAnswer(MsgAnswer::Yes);
    controller.openEvent();
    EXPECT_EQ(messages.last(), "Do you want to save changes to Other?");
    EXPECT_TRUE(dir.readFile("Other.evf").contains("Linus"));
    EXPECT_EQ(doc.EventFileTitle, "Conference.evf");
    EXPECT_EQ(doc.Speakers.count(), 1);

    // Truncated: the event and its name stay as they were. The reader's other messages:
    // EventFileTest.
    QByteArray bytes = dir.readFile("Conference.evf");
    dialogs.queueChoice(dir.writeFile("Damaged.evf", bytes.left(bytes.size() / 2)));
    controller.openEvent();
    EXPECT_TRUE(messages.last().startsWith("The event file is damaged"));
    EXPECT_EQ(doc.Speakers.count(), 1);
    EXPECT_EQ(doc.EventFilePath, path);

    // A zipped event file cut short ends its open later, with the event and its name kept.
    dir.writeFile("Ada.pptx", QByteArray(1500000, 'a'));
    ASSERT_TRUE(controller.SaveFile(dir.path("Packed.zev"), true));
    bytes = dir.readFile("Packed.zev");
    dialogs.queueChoice(dir.writeFile("Cut.zev", bytes.left(bytes.size() - 1000)));
    QSignalSpy replaced(&controller, &SetupController::eventReplaced);
    controller.openEvent();
    EXPECT_TRUE(controller.isBusy());
    ASSERT_TRUE(replaced.wait(20000));
    EXPECT_FALSE(controller.isBusy());
    EXPECT_EQ(messages.last(), "The presentations of the zipped event file could not be "
                               "unpacked: the file ends before Ada.pptx is complete.");
    EXPECT_EQ(doc.Speakers[0].FilePath, dir.path("Ada.pptx"));
    EXPECT_EQ(doc.EventFilePath, path);

    // Another product's file: the speakers emptied, the new name kept.
    dialogs.queueChoice(dir.writeFile("Foreign.evf", "[other product][End Data]"));
    controller.openEvent();
    EXPECT_EQ(messages.last(), "Incompatible Files");
    EXPECT_EQ(doc.Speakers.count(), 0);
    EXPECT_EQ(doc.EventFileTitle, "Foreign.evf");
    QFile::remove(dir.path("Other.evf"));
    controller.shutDown();
    EXPECT_TRUE(QFileInfo::exists(dir.path("app/LiveCast.INI")));

    // The next start drops a recent entry whose file has gone. Named on its command line, the
    // whole zipped file opens after the start has read its own settings, and keeps them.
    dir.writeFile("app/oem.ini", "Acme AV\r\nhttps://acme.example/\r\nAcme\r\nacme\r\n");
    EventDocument nextDoc;
    SetupController next(nextDoc, messages, dialogs);
    options.instanceId = 4243;
    options.commandLineFile = dir.path("Packed.zev");
    QSignalSpy nextReplaced(&next, &SetupController::eventReplaced);
    ASSERT_TRUE(next.startUp(options));
    EXPECT_TRUE(next.isBusy());
    ASSERT_TRUE(nextReplaced.wait(20000));
    EXPECT_EQ(nextDoc.OemShortName, "acme");
    EXPECT_EQ(nextDoc.EventFileTitle, "Untitled.evf");
    EXPECT_EQ(QFileInfo(nextDoc.Speakers[0].FilePath).size(), 1500000);
    EXPECT_EQ(next.recentFiles().paths(), QStringList{path});
}

TEST_F(SetupControllerTest, SaveAsAsksBeforeReplacingAndRecentEntriesFollowTheFiles)
{
    start();
    addSpeaker("Ada");
    const QString a = saveAsFile("A.evf");
    const QString b = dir.writeFile("B.evf", "someone else's event");
    dialogs.queueChoice(b);
    messages.queueAnswer(MsgAnswer::No);
    EXPECT_FALSE(controller.saveAs());
    EXPECT_EQ(messages.last(), "Do you want to replace the existing B?");
    EXPECT_EQ(dialogs.lastReplaceQuestion(), FileDialogService::ReplaceQuestion::ByCommand)
        << "the dialog would ask first";
    EXPECT_EQ(dir.readFile("B.evf"), "someone else's event");
    dialogs.queueChoice(b);
    messages.queueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(controller.saveAs());
    EXPECT_EQ(doc.EventFileTitle, "B.evf");

    const QString c = saveAsFile("C.evf");
    ASSERT_EQ(controller.recentFiles().paths(), QStringList({c, b, a}));
    controller.openRecent(2);
    EXPECT_EQ(doc.EventFilePath, a);
    EXPECT_EQ(controller.recentFiles().paths(), QStringList({a, c, b}));

    QFile::remove(b);
    controller.openRecent(2);
    EXPECT_EQ(messages.last(), "B.evf is no longer available");
    EXPECT_EQ(doc.EventFilePath, a);
}

// The folder option and a file as separate arguments: e2e.play_mode. Opening each kind of file
// from the command line: SetupControllerTest and SetupWindowTest.
TEST(CommandLineTest, QuotedFileFolderOptionWithItsValueAttachedAndTheFileKind)
{
    const CommandLine line = CommandLine::parse({"\"/data/My Event.evf\"", "--app-folder=/x"});
    EXPECT_EQ(line.file, "/data/My Event.evf");
    EXPECT_EQ(line.appFolder, "/x");
    EXPECT_EQ(CommandLine::parse({"\"\""}).file, "") << "a quoted empty name";
    const std::pair<const char*, FileKind> kinds[] = {
        {"Event.EVF", FileKind::EventFile}, {"Event.zev", FileKind::ZippedEvent},
        {"Set.evp", FileKind::PopUpsFile},  {"Talk.PPTX", FileKind::Presentation},
        {"Talk.pps", FileKind::Show},       {"Movie.swf", FileKind::Flash},
        {"Notes.txt", FileKind::Unknown}};
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(fileKindOf(QStringLiteral("/a/") + name), kind) << name;
    EXPECT_TRUE(SpeakerTable::isShowFile("/a/Talk.PPSX"));
    EXPECT_FALSE(SpeakerTable::isShowFile("/a/Talk.pptx"));
}
