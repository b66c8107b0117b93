#include "show/widgets/frmLaunch.h"
#include "document/EventDocument.h"
#include "document/TimingsSetting.h"
#include "platform/fake/FakePresentationApp.h"
#include "show/LaunchController.h"
#include "show/SystemShowClock.h"
#include "show/ThreadedShowPort.h"
#include "show/VirtualKeys.h"
#include "show/widgets/LiveCastPanel.h"
#include "show/widgets/frmSyncRecord.h"
#include "tests/fakes/RecordingLiveCast.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The launch screen on an event without speakers, as play mode opens it.
struct LaunchScreen
{
    explicit LaunchScreen(bool liveCastOn = false) : liveCast(liveCastOn) { window.show(); }
    EventDocument doc;
    FakePresentationApp program;
    SystemShowClock clock;
    RecordingLiveCast liveCast;
    TimingsSetting timings;
    ThreadedShowPort port{program};
    LaunchController controller{doc, port, clock, liveCast, timings};
    frmLaunch window{controller, doc, clock};
};

} // namespace

// The windows' own timers: the overlay's and the synchronise countdown's first second. Shows,
// keys and F1 run through the launch screen in e2e.play_mode.
TEST(frmLaunch, SpeakerNameShowsForAMomentAndTheSynchroniseCountdownStarts)
{
    LaunchScreen screen; // no speakers: the name reads "No Speaker"
    frmLaunch& window = screen.window;
    frmSyncRecord sync(screen.doc.DesktopFolder, screen.clock);
    auto* count = sync.findChild<QLabel*>();
    ASSERT_TRUE(count && count->text() == "5");

    QTest::keyClick(&window, Qt::Key_S);
    QLabel* name = nullptr;
    for (QLabel* label : window.findChildren<QLabel*>())
        name = label->accessibleDescription() == QStringLiteral("LabSName") ? label : name;
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("No Speaker"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !name->isVisible(); }, 3000)) << "hidden after 1 s";
    EXPECT_TRUE(QTest::qWaitFor([&] { return count->text() == "4"; }, 3000));

    // B blanks the screen (its picture: e2e.play_mode); a key of no rule (Shift on its way to
    // Shift+A, say) leaves it so.
    QTest::keyClick(&window, Qt::Key_B);
    QTest::keyClick(&window, Qt::Key_Shift);
    EXPECT_TRUE(window.controller().blanked());

    // The remote's keys reach the launch screen's rules under the codes those rules act on. The
    // keys the operator presses in e2e.play_mode and e2e.bad_talks (Page Down, Backspace, ], F1,
    // letters and digits) are not repeated here; the others map one to one.
    EXPECT_EQ(VirtualKeys::fromQt(Qt::Key_PageUp), LaunchController::KeyPageUp) << "Back";
    EXPECT_EQ(VirtualKeys::fromQt(Qt::Key_F12), LaunchController::KeyF12) << "the last F key";
    EXPECT_EQ(VirtualKeys::fromQt(Qt::Key_Escape), 27) << "left to the show";
    EXPECT_EQ(VirtualKeys::fromQt(Qt::Key_Tab), 0) << "no key of the rules";
}

// The LiveCast controls are up when their item is checked; the operator's changes reach the
// audience and H takes the controls away.
TEST(frmLaunch, LiveCastControlsShowAndReportTheOperatorsChoices)
{
    LaunchScreen screen(true);
    frmLaunch& window = screen.window;
    RecordingLiveCast& liveCast = screen.liveCast;
    LiveCastPanel* panel = window.liveCastPanel();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->scale()->isEnabled()) << "view 1 takes no scale";

    panel->view()->setFocus();
    QTest::keyClick(panel->view(), Qt::Key_Up); // to "Scale Video / Slide"
    EXPECT_TRUE(panel->scale()->isEnabled());
    panel->scale()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(liveCast.options, (QStringList{"0|null|null", "null|101|null"}));

    QTest::keyClick(&window, Qt::Key_H);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(liveCast.checked);
    // The launcher menu then offers to show them.
    QString caption;
    QTimer::singleShot(0, [&caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        caption = menu ? menu->findChild<QAction*>("MnuLCControls")->text() : "no menu";
        if (menu)
            menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &click);
    EXPECT_EQ(caption, "Show LiveCast Controls");
}
