#include "BackgroundPresentationsExtractor.h"
#include "EventFileWriter.h"
#include "FakeClipboardService.h"
#include "FakeDriveTypeSource.h"
#include "FakeFileDialogService.h"
#include "FakeFreeSpace.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakeShellService.h"
#include "ImageBlockCodec.h"
#include "LaunchController.h"
#include "LiveCastHooks.h"
#include "PopUpsFileWriter.h"
#include "ProgressDisplay.h"
#include "QuickLaunchBar.h"
#include "QuickLaunchPanel.h"
#include "SystemShowClock.h"
#include "TestFolder.h"
#include "ZippedEventExport.h"
#include "frmExport.h"
#include "frmExtract.h"
#include "frmLaunch.h"
#include "frmSetup.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The setup window built as the program builds it, on fakes.
class SetupWindowTest : public ::testing::Test
{
protected:
    SetupWindowTest()
    {
        window.setClosingWindowMs(1);
        window.buildPopUpsAndExport(messages, dialogs, program, freeSpace, drives);
        window.buildQuickLaunch(messages, dialogs, program, drives);
        window.buildShow(messages, program, clock, liveCast, shell, clipboard);
        options.appFolder = dir.path("app/");
        options.instanceId = 77;
        options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
        options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
    }

    QAction* action(const char* name) const
    {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }

    void addSpeaker(const QString& name, const QString& path)
    {
        EventDocument& doc = window.document();
        doc.Speakers[size_t(doc.SpeakerCount++)] = {name, QFileInfo(path).fileName(), path, {}};
    }

    // Sparse: large to copy, free to make.
    QString hugeFile(const QString& name)
    {
        QFile file(dir.path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64(2000) * 1000 * 1000));
        return file.fileName();
    }

    TestFolder dir;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp program;
    FakeFreeSpace freeSpace;
    FakeDriveTypeSource drives;
    SystemShowClock clock;
    LiveCastHooks liveCast;
    FakeShellService shell;
    FakeClipboardService clipboard;
    frmSetup window{messages, dialogs};
    SetupController::StartUpOptions options;
};

} // namespace

TEST_F(SetupWindowTest, SectionsAndRecentEntriesAfterSaveAsAndToolbarKeys)
{
    ASSERT_TRUE(window.startUp(options));
    QTabWidget* sections = window.sections();
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(window.recentAction(i)->isVisible());
    EXPECT_FALSE(window.recentSeparator()->isVisible());

    addSpeaker("Ada", dir.path("Ada.pptx"));
    dialogs.queueChoice(dir.path("Gala.evf"));
    window.Toolbar1_ButtonClick("Save"); // untitled: Save becomes Save As
    EXPECT_TRUE(QFileInfo::exists(dir.path("Gala.evf")));
    EXPECT_TRUE(window.recentAction(0)->isVisible());
    EXPECT_EQ(window.recentAction(0)->text(), "&1 Gala.evf");
    EXPECT_TRUE(window.recentSeparator()->isVisible());
    EXPECT_FALSE(window.recentAction(1)->isVisible());

    sections->setCurrentIndex(2);
    window.Toolbar1_ButtonClick("New");
    EXPECT_EQ(window.document().SpeakerCount, 0);
    EXPECT_TRUE(window.document().isUntitled());
    EXPECT_EQ(sections->currentIndex(), 0);
}

TEST_F(SetupWindowTest, CloseQueryKeepsTheWindowOnCancelAndCleansUpOtherwise)
{
    ASSERT_TRUE(window.startUp(options));
    window.show();
    QSignalSpy finished(&window, &frmSetup::shutDownFinished);
    addSpeaker("Ada", dir.path("Ada.pptx"));

    messages.queueAnswer(int(MsgAnswer::Cancel));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(QFileInfo(dir.path("app/77")).isDir());

    messages.queueAnswer(int(MsgAnswer::No));
    EXPECT_TRUE(window.close());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.path("app/77")));
}

TEST_F(SetupWindowTest, AlignAndSlideFormatMenu)
{
    ASSERT_TRUE(window.startUp(options));
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    window.MnuALeft_Click();
    EXPECT_EQ(window.x(), screen.left() + int(screen.width() - 0.99 * screen.width()));
    window.Toolbar1_ButtonClick("Align Right");
    EXPECT_EQ(window.x(),
              screen.left() + int(0.99 * screen.width()) - window.frameGeometry().width());

    EXPECT_TRUE(window.slideFormatAction(2)->isChecked());
    EXPECT_EQ(window.document().SlideImageFormat, "EMF");
    window.slideFormatAction(4)->trigger();
    EXPECT_EQ(window.document().SlideImageFormat, "JPG");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(window.slideFormatAction(i)->isChecked(), i == 4) << i;
    EXPECT_EQ(dir.readFile("app/Slide.INI"), "4\r\n");
}

TEST_F(SetupWindowTest, OtherPresentationsBlockPlayUntilClosedAndF1ReturnsWithinTheScreen)
{
    ASSERT_TRUE(window.startUp(options));
    const QRect screen = window.screen()->availableGeometry();
    window.show();
    window.move(screen.right() - 50, screen.top() + 40); // mostly beyond the right edge
    program.addPresentation(QStringLiteral("/t/other.pptx"), 2);
    const auto other =
        program.open(QStringLiteral("/t/other.pptx"), PresentationApp::Visibility::Visible);
    ASSERT_TRUE(other.ok());

    messages.queueAnswer(int(MsgAnswer::Cancel));
    window.ComPlay_Click();
    EXPECT_EQ(window.launchScreen(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(program.openPresentationCount().value(), 1);

    messages.queueAnswer(int(MsgAnswer::Ok));
    window.ComPlay_Click();
    QPointer<frmLaunch> launch = window.launchScreen();
    ASSERT_TRUE(launch);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(launch->isVisible());
    EXPECT_EQ(program.openPresentationCount().value(), 0);
    EXPECT_EQ(launch->controller().LabSName(), QStringLiteral("No Speaker"));

    launch->controller().Form_KeyDown(LaunchController::KeyF1, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.launchScreen(), nullptr);
    EXPECT_LE(window.frameGeometry().right(), screen.left() + int(screen.width() * 0.99));
    EXPECT_EQ(window.frameGeometry().top(), screen.top() + 40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return launch.isNull(); }, 2000)) << "closed for good";
}

TEST_F(SetupWindowTest, QuickLaunchFollowsTheEventThroughSaveNewAndOpen)
{
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

TEST_F(SetupWindowTest, PopUpsFileOnTheCommandLineAndTheMenuThatExportsIt)
{
    std::array<PopUpSlot, 10> popUps;
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::red);
    popUps[9] = {QStringLiteral("Nine"), picture, picture.scaled(8, 6)};
    ImageBlockCodec codec;
    ASSERT_TRUE(PopUpsFileWriter(codec).write(popUps, dir.path("set.evp")));
    options.commandLineFile = dir.path("set.evp");
    ASSERT_TRUE(window.startUp(options));
    EXPECT_EQ(window.document().PopUps[9].Name, "Nine");
    EXPECT_FALSE(window.document().PopUps[0].isUsed());

    QMenu* file = window.menuBar()->findChild<QMenu*>("MnuFile");
    QMenu* popUpsMenu = window.findChild<QMenu*>("MnuPopUps");
    ASSERT_NE(popUpsMenu, nullptr);
    EXPECT_TRUE(file->actions().contains(popUpsMenu->menuAction()));
    EXPECT_TRUE(file->actions().contains(action("MnuExport")));
    emit popUpsMenu->aboutToShow();
    EXPECT_TRUE(action("MnuPExport")->isEnabled());
    window.document().PopUps[9].clear();
    emit popUpsMenu->aboutToShow();
    EXPECT_FALSE(action("MnuPExport")->isEnabled());
}

TEST_F(SetupWindowTest, ExtractionWindowShowsProgressAndWillNotCloseUntilDone)
{
    ASSERT_TRUE(window.startUp(options));
    EventDocument packed = window.document();
    packed.SpeakerCount = 1;
    packed.Speakers[0] = {
        QStringLiteral("Ann"), {}, dir.writeFile("talks/Talk.ppt", QByteArray(2500000, 't')), {}};
    ImageBlockCodec codec;
    ASSERT_TRUE(EventFileWriter(codec).SaveFile(packed, dir.path("packed.zev"), true));
    dir.writeFile("desktop/Talk.ppt", "already here");

    auto* extractWindow = window.findChild<frmExtract*>();
    ASSERT_NE(extractWindow, nullptr);
    QStringList seen;
    QObject::connect(&window.controller().presentationsExtractor(),
                     &BackgroundPresentationsExtractor::progressChanged, extractWindow, [&] {
                         extractWindow->close();
                         QTest::keyClick(extractWindow, Qt::Key_Escape);
                         if (extractWindow->isVisible())
                             seen << extractWindow->progress()->status()->text() + " " +
                                         extractWindow->progress()->percent()->text();
                     });
    dialogs.queueChoice(dir.path("packed.zev"));
    window.controller().openEvent();

    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), "Extracting - Talk.ppt 40%");
    EXPECT_EQ(seen.last(), "Extracting - Talk.ppt 100%");
    EXPECT_FALSE(extractWindow->isVisible());
    EXPECT_EQ(window.document().Speakers[0].FilePath, dir.path("desktop/Talk2.ppt"));
    EXPECT_TRUE(window.document().isUntitled());
}

TEST_F(SetupWindowTest, ExportWindowCancelsFromTheKeyboard)
{
    ASSERT_TRUE(window.startUp(options));
    addSpeaker("Ann", hugeFile("Big.ppt"));
    auto* exportWindow = window.findChild<frmExport*>();
    ASSERT_NE(exportWindow, nullptr);
    QString shown;
    QElapsedTimer sinceCancel;
    QObject::connect(window.zippedEventExport(), &ZippedEventExport::progressChanged, exportWindow,
                     [&] {
                         if (!shown.isEmpty())
                             return;
                         shown = exportWindow->progress()->status()->text();
                         EXPECT_TRUE(exportWindow->isVisible());
                         EXPECT_TRUE(exportWindow->cancelButton()->hasFocus());
                         sinceCancel.start();
                         QTest::keyClick(exportWindow->cancelButton(), Qt::Key_Space);
                         EXPECT_FALSE(exportWindow->isVisible());
                     });
    dialogs.queueChoice(dir.path("big.zev"));
    emit action("MnuExport")->triggered();

    // The copy stops at once: a chunk is a millisecond's work; the bound allows a busy machine.
    ASSERT_TRUE(sinceCancel.isValid());
    EXPECT_LT(sinceCancel.elapsed(), 500);
    EXPECT_FALSE(window.zippedEventExport()->isRunning());
    EXPECT_EQ(shown, "Adding - Big.ppt");
    EXPECT_EQ(window.document().Speakers[0].FilePath, dir.path("Big.ppt"));
    EXPECT_FALSE(exportWindow->isVisible());
    EXPECT_FALSE(QFile::exists(dir.path("big.zev")));
    EXPECT_FALSE(QFile::exists(dir.path("big.zev.part")));
    EXPECT_TRUE(messages.texts().isEmpty());
}
