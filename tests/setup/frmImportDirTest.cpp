#include "frmImportDir.h"
#include "TestFolder.h"

#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QStringList childTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

QStringList boldKeys(const QTreeWidget* tree)
{
    QStringList keys;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        if ((*it)->font(0).bold())
            keys.append(frmImportDir::keyOf(*it));
    }
    return keys;
}

// desk/Slides; drive/Talks/{2013/old, 2014/Day1}, drive/Other, drive/.hidden/x, drive/file.ppt
struct Folders
{
    TestFolder dir;
    QString desktop = dir.path("desk") + "/";
    QString drive = dir.path("drive");

    Folders()
    {
        for (const char* folder : {"desk/Slides", "drive/Talks/2013/old", "drive/Talks/2014/Day1",
                                   "drive/Other", "drive/.hidden/x"})
            QDir().mkpath(dir.path(folder));
        dir.writeFile("drive/file.ppt", "x");
        dir.writeFile("drive/Other/notes.txt", "x");
    }
};

} // namespace

TEST(frmImportDirTest, OpensAlongTheImportFolderWithPlaceholdersOnlyWhereNeeded)
{
    Folders f;
    frmImportDir dialog(f.drive + "/Talks/2014/", f.desktop, {f.drive});
    QTreeWidget* tree = dialog.tree();
    EXPECT_EQ(dialog.windowTitle(), "Import Directory");
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Desktop");
    EXPECT_EQ(frmImportDir::keyOf(tree->topLevelItem(0)), f.dir.path("desk"));
    EXPECT_FALSE(tree->topLevelItem(0)->isExpanded());
    EXPECT_EQ(childTexts(tree->topLevelItem(0)), QStringList{"Temp"});
    EXPECT_EQ(tree->topLevelItem(1)->text(0), f.drive);

    QTreeWidgetItem* drive = dialog.node(f.drive);
    QTreeWidgetItem* talks = dialog.node(f.drive + "/Talks");
    QTreeWidgetItem* chosen = dialog.node(f.drive + "/Talks/2014");
    ASSERT_TRUE(drive && talks && chosen);
    EXPECT_TRUE(drive->isExpanded() && talks->isExpanded() && chosen->isExpanded());
    // Hidden folders and files are not listed; a folder without subfolders gets no expand sign.
    EXPECT_EQ(childTexts(drive), QStringList({"Other", "Talks"}));
    EXPECT_EQ(dialog.node(f.drive + "/Other")->childCount(), 0);
    EXPECT_EQ(childTexts(dialog.node(f.drive + "/Talks/2013")), QStringList{"Temp"});
    EXPECT_EQ(childTexts(chosen), QStringList{"Day1"});
    EXPECT_EQ(boldKeys(tree), QStringList{f.drive + "/Talks/2014"});
    EXPECT_EQ(tree->currentItem(), chosen);

    frmImportDir onDesktop(f.desktop + "Slides/", f.desktop, {f.drive});
    EXPECT_TRUE(onDesktop.tree()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(onDesktop.node(f.desktop + "Slides")->parent(), onDesktop.tree()->topLevelItem(0));
    EXPECT_EQ(boldKeys(onDesktop.tree()), QStringList{f.desktop + "Slides"});
}

TEST(frmImportDirTest, ReopeningShowsFoldersMadeMeanwhileAndOkStoresTheChoice)
{
    Folders f;
    frmImportDir dialog(f.drive + "/Talks/2014/", f.desktop, {f.drive});
    QTreeWidgetItem* talks = dialog.node(f.drive + "/Talks");
    talks->setExpanded(false);
    EXPECT_EQ(childTexts(talks), QStringList{"Temp"});
    EXPECT_EQ(dialog.node(f.drive + "/Talks/2014"), nullptr);
    EXPECT_EQ(dialog.tree()->currentItem(), talks);

    QDir().mkpath(f.drive + "/Talks/2015/Day2");
    QDir(f.drive + "/Talks/2013/old").removeRecursively();
    talks->setExpanded(true);
    EXPECT_EQ(childTexts(talks), QStringList({"2013", "2014", "2015"}));
    EXPECT_EQ(dialog.node(f.drive + "/Talks/2013")->childCount(), 0);
    EXPECT_EQ(childTexts(dialog.node(f.drive + "/Talks/2015")), QStringList{"Temp"});
    // The choice is still the choice when its node comes back.
    EXPECT_EQ(boldKeys(dialog.tree()), QStringList{f.drive + "/Talks/2014"});

    // Selecting makes the choice; only OK stores it, with a trailing separator.
    dialog.tree()->setCurrentItem(dialog.node(f.drive + "/Other"));
    EXPECT_EQ(boldKeys(dialog.tree()), QStringList{f.drive + "/Other"});
    EXPECT_EQ(dialog.ImportDir(), f.drive + "/Talks/2014/");
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ImportDir(), f.drive + "/Other/");
}

TEST(frmImportDirTest, RootEscapeAndAVanishedChoice)
{
    Folders f;
    frmImportDir root("/", f.desktop, {f.drive, "/"});
    EXPECT_EQ(boldKeys(root.tree()), QStringList{"/"});
    // The root's children are keyed "/tmp", not "//tmp".
    EXPECT_NE(root.node(f.drive.section('/', 0, 1)), nullptr);
    root.ComOk_Click();
    EXPECT_EQ(root.ImportDir(), "/");

    // Closing any other way, or a choice that has vanished, changes nothing.
    frmImportDir escaped(f.drive + "/Other/", f.desktop, {f.drive});
    escaped.tree()->setCurrentItem(escaped.node(f.drive));
    escaped.reject();
    EXPECT_EQ(escaped.ImportDir(), f.drive + "/Other/");
    frmImportDir vanished(f.drive + "/Gone/Away/", f.desktop, {f.drive});
    EXPECT_TRUE(boldKeys(vanished.tree()).isEmpty());
    vanished.ComOk_Click();
    EXPECT_EQ(vanished.ImportDir(), f.drive + "/Gone/Away/");
}
