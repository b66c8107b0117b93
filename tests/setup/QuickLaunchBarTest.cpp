#include "QuickLaunchBar.h"
#include "EventDocument.h"
#include "FakeDriveTypeSource.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "QuickLaunchPanel.h"
#include "TestFolder.h"
#include "frmSetup.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using Icon = QuickLaunchBar::Icon;

class QuickLaunchBarTest : public ::testing::Test
{
protected:
    QuickLaunchBarTest()
    {
        doc.DesktopFolder = folder.path("desktop/");
        doc.ImportDir = folder.path("import/");
        doc.QuickLaunchTimeCode = QStringLiteral("201500");
        drives.set(folder.path("usb"), DriveTypeSource::Removable);
        drives.set(folder.path("share"), DriveTypeSource::Remote);
        drives.set(folder.path("lost"), DriveTypeSource::Unknown);
    }

    QString file(const QString& name) { return folder.writeFile(name, name.toUtf8()); }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp presentations;
    FakeDriveTypeSource drives;
    QuickLaunchBar bar{doc, messages, dialogs, presentations, drives};
};

} // namespace

TEST_F(QuickLaunchBarTest, DropTakesTheFirstFileByItsEnding)
{
    EXPECT_EQ(bar.title(), "Unassigned");
    EXPECT_EQ(bar.icon(), Icon::None);
    EXPECT_FALSE(bar.canShowProperties());

    const struct
    {
        const char* name;
        Icon icon;
    } accepted[] = {{"Talk.ppt", Icon::Presentation},
                    {"Talk.PPTX", Icon::Presentation},
                    {"Loop.pps", Icon::Show},
                    {"Loop.ppsx", Icon::Show}};
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.name);
        doc.QuickLaunchTimeCode = QStringLiteral("201500");
        const QString path = file(c.name);
        bar.drop({path});
        EXPECT_EQ(doc.QuickLaunchFile, path);
        EXPECT_EQ(bar.title(), c.name);
        EXPECT_EQ(bar.icon(), c.icon);
        EXPECT_TRUE(doc.QuickLaunchTimeCode.isEmpty());
        EXPECT_TRUE(bar.canShowProperties());
    }

    // A Flash movie has no picture: the show icon of the last file stays.
    const QString movie = file("intro.swf");
    bar.drop({movie, file("other.ppt")});
    EXPECT_EQ(doc.QuickLaunchFile, movie);
    EXPECT_EQ(bar.title(), "intro.swf");
    EXPECT_EQ(bar.icon(), Icon::Show);

    // Only the first file counts, and anything else is ignored without a word.
    QSignalSpy changed(&bar, &QuickLaunchBar::changed);
    bar.drop({file("notes.doc"), file("Talk2.ppt")});
    bar.drop({file("ppt")});
    bar.drop({});
    EXPECT_EQ(doc.QuickLaunchFile, movie);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(QuickLaunchBarTest, OpenAssignsAnExistingPresentationOnly)
{
    // Cancelled, a typed name that does not exist, and a file that is no presentation.
    bar.Open_Click(folder.path());
    dialogs.queueChoice(folder.path("missing.ppt"));
    bar.Open_Click(folder.path());
    dialogs.queueChoice(file("notes.txt"));
    bar.Open_Click(folder.path());
    EXPECT_TRUE(doc.QuickLaunchFile.isEmpty());
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");
    EXPECT_EQ(dialogs.lastFilter(), "PowerPoint Preentations |*.ppt;*.pptx;*.pps;*.ppsx");
    EXPECT_EQ(dialogs.lastFolder(), folder.path());

    const QString show = file("Closing.ppsx");
    dialogs.queueChoice(show);
    bar.Open_Click(folder.path());
    EXPECT_EQ(doc.QuickLaunchFile, show);
    EXPECT_EQ(bar.icon(), Icon::Show);
    EXPECT_TRUE(doc.QuickLaunchTimeCode.isEmpty());
}

TEST_F(QuickLaunchBarTest, FilesFromRemovableOrNetworkDrivesAreCopiedUnderAFreeName)
{
    file("import/Talk.ppt");
    const QString stick = file("usb/Talk.ppt");
    bar.drop({stick});
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Talk2.ppt"));
    EXPECT_EQ(bar.title(), "Talk2.ppt");
    EXPECT_EQ(folder.readFile("import/Talk2.ppt"), "usb/Talk.ppt");
    EXPECT_TRUE(QFileInfo::exists(stick));

    dialogs.queueChoice(file("share/Keynote.pptx"));
    bar.Open_Click(folder.path());
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Keynote.pptx"));

    // A fixed disk keeps the file where it is.
    const QString local = file("talks/Local.pps");
    bar.drop({local});
    EXPECT_EQ(doc.QuickLaunchFile, local);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(QuickLaunchBarTest, UndeterminedDriveKeepsThePreviousFile)
{
    const QString kept = file("Kept.ppt");
    bar.drop({kept});

    dialogs.queueChoice(file("lost/Gone.ppt"));
    bar.Open_Click(folder.path());
    EXPECT_EQ(messages.last(), "Error Drive Undetermined.");
    EXPECT_EQ(messages.lastIcon(), MsgIcon::Exclamation);

    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    bar.drop({file("lost/Gone.pps")});
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
    EXPECT_EQ(messages.texts().size(), 2);

    EXPECT_EQ(doc.QuickLaunchFile, kept);
    EXPECT_EQ(bar.icon(), Icon::Presentation);
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");
    EXPECT_FALSE(QFileInfo::exists(folder.path("import/Gone.pps")));
}

TEST_F(QuickLaunchBarTest, ShowRunsPresentationsAndHandsFlashMoviesOn)
{
    const QString talk = file("Talk.pptx");
    presentations.addPresentation(talk, 3);
    bar.drop({talk});
    bar.Show_Click();
    ASSERT_NE(presentations.lastOpened(), nullptr);
    EXPECT_EQ(presentations.lastOpened()->showsStarted(), 1);

    // A file the program cannot open is shown no message and leaves nothing open.
    presentations.closeAll();
    const QString broken = file("Broken.ppt");
    bar.drop({broken});
    bar.Show_Click();
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());

    QSignalSpy flash(&bar, &QuickLaunchBar::flashRequested);
    const QString movie = file("intro.swf");
    bar.drop({movie});
    bar.Show_Click();
    ASSERT_EQ(flash.count(), 1);
    EXPECT_EQ(flash.at(0).at(0).toString(), movie);
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);
}

TEST_F(QuickLaunchBarTest, CutOrAVanishedFileUnassignsAndShowThenDoesNothing)
{
    const QString talk = file("Talk.ppt");
    presentations.addPresentation(talk, 2);
    bar.drop({talk});
    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    bar.Cut_Click();
    EXPECT_TRUE(doc.QuickLaunchFile.isEmpty());
    EXPECT_EQ(bar.title(), "Unassigned");
    EXPECT_EQ(bar.icon(), Icon::None);
    EXPECT_FALSE(bar.canShowProperties());
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");

    QSignalSpy flash(&bar, &QuickLaunchBar::flashRequested);
    bar.Show_Click();
    EXPECT_EQ(presentations.starts(), 0);
    EXPECT_EQ(flash.count(), 0);

    // A file that disappears (a stick pulled out) is unassigned by the periodic check.
    bar.drop({talk});
    bar.Timer1_Timer();
    EXPECT_EQ(doc.QuickLaunchFile, talk);
    QFile::remove(talk);
    bar.Timer1_Timer();
    EXPECT_EQ(bar.title(), "Unassigned");
    EXPECT_EQ(bar.icon(), Icon::None);
}

TEST_F(QuickLaunchBarTest, PanelTakesDropsAndShowsTheSlot)
{
    QuickLaunchPanel panel(bar, presentations, [this] { return folder.path(); });
    EXPECT_EQ(panel.fileTitle()->text(), "Unassigned");
    EXPECT_FALSE(panel.button("Properties")->isEnabled());
    for (const char* key : {"Open", "Cut", "Properties", "Show"})
        EXPECT_NE(panel.toolbar()->widgetForAction(panel.button(key))->focusPolicy(), Qt::NoFocus)
            << key;

    const auto dragAndDrop = [&panel](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&panel, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&panel, &drop);
        return enter.isAccepted();
    };
    EXPECT_FALSE(dragAndDrop(file("notes.doc")));
    EXPECT_EQ(panel.fileTitle()->text(), "Unassigned");

    EXPECT_TRUE(dragAndDrop(file("Closing.ppsx")));
    EXPECT_EQ(panel.fileTitle()->text(), "Closing.ppsx");
    EXPECT_FALSE(panel.iconBox()->pixmap().isNull());
    EXPECT_TRUE(panel.button("Properties")->isEnabled());

    panel.button("Cut")->trigger();
    EXPECT_EQ(panel.fileTitle()->text(), "Unassigned");
    EXPECT_TRUE(panel.iconBox()->pixmap().isNull());
    EXPECT_FALSE(panel.button("Properties")->isEnabled());
}

TEST(QuickLaunchInSetupWindow, FollowsTheEventThroughSaveNewAndOpen)
{
    TestFolder dir;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp presentations;
    FakeDriveTypeSource drives;
    frmSetup window(messages, dialogs);
    window.setClosingWindowMs(1);
    window.buildQuickLaunch(messages, dialogs, presentations, drives);
    SetupController::StartUpOptions options;
    options.appFolder = dir.path("app/");
    options.instanceId = 79;
    options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
    options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
    ASSERT_TRUE(window.startUp(options));
    QLabel* title = window.quickLaunch()->fileTitle();
    EXPECT_EQ(title->text(), "Unassigned");

    const QString show = dir.writeFile("Closing.pps", "pps");
    window.quickLaunchBar()->drop({show});
    const QString event = dir.path("Gala.evf");
    ASSERT_TRUE(window.controller().SaveFile(event, false));

    messages.queueAnswer(int(MsgAnswer::No)); // the untitled event's changes
    window.controller().newEvent();
    EXPECT_EQ(title->text(), "Unassigned");
    EXPECT_TRUE(window.quickLaunch()->iconBox()->pixmap().isNull());

    ASSERT_TRUE(window.controller().readEventFile(event));
    EXPECT_EQ(window.document().QuickLaunchFile, show);
    EXPECT_EQ(title->text(), "Closing.pps");
    EXPECT_FALSE(window.quickLaunch()->iconBox()->pixmap().isNull());
    window.shutDownWithoutQuestions();
}
