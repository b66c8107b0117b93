#include "setup/PopUpsFileCommands.h"
#include "tests/setup/FakeServices.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PopUpsFileCommandsTest : public ::testing::Test, protected FakeServices
{
protected:
    PopUpsFileCommandsTest()
    {
        doc.RunFolder = dir.path("run");
        QDir().mkpath(doc.RunFolder);
        doc.SlideImageFormat = SlideFormat::Emf;
        commands.setSlideSizes(QSize(40, 30), QSize(160, 120));
        QObject::connect(&commands, &PopUpsFileCommands::statusChanged, &commands,
                         [this](const QString& text) { statuses << text; });
    }

    void fill(int slot)
    {
        QImage full(64, 48, QImage::Format_RGB32);
        full.fill(qRgb(slot * 20, 100, 200));
        doc.PopUps[size_t(slot)] = {QStringLiteral("Slot %1").arg(slot), full, full.scaled(16, 12)};
    }

    int usedSlots() const
    {
        return int(std::count_if(doc.PopUps.begin(), doc.PopUps.end(),
                                 [](const PopUpSlot& slot) { return slot.isUsed(); }));
    }

    PopUpsFileCommands commands{doc, messages, dialogs, presentations};
    QStringList statuses;
};

} // namespace

TEST_F(PopUpsFileCommandsTest, ExportAndImportOfPopUps)
{
    fill(9);
    const PopUpSlot nine = doc.PopUps[9];
    const QString path = dir.writeFile("set.evp", "older set");
    dialogs.queueChoice(path);
    messages.queueAnswer(MsgAnswer::Cancel);
    commands.MnuPExport_Click(dir.path());
    EXPECT_EQ(messages.last(), "The file set.evp already existing.\nDo you want to replace it?");
    EXPECT_EQ(dir.readFile("set.evp"), "older set");

    dialogs.queueChoice(path);
    messages.queueAnswer(MsgAnswer::Ok);
    commands.MnuPExport_Click(dir.path());
    EXPECT_EQ(dialogs.lastFilter(), "Stagor PopUps (evp) |*.evp");
    EXPECT_EQ(dialogs.lastReplaceQuestion(), FileDialogService::ReplaceQuestion::ByCommand)
        << "the dialog would ask before the command's own question";
    EXPECT_TRUE(dir.readFile("set.evp").startsWith("[ImgPopUps][9][6]Slot 9["));

    for (int slot = 0; slot < 9; ++slot)
        fill(slot);
    doc.PopUps[9].clear();
    QSignalSpy changed(&commands, &PopUpsFileCommands::popUpsChanged);
    dialogs.queueChoice(path);
    messages.queueAnswer(MsgAnswer::Yes);
    commands.MnuPImport_Click(dir.path());
    EXPECT_EQ(messages.last(), "This action will overwrite existing PopUps. Continue?");
    EXPECT_EQ(changed.size(), 2); // emptied, then read
    EXPECT_EQ(usedSlots(), 1);
    EXPECT_EQ(doc.PopUps[9].Name, nine.Name);
    EXPECT_EQ(doc.PopUps[9].Full, nine.Full);

    // A declined question keeps the slots; a cancelled file dialog empties them.
    messages.queueAnswer(MsgAnswer::No);
    commands.MnuPImport_Click(dir.path());
    EXPECT_EQ(usedSlots(), 1);
    messages.queueAnswer(MsgAnswer::Yes);
    commands.MnuPImport_Click(dir.path());
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_EQ(doc.PopUps[9].Name, PopUpSlot::EmptyName);

    // With nothing to overwrite there is no question; a file of another kind empties too.
    messages.clear();
    dialogs.queueChoice(dir.writeFile("event.evp", "[vesk stagor][Version][5.2]"));
    commands.MnuPImport_Click(dir.path());
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());

    // A presentation fills one slot per slide, up to ten.
    const QString deck = dir.path(QStringLiteral("deck.pptx"));
    presentations.addPresentation(deck, 12);
    dialogs.queueChoice(deck);
    QSignalSpy busy(&commands, &PopUpsFileCommands::busyChanged);
    changed.clear();
    commands.MnuPImport_Click(dir.path());
    // The slides are exported off this thread; another import meanwhile is refused.
    EXPECT_TRUE(commands.isBusy());
    EXPECT_EQ(usedSlots(), 0);
    commands.MnuPImport_Click(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !commands.isBusy(); }, 5000));
    ASSERT_EQ(busy.size(), 2);
    EXPECT_TRUE(busy[0][0].toBool());
    EXPECT_EQ(changed.size(), 2); // emptied, then filled
    EXPECT_EQ(usedSlots(), 10);
    EXPECT_EQ(doc.PopUps[9].Name, "PopUp");
    EXPECT_EQ(doc.PopUps[9].Full.pixel(80, 60), FakePresentationDocument::colourOf(10));
    EXPECT_EQ(statuses.first(), "Importing PopUp - 0");
    EXPECT_EQ(statuses.last(), QString());
    EXPECT_EQ(presentations.lastOpened(), nullptr); // closed again

    // A presentation the program cannot open: the operator is told, the slots stay empty.
    presentations.failToOpen(dir.path("broken.ppt"));
    presentations.addPresentation(dir.path("broken.ppt"), 2);
    messages.queueAnswer(MsgAnswer::Yes);
    dialogs.queueChoice(dir.path("broken.ppt"));
    commands.MnuPImport_Click(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !commands.isBusy(); }, 5000));
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_TRUE(messages.last().contains("broken.ppt")) << messages.last().toStdString();
}
