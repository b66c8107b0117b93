#include "show/widgets/frmRecord.h"
#include "platform/fake/FakeClipboardService.h"
#include "platform/fake/FakePresentationApp.h"
#include "platform/fake/FakeShellService.h"
#include "show/DirectShowPort.h"
#include "show/ShowLogFiles.h"
#include "tests/fakes/TestFolder.h"

#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(frmRecord, OnlyAvailableFilesAreOpenedOrCopied)
{
    TestFolder app;
    const QString here = app.writeFile(QStringLiteral("here.pptx"), "deck");
    const QDateTime now(QDate(2026, 3, 14), QTime(20, 0));
    ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Gone"), app.path("gone.ppt"), now);
    ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Here"), here, now);
    FakeShellService shell;
    FakePresentationApp program;
    DirectShowPort shows(program);
    FakeClipboardService clipboard;

    frmRecord window(app.folder(), shell, shows, clipboard);
    QTreeWidget* list = window.LstRecord();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->topLevelItemCount() == 2; }, 2000));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("No"));

    list->setCurrentItem(list->topLevelItem(0)); // the file that has gone
    window.MnuOpen_Click();
    window.MnuShow_Click();
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_EQ(program.openPresentationCount().value(), 0);

    list->setCurrentItem(list->topLevelItem(1));
    window.MnuOpen_Click();
    EXPECT_EQ(shell.opened, QStringList{here});

    list->selectAll();
    window.MnuCopy_Click();
    EXPECT_EQ(clipboard.fileList(), QStringList{here});
}
