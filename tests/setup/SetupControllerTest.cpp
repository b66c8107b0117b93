#include "SetupController.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

class SetupControllerTest : public ::testing::Test
{
protected:
    SetupControllerTest() : controller(doc, messages, dialogs)
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
        doc.Speakers[size_t(doc.SpeakerCount++)] = {
            name, name + ".pptx", dir.path(name + ".pptx"), {}};
    }

    // Saves the current event under a name, as an operator's earlier session would have.
    QString saveAsFile(const QString& name)
    {
        dialogs.queueChoice(dir.path(name));
        EXPECT_TRUE(controller.saveAs());
        return dir.path(name);
    }

    TestFolder dir;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    SetupController controller;
    SetupController::StartUpOptions options;
};

} // namespace

TEST_F(SetupControllerTest, UntouchedStartSetsTheFoldersAndTheDefaultHoldingSlide)
{
    QImage full(64, 36, QImage::Format_RGB32);
    full.fill(Qt::darkBlue);
    QDir().mkpath(dir.path("app"));
    ASSERT_TRUE(full.save(dir.path("app/dtitle"), "PNG"));
    ASSERT_TRUE(full.scaled(16, 9).save(dir.path("app/dtitle-sm"), "PNG"));
    start();
    const QString run = dir.path("app/4242");
    EXPECT_EQ(doc.RunFolder, run);
    EXPECT_TRUE(QFileInfo(run + "/Preview").isDir());
    EXPECT_TRUE(QFileInfo(dir.path("veskCast")).isDir());
    EXPECT_EQ(doc.EventFileTitle, "Untitled.evf");
    EXPECT_TRUE(QFileInfo::exists(run + "/Untitled.evf"));
    EXPECT_EQ(doc.ImportDir, dir.path("desktop/"));
    EXPECT_EQ(doc.ImgHolding.size(), QSize(16, 9));
    EXPECT_EQ(doc.ImgHoldingFull.size(), QSize(64, 36));
    // The baseline holds the default slide, so the untouched event still has no changes.
    EXPECT_FALSE(controller.hasUnsavedChanges());

    // Nothing asked, Previous.INI and the run folder: e2e.start_and_close_untouched.
    controller.shutDown();
    EXPECT_TRUE(QFileInfo::exists(dir.path("app/LiveCast.INI")));
}

TEST_F(SetupControllerTest, CloseQueryAnswers)
{
    start();
    addSpeaker("Ada");
    // Cancel and No: SetupWindowTest. Yes on an untitled event asks for a name; no name chosen
    // keeps the window open.
    messages.queueAnswer(int(MsgAnswer::Yes));
    EXPECT_FALSE(controller.closeQuery());
    EXPECT_EQ(messages.last(), "Do you want to save changes to Untitled?");
    messages.queueAnswer(int(MsgAnswer::Yes));
    dialogs.queueChoice(dir.path("Evening.evf"));
    EXPECT_TRUE(controller.closeQuery());
    EXPECT_EQ(doc.EventFileTitle, "Evening.evf");
    EXPECT_FALSE(controller.hasUnsavedChanges());

    // Yes on a named event saves it in place.
    addSpeaker("Grace");
    messages.queueAnswer(int(MsgAnswer::Yes));
    EXPECT_TRUE(controller.closeQuery());
    EXPECT_EQ(messages.last(), "Do you want to save changes to Evening?");
    EXPECT_FALSE(controller.hasUnsavedChanges());
}

TEST_F(SetupControllerTest, OpenAsksToRevertOrSaveAndBadFilesNeverCostTheEvent)
{
    start();
    addSpeaker("Ada");
    const QString path = saveAsFile("Conference.evf");
    addSpeaker("Grace");

    // Choosing the open file again asks to revert; No keeps the changed event.
    dialogs.queueChoice(path);
    messages.queueAnswer(int(MsgAnswer::No));
    controller.openEvent();
    EXPECT_EQ(messages.last(), "Do you want to revert to previous Conference?");
    EXPECT_EQ(doc.SpeakerCount, 2);
    dialogs.queueChoice(path);
    messages.queueAnswer(int(MsgAnswer::Yes));
    controller.openEvent();
    EXPECT_EQ(doc.SpeakerCount, 1);

    // Another file with unsaved changes asks to save them first (the answers: CloseQueryAnswers).
    saveAsFile("Other.evf");
    addSpeaker("Linus");
    dialogs.queueChoice(path);
    messages.queueAnswer(int(MsgAnswer::No));
    controller.openEvent();
    EXPECT_EQ(messages.last(), "Do you want to save changes to Other?");
    EXPECT_EQ(doc.EventFileTitle, "Conference.evf");
    EXPECT_EQ(doc.SpeakerCount, 1);

    // A name typed for a file that is not there does nothing, not even a message.
    const qsizetype asked = messages.texts().size();
    dialogs.queueChoice(dir.path("nowhere.evf"));
    controller.openEvent();
    EXPECT_EQ(messages.texts().size(), asked);

    // Truncated: the event and its name stay as they were.
    QByteArray bytes = dir.readFile("Conference.evf");
    dialogs.queueChoice(dir.writeFile("Damaged.evf", bytes.left(bytes.size() / 2)));
    controller.openEvent();
    EXPECT_TRUE(messages.last().startsWith("The event file is damaged"));
    EXPECT_EQ(doc.SpeakerCount, 1);
    EXPECT_EQ(doc.EventFilePath, path);

    // Another product's file: "Incompatible Files", the speakers emptied, the new name kept.
    dialogs.queueChoice(dir.writeFile("Foreign.evf", "[other product][End Data]"));
    controller.openEvent();
    EXPECT_EQ(messages.last(), "Incompatible Files");
    EXPECT_EQ(doc.SpeakerCount, 0);
    EXPECT_EQ(doc.EventFileTitle, "Foreign.evf");
}

TEST_F(SetupControllerTest, SaveAsAsksBeforeReplacingAndRecentEntriesFollowTheFiles)
{
    start();
    addSpeaker("Ada");
    const QString a = saveAsFile("A.evf");
    // Onto its own path: no question.
    dialogs.queueChoice(a);
    EXPECT_TRUE(controller.saveAs());
    EXPECT_TRUE(messages.texts().isEmpty());

    const QString b = dir.writeFile("B.evf", "someone else's event");
    dialogs.queueChoice(b);
    messages.queueAnswer(int(MsgAnswer::No));
    EXPECT_FALSE(controller.saveAs());
    EXPECT_EQ(messages.last(), "Do you want to replace the existing B?");
    EXPECT_EQ(dir.readFile("B.evf"), "someone else's event");
    EXPECT_EQ(doc.EventFilePath, a);
    dialogs.queueChoice(b);
    messages.queueAnswer(int(MsgAnswer::Yes));
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
    EXPECT_EQ(messages.lastIcon(), MsgIcon::Exclamation);
    EXPECT_EQ(doc.EventFilePath, a);
    // The entry stays until the next start drops it.
    EXPECT_EQ(controller.recentFiles().paths().size(), 3);
    controller.shutDown();

    // The file named on the command line opens as saved, with nothing to ask on closing.
    EventDocument nextDoc;
    FakeMessageService nextMessages;
    SetupController next(nextDoc, nextMessages, dialogs);
    options.instanceId = 4243;
    options.commandLineFile = c;
    ASSERT_TRUE(next.startUp(options));
    EXPECT_EQ(next.recentFiles().paths(), QStringList({a, c}));
    EXPECT_EQ(nextDoc.EventFileTitle, "C.evf");
    EXPECT_EQ(nextDoc.Speakers[0].Name, "Ada");
    EXPECT_TRUE(next.closeQuery());
    EXPECT_TRUE(nextMessages.texts().isEmpty());
}

TEST_F(SetupControllerTest, CaptionAlternatesEveryFiveSeconds)
{
    start();
    saveAsFile("Gala.evf");
    QStringList captions;
    for (int tick = 1; tick <= 40; ++tick) {
        const QString caption = controller.captionTick();
        if (!caption.isEmpty())
            captions << QString::number(tick) + ":" + caption;
    }
    EXPECT_EQ(captions, QStringList({"10:vesk stagor", "20:Gala", "30:vesk stagor", "40:Gala"}));
}
