#include "document/BackgroundPresentationsExtractor.h"
#include "document/EventFileWriter.h"
#include "document/ImageBlockCodec.h"
#include "document/PopUpsFileWriter.h"
#include "platform/MimeTransfer.h"
#include "setup/HoldingSlide.h"
#include "setup/PlayModeMessages.h"
#include "setup/PopUpSlots.h"
#include "setup/QuickLaunchBar.h"
#include "setup/ZippedEventExport.h"
#include "setup/widgets/PopUpsPanel.h"
#include "setup/widgets/ProgressDisplay.h"
#include "setup/widgets/QuickLaunchPanel.h"
#include "setup/widgets/frmExport.h"
#include "setup/widgets/frmExtract.h"
#include "setup/widgets/frmPreview.h"
#include "setup/widgets/frmSetup.h"
#include "show/LaunchController.h"
#include "show/widgets/frmLaunch.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/setup/ProgramOnFakes.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The setup window built as the program builds it, on fakes.
class SetupWindowTest : public ::testing::Test, protected ProgramOnFakes
{
protected:
    SetupWindowTest() { window.setClosingWindowMs(1); }

    // The toolbar's button for a menu command.
    void clickToolbar(const char* action)
    {
        auto* bar = window.findChild<QToolBar*>("Toolbar1");
        auto* button = bar ? qobject_cast<QToolButton*>(
                                 bar->widgetForAction(window.findChild<QAction*>(action)))
                           : nullptr;
        ASSERT_NE(button, nullptr) << action;
        button->click();
    }

    void addSpeaker(const QString& name, const QString& path)
    {
        window.document().Speakers.append({name, QFileInfo(path).fileName(), path, {}});
    }

    // The event saved as a file of its own, with its presentations when packed.
    QString saved(const EventDocument& event, const QString& name, bool packed = false)
    {
        EXPECT_TRUE(EventFileWriter(codec).SaveFile(event, dir.path(name), packed));
        return dir.path(name);
    }

    ImageBlockCodec codec;
    frmSetup& window = program.window();
};

} // namespace

TEST_F(SetupWindowTest, SaveNewAndRecentCarryTheQuickLaunchThenPlayAndClosingAsk)
{
    // A pop-ups file named on the command line fills the slots.
    std::array<PopUpSlot, 10> popUps;
    popUps[9] = {"Nine", ColourPictures::pattern(32, 24, 1), ColourPictures::pattern(8, 6, 1)};
    ASSERT_TRUE(PopUpsFileWriter(codec).write(popUps, dir.path("set.evp")));
    ASSERT_TRUE(start(dir.path("set.evp")));
    EXPECT_EQ(window.document().PopUps[9].Name, "Nine");
    window.show();
    QLabel* title = window.quickLaunch()->fileTitle();
    window.quickLaunchBar()->drop({dir.writeFile("Closing.pps", "pps")});
    dialogs.queueChoice(dir.path("Gala.evf"));
    clickToolbar("MnuSave"); // untitled: Save becomes Save As
    EXPECT_EQ(window.recentAction(0)->text(), "&1 Gala.evf");
    EXPECT_TRUE(window.recentAction(0)->isVisible() && !window.recentAction(1)->isVisible());

    window.sections()->setCurrentIndex(2); // the pop-ups take the keyboard
    EXPECT_EQ(window.focusWidget(), window.popUpsPanel()->scrollArea()->verticalScrollBar());
    clickToolbar("MnuNew");
    EXPECT_EQ(window.sections()->currentIndex(), 0);
    EXPECT_EQ(title->text(), "Unassigned");
    window.recentAction(0)->trigger();
    EXPECT_EQ(window.statusBar()->accessibleName(), "Status: Gala.evf");
    EXPECT_EQ(title->text(), "Closing.pps");
    EXPECT_FALSE(window.quickLaunch()->iconBox()->pixmap().isNull());
    window.slideFormatAction(4)->trigger();
    EXPECT_EQ(window.document().SlideImageFormat, SlideFormat::Jpg);
    EXPECT_EQ(dir.readFile("app/Slide.INI"), "4\r\n");

    // A presentation open elsewhere blocks Play until the operator lets it be closed. Play mode
    // itself and the return to the setup window: e2e.play_mode.
    presentations.addPresentation("/t/other.pptx", 2);
    const auto other = presentations.open("/t/other.pptx", PresentationApp::Visibility::Visible);
    ASSERT_TRUE(other.ok());
    messages.queueAnswer(MsgAnswer::Cancel);
    window.ComPlay_Click();
    EXPECT_EQ(program.launchScreen(), nullptr);
    // What the setup side has to say meanwhile comes up once the setup window is back.
    messages.queueAnswer(MsgAnswer::Ok);
    window.ComPlay_Click();
    QPointer<frmLaunch> launch = program.launchScreen();
    ASSERT_TRUE(launch);
    const QString gone = QStringLiteral("The Presentation gone.pptx has been moved or deleted.");
    program.setupMessages().show(gone, MsgButtons::Ok, MsgIcon::None);
    EXPECT_FALSE(messages.texts().contains(gone));
    for (int times = 0; times < 2; ++times) // an impatient operator
        launch->controller().Form_KeyDown(LaunchController::KeyF1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return launch.isNull(); }, 2000)) << "closed for good";
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.texts().contains(gone); }, 2000));

    // Show on a Flash movie plays it in the web window (keys Q, U and I: e2e.web_windows).
    window.quickLaunchBar()->drop({dir.writeFile("Intro.swf", "FWS")});
    window.quickLaunchBar()->Show_Click();
    EXPECT_EQ(web.movies, QStringList{dir.path("Intro.swf")});

    // Closing asks about the changes; Cancel keeps the window. What the shutting down leaves
    // behind: e2e.start_and_close_untouched and e2e.terminate.
    addSpeaker("Ada", dir.path("Ada.pptx"));
    messages.queueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible() && QFileInfo(dir.path("app/5")).isDir());
    messages.queueAnswer(MsgAnswer::No);
    EXPECT_TRUE(window.close());
}

// The template's slide, exported after start-up, goes into the untitled baseline: a file opened
// from the command line stays as it was read, New starts with the slide, and neither asks about
// changes on closing.
TEST_F(SetupWindowTest, TheBuiltInHoldingSlideComesWithNewEventsNotIntoAnOpenedFile)
{
    presentations.addPresentation(dir.writeFile("app/ppt.ppt", "template"), 1);
    EventDocument bare;
    bare.RunFolder = dir.path();
    bare.DesktopFolder = dir.path("desktop/");
    bare.clearEvent();
    const QString bareFile = saved(bare, "Bare.evf");
    const QByteArray bytes = dir.readFile("Bare.evf");
    QSignalSpy loaded(window.holdingSlide(), &HoldingSlide::builtInDefaultLoaded);
    ASSERT_TRUE(start(bareFile));
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_FALSE(window.document().hasHoldingSlide());
    EXPECT_FALSE(window.controller().hasUnsavedChanges());

    window.controller().newEvent();
    EXPECT_TRUE(window.document().hasHoldingSlide());
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();
    EXPECT_EQ(dir.readFile("Bare.evf"), bytes);
}

TEST_F(SetupWindowTest, ExtractionAndExportWindowsShowProgressCancelAndThePreviewCloses)
{
    ASSERT_TRUE(start());
    EventDocument packed = window.document();
    packed.Speakers.append(
        {"Ann", {}, dir.writeFile("talks/Talk.ppt", QByteArray(2500000, 't')), {}});
    dialogs.queueChoice(saved(packed, "packed.zev", true));

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
    bool windowTimerFired = false;
    QTimer::singleShot(0, &window, [&] { windowTimerFired = true; });
    QSignalSpy replaced(&window.controller(), &SetupController::eventReplaced);
    window.controller().openEvent();
    // The call returns before the unpacking has ended, with no event handled inside it; the
    // window takes no file commands until the open is over.
    EXPECT_FALSE(windowTimerFired || !replaced.isEmpty());
    EXPECT_TRUE(extractWindow->isVisible());
    EXPECT_FALSE(window.menuBar()->isEnabled());
    dialogs.queueChoice(dir.path("meanwhile.evf"));
    EXPECT_FALSE(window.controller().saveAs());
    EXPECT_FALSE(window.close());

    ASSERT_TRUE(replaced.wait(20000));
    EXPECT_TRUE(windowTimerFired);
    ASSERT_FALSE(seen.isEmpty());
    // Steps the window had not shown yet give way to newer ones.
    EXPECT_TRUE(seen.first().startsWith("Extracting - Talk.ppt ")) << seen.first().toStdString();
    EXPECT_EQ(seen.last(), "Extracting - Talk.ppt 100%");
    EXPECT_FALSE(extractWindow->isVisible());
    EXPECT_TRUE(window.menuBar()->isEnabled());
    EXPECT_FALSE(QFile::exists(dir.path("meanwhile.evf")));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.last().toStdString();

    // The export window cancels from the keyboard.
    window.document().Speakers.clear();
    QFile big(dir.path("Big.ppt")); // sparse: large to copy, free to make
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64(2000) * 1000 * 1000));
    addSpeaker("Ann", big.fileName());
    auto* exportWindow = window.findChild<frmExport*>();
    ASSERT_NE(exportWindow, nullptr);
    QString shown;
    QElapsedTimer sinceCancel;
    QObject::connect(window.zippedEventExport(), &ZippedEventExport::progressChanged, exportWindow,
                     [&] {
                         if (!shown.isEmpty())
                             return;
                         shown = exportWindow->progress()->status()->text();
                         EXPECT_TRUE(exportWindow->cancelButton()->hasFocus());
                         sinceCancel.start();
                         QTest::keyClick(exportWindow->cancelButton(), Qt::Key_Space);
                         EXPECT_FALSE(exportWindow->isVisible()) << "hidden at once";
                     });
    QSignalSpy ended(window.zippedEventExport(), &ZippedEventExport::ended);
    dialogs.queueChoice(dir.path("big.zev"));
    emit window.findChild<QAction*>("MnuExport")->triggered();
    // Measured off the interface thread: the window takes no commands meanwhile.
    EXPECT_FALSE(window.menuBar()->isEnabled());

    // The copy stops at once: a chunk is a millisecond's work; the bound allows a busy machine.
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(ended[0][0].value<ZippedEventExport::Outcome>(),
              ZippedEventExport::Outcome::Cancelled);
    ASSERT_TRUE(sinceCancel.isValid());
    EXPECT_LT(sinceCancel.elapsed(), 500);
    EXPECT_TRUE(window.menuBar()->isEnabled());
    EXPECT_EQ(shown, "Adding - Big.ppt");
    EXPECT_FALSE(QFile::exists(dir.path("big.zev")));
    // Removed after the window is back.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(dir.path("big.zev.part")); }, 5000));
    EXPECT_TRUE(messages.texts().isEmpty());

    // The next export starts afresh and its window goes once it is written.
    SpeakerRecord small = window.document().Speakers[0];
    small.FilePath = file("Small.ppt");
    window.document().Speakers.ReplaceSpeakerAt(0, small);
    dialogs.queueChoice(dir.path("small.zev"));
    emit window.findChild<QAction*>("MnuExport")->triggered();
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(ended[1][0].value<ZippedEventExport::Outcome>(), ZippedEventExport::Outcome::Written);
    EXPECT_FALSE(exportWindow->isVisible());

    // A deck dropped on the holding slide takes slide 1 and opens the preview of its slides, the
    // progress in the status bar. On the pop-ups' section a pick goes into the chosen slot; a file
    // dropped on a pop-up closes the preview, and the deck with it.
    QStringList progress;
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged,
                     [&progress](const QString& text) { progress << text; });
    QMimeData deck;
    MimeTransfer::putFileList(&deck, {presentation("Deck.pptx", 3)});
    window.holdingSlide()->drop(&deck);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.preview() != nullptr; }, 5000));
    QPointer<frmPreview> preview = window.preview();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(progress.contains("Extracting - 66%")) << progress.join(", ").toStdString();
    EventDocument& doc = window.document();
    window.sections()->setCurrentIndex(2);
    window.popUpSlots()->select(4);
    preview->scrollBar()->setValue(2);
    preview->ComInsert_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc.PopUps[4].isUsed(); }, 5000));
    EXPECT_EQ(doc.PopUps[4].Full.pixel(5, 5), FakePresentationDocument::colourOf(2));
    EXPECT_EQ(doc.ImgHoldingFull.pixel(5, 5), FakePresentationDocument::colourOf(1));
    window.popUpSlots()->drop(0, &deck);
    EXPECT_TRUE(!preview || !preview->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return presentations.lastOpened() == nullptr; }, 5000));
}

// While play mode runs nothing comes up: a notice is kept for afterwards and its work goes on, a
// question put with ask() waits for its answer, one that must be answered at once gets the answer
// of a box closed unread. Afterwards everything kept comes up in the order raised.
TEST(PlayModeMessages, NothingComesUpDuringPlayModeNoticesFollowAndQuestionsWait)
{
    FakeMessageService boxes;
    PlayModeMessages messages(boxes);
    QList<MsgAnswer> answers;
    const auto ask = [&](const char* text) {
        messages.ask(text, MsgButtons::YesNo, MsgIcon::None, [&](MsgAnswer a) { answers << a; });
    };
    const auto show = [&](const char* text, MsgButtons buttons = MsgButtons::Ok) {
        return messages.show(text, buttons, MsgIcon::None);
    };
    show("before");
    messages.setPlaying(true);
    EXPECT_EQ(show("gone 1"), MsgAnswer::Ok);
    ask("convert?");
    EXPECT_EQ(show("gone 2"), MsgAnswer::Ok);
    EXPECT_EQ(show("now?", MsgButtons::YesNoCancel), MsgAnswer::Cancel);
    EXPECT_EQ(show("now?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(boxes.texts(), QStringList{"before"});
    EXPECT_TRUE(answers.isEmpty());

    boxes.queueAnswer(MsgAnswer::Yes);
    messages.setPlaying(false);
    EXPECT_EQ(boxes.texts().size(), 1) << "not inside what ended play mode";
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(), (QStringList{"before", "gone 1", "convert?", "gone 2"}));
    EXPECT_EQ(answers, QList<MsgAnswer>{MsgAnswer::Yes});

    boxes.queueAnswer(MsgAnswer::No);
    ask("again?");
    EXPECT_EQ(answers, (QList<MsgAnswer>{MsgAnswer::Yes, MsgAnswer::No}))
        << "asked at once outside play mode";
}
