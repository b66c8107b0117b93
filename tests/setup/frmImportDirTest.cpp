#include "setup/widgets/frmImportDir.h"
#include "setup/ImportDirFolders.h"
#include "tests/fakes/TestFolder.h"

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

} // namespace

// desk/Slides; drive/Talks/{2013/old, 2014/Day1}, drive/Other, drive/.hidden/x, drive/file.ppt
TEST(frmImportDirTest, OpensAlongTheImportFolderAndStoresOnlyOnOk)
{
    TestFolder dir;
    for (const char* folder : {"desk/Slides", "drive/Talks/2013/old", "drive/Talks/2014/Day1",
                               "drive/Other", "drive/.hidden/x"})
        QDir().mkpath(dir.path(folder));
    dir.writeFile("drive/file.ppt", "x");
    dir.writeFile("drive/Other/notes.txt", "x");
    const QString desktop = dir.path("desk") + "/", drive = dir.path("drive");
    frmImportDir dialog(drive + "/Talks/2014/", desktop, {drive});
    QTreeWidget* tree = dialog.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Desktop");
    EXPECT_EQ(childTexts(tree->topLevelItem(0)), QStringList{"Temp"});
    EXPECT_EQ(tree->topLevelItem(1)->text(0), drive);

    // Hidden folders and files are not listed; a folder without subfolders gets no expand sign.
    ASSERT_TRUE(dialog.node(drive + "/Talks") && dialog.node(drive + "/Talks")->isExpanded());
    EXPECT_EQ(childTexts(dialog.node(drive)), QStringList({"Other", "Talks"}));
    EXPECT_EQ(dialog.node(drive + "/Other")->childCount(), 0);
    EXPECT_EQ(childTexts(dialog.node(drive + "/Talks/2013")), QStringList{"Temp"});
    EXPECT_EQ(childTexts(dialog.node(drive + "/Talks/2014")), QStringList{"Day1"});
    EXPECT_EQ(boldKeys(tree), QStringList{drive + "/Talks/2014"});
    EXPECT_EQ(tree->currentItem(), dialog.node(drive + "/Talks/2014"));

    // Selecting makes the choice; only OK stores it, with a trailing separator.
    tree->setCurrentItem(dialog.node(drive + "/Other"));
    EXPECT_EQ(dialog.ImportDir(), drive + "/Talks/2014/");
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ImportDir(), drive + "/Other/");

    // The levels opened along a folder, counted by separator: the first is the root itself.
    QStringList levels;
    for (int n = 1; n <= 3; ++n)
        levels << ImportDirFolders::PathPrefix("/a/b", n);
    EXPECT_EQ(levels, QStringList({"/", "/a", ImportDirFolders::NoPrefix}));

    frmImportDir onDesktop(desktop + "Slides/", desktop, {drive});
    EXPECT_EQ(boldKeys(onDesktop.tree()), QStringList{desktop + "Slides"});
    // Closing any other way, or a choice that has vanished, changes nothing.
    frmImportDir vanished(drive + "/Gone/Away/", desktop, {drive});
    EXPECT_TRUE(boldKeys(vanished.tree()).isEmpty());
    vanished.ComOk_Click();
    EXPECT_EQ(vanished.ImportDir(), drive + "/Gone/Away/");
    vanished.tree()->setCurrentItem(vanished.node(drive));
    vanished.reject();
    EXPECT_EQ(vanished.ImportDir(), drive + "/Gone/Away/");
}
