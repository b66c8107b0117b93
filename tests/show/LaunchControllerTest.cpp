#include "show/LaunchController.h"
#include "document/EventDocument.h"
#include "platform/fake/FakePresentationDocument.h"
#include "show/DirectShowPort.h"
#include "show/MissingPresentationsSweep.h"
#include "show/ShowClock.h"
#include "show/ShowLogFiles.h"
#include "show/SpeakerNavigation.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/RecordingLiveCast.h"
#include "tests/fakes/TestFolder.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class StepClock : public ShowClock
{
public:
    QDateTime now() const override { return m_now; }
    QDateTime m_now{QDate(2026, 3, 14), QTime(19, 0, 0)};
};

using K = LaunchController;

// An event of speakers "Talk 1".."Talk n" with files of 3, 4, 5... slides, timings logged.
class LaunchControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.AppFolder = m_app.folder();
        m_doc.DesktopFolder = m_desktop.folder();
        m_doc.HoldingTimeCode = "120000";
        m_timings.Checked = true;
        m_liveCast.restored = LiveCastHooks::PlayerOptions{2, 150, true};
        m_liveCast.checked = true;
    }

    void addSpeaker(const QString& name, int slides, bool withFile = true)
    {
        SpeakerRecord speaker{name, {}, {}, QStringLiteral("t%1").arg(m_doc.Speakers.count() + 1)};
        if (withFile) {
            speaker.FilePath = m_app.writeFile(name + ".pptx", "deck");
            m_program.addPresentation(speaker.FilePath, slides);
        }
        m_doc.Speakers.append(speaker);
    }
    // Play mode starts, after adding that many talks.
    LaunchController& start(int talks = 0)
    {
        for (int i = 1; i <= talks; ++i)
            addSpeaker(QStringLiteral("Talk %1").arg(i), i + 2);
        m_controller =
            std::make_unique<LaunchController>(m_doc, m_port, m_clock, m_liveCast, m_timings);
        return *m_controller;
    }
    // Some 200 ms ticks of the watcher, the clock moving with them.
    void watch(int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            m_clock.m_now = m_clock.m_now.addMSecs(200);
            m_controller->Timer1_Timer();
        }
    }
    void key(int code, int shift = 0) { m_controller->Form_KeyDown(code, shift); }
    // The presenter ends the show on screen, and the watcher sees it.
    void endShow()
    {
        show()->presenterEndsShow();
        watch();
    }
    // The talk whose show runs, empty while none does.
    QString running() const
    {
        return m_controller->showRunning() ? m_controller->LaunchedSpeakerName() : QString();
    }
    std::shared_ptr<FakePresentationDocument> show() { return m_program.lastOpened(); }
    QString runLog() const
    {
        return QString::fromUtf8(m_desktop.readFile(ShowLogFiles::RunLogName));
    }
    int speakerRecords() const { return int(runLog().count("[Speaker]")); }

    TestFolder m_app;
    TestFolder m_desktop;
    EventDocument m_doc;
    FakePresentationApp m_program;
    DirectShowPort m_port{m_program};
    StepClock m_clock;
    RecordingLiveCast m_liveCast;
    TimingsSetting m_timings;
    std::unique_ptr<LaunchController> m_controller;
};

} // namespace

// Every Next key launches the selected talk; while it runs, Next and Back only bring it back.
TEST_F(LaunchControllerTest, EveryNextKeyLaunchesTheCurrentSpeakerOnceAndNamesTheFollowingOne)
{
    LaunchController& controller = start(7);
    int talk = 1;
    for (int code : {K::KeyEnter, K::KeySpace, K::KeyRight, K::KeyDown, K::KeyF5, K::KeyPageDown}) {
        key(code);
        ASSERT_TRUE(controller.showRunning()) << code;
        const auto shown = show();
        EXPECT_EQ(shown->path(), m_doc.Speakers[size_t(talk - 1)].FilePath);
        EXPECT_EQ(controller.LabSName(), QStringLiteral("Talk %1").arg(++talk));
        key(code);
        key(K::KeyPageUp);
        EXPECT_EQ(show(), shown);
        EXPECT_EQ(m_program.openPresentationCount().value(), 1);
        endShow();
    }

    // End names the last talk, Home the first, [ steps back round without launching anything
    // (] onwards: e2e.bad_talks).
    const std::pair<int, int> steps[] = {{K::KeyEnd, 7}, {K::KeyHome, 1}, {K::KeyOpenBracket, 7}};
    for (const auto& [code, named] : steps) {
        key(code);
        EXPECT_EQ(controller.LabSName(), QStringLiteral("Talk %1").arg(named)) << code;
    }
    EXPECT_FALSE(controller.showRunning());

    // The setup window removes the selected Talk 2: the one that followed takes its place.
    key(K::KeyHome);
    key(K::KeyCloseBracket);
    m_doc.Speakers.RemoveSpeakerAt(1);
    controller.speakerRemoved(1);
    EXPECT_EQ(controller.LabSName(), "Talk 3");
    // The launcher menu launches the speaker chosen there; there is no seventh any more.
    controller.MnuSpeaker_Click(6);
    EXPECT_EQ(running(), "");
    controller.MnuSpeaker_Click(0);
    EXPECT_EQ(running(), "Talk 1");
}

// Back afterwards relaunches the talk at its last slide: a timing record, no launch record.
// With the timings switched off a show leaves no record.
TEST_F(LaunchControllerTest, TheWatcherWritesOneTimingRecordPerShowAndBackReopensAtTheLastSlide)
{
    start(2);
    watch();
    key(K::KeyPageDown);
    const auto talk = show();
    watch();
    for (int slide : {2, 1, 2}) {
        show()->presenterMovesTo(slide);
        watch();
    }
    show()->presenterEndsShow();
    watch(6);

    ASSERT_EQ(speakerRecords(), 1) << runLog().toStdString();
    EXPECT_FALSE(talk->isOpen()) << "an ended show is closed";
    EXPECT_EQ(m_liveCast.published, (QStringList{"|h120000", "Talk_1|1t1", "Talk_1|2t1",
                                                 "Talk_1|1t1", "Talk_1|2t1", "|h120000"}));

    key(K::KeyPageUp);
    ASSERT_EQ(running(), "Talk 1");
    EXPECT_EQ(show()->currentSlide().value(), 3);
    EXPECT_EQ(ShowLogFiles::readLaunches(m_app.folder()).size(), 1);
    endShow();
    EXPECT_EQ(speakerRecords(), 2);

    key(K::KeyT, 1);
    EXPECT_EQ(m_app.readFile(TimingsSetting::FileName), "False\r\n");
    key(K::KeyPageDown);
    watch();
    endShow();
    EXPECT_EQ(speakerRecords(), 2);
}

// A file that has gone or was never given is passed over; one that will not open still gets
// its record (named on the screen and tried again: e2e.bad_talks). A talk the program died on is
// shown by its own start-as-show in a process of its own until it ends; a file the program merely
// refused is not tried so.
TEST_F(LaunchControllerTest, MissingFilesAreSkippedAndAShowThatNeverOpenedIsRecorded)
{
    for (const QString name : {"Gone", "No file", "Broken", "Here", "Fatal"})
        addSpeaker(name, 2, name != "No file");
    QFile::remove(m_doc.Speakers[0].FilePath);
    m_program.failToOpen(m_doc.Speakers[2].FilePath);
    m_program.dieOnOpen(m_doc.Speakers[4].FilePath);
    LaunchController& controller = start();
    key(K::KeyPageDown);
    EXPECT_EQ(running(), "");
    EXPECT_TRUE(m_program.shownInOwnProcess().isEmpty());
    watch();
    ASSERT_EQ(speakerRecords(), 1);
    EXPECT_TRUE(runLog().contains("Broken, #0\r\n"));
    key(K::KeyCloseBracket);
    key(K::KeyPageDown);
    ASSERT_EQ(running(), "Here");
    endShow();
    const int records = speakerRecords();
    key(K::KeyPageDown);
    EXPECT_EQ(running(), "Fatal") << controller.statusLine().toStdString();
    EXPECT_EQ(m_program.shownInOwnProcess(), QStringList{m_doc.Speakers[4].FilePath});
    watch(3);
    EXPECT_EQ(running(), "Fatal");
    m_program.ownProcessShow()->presenterEndsShow();
    watch();
    EXPECT_EQ(running(), "");
    EXPECT_EQ(speakerRecords(), records + 1);

    for (int talk : {2, 3, 4})
        QFile::remove(m_doc.Speakers[size_t(talk)].FilePath);
    key(K::KeyPageDown);
    EXPECT_EQ(running(), "") << "no presentation left: nothing happens";
    EXPECT_EQ(controller.LabSName(), "Broken") << "once round the list";
}

// A change of the player's options is published with the other two empty (the view and the
// scale from the launch screen: frmLaunch). H moves the controls' item only while a LiveCast mode
// is on; a blanked screen hides them until the next key restores it. Number keys show pop-ups,
// Backspace the holding slide.
TEST_F(LaunchControllerTest, LiveCastControlsBlankPopUpsTheHoldingSlideAndTheOverlays)
{
    m_doc.PopUpsTimeCode = "p9";
    for (int slot : {0, 8, 9})
        m_doc.PopUps[size_t(slot)] = {
            QStringLiteral("Pop %1").arg(slot), {}, QImage(4, 4, QImage::Format_RGB32)};
    LaunchController& controller = start(1);
    EXPECT_TRUE(controller.liveCastControlsShown()) << "the item was checked";
    controller.ChkRolling_Click(false);
    EXPECT_EQ(m_liveCast.options, QStringList{"null|null|false"});

    // Without a LiveCast mode H hides and unchecks them for good; then it switches them.
    // Each key, whether the controls show then and whether the item is checked.
    const std::tuple<int, bool, bool> toggles[] = {
        {K::KeyH, false, false}, {K::KeyH, false, false}, {K::KeyH, true, true},
        {K::KeyB, false, true},  {K::KeyB, true, true},   {K::KeyH, false, false}};
    for (int i = 0; const auto& [code, shown, checked] : toggles) {
        m_liveCast.modeOn = i++ >= 2;
        key(code);
        EXPECT_EQ(controller.liveCastControlsShown(), shown) << i;
        EXPECT_EQ(m_liveCast.checked, checked) << i;
    }

    key(K::KeyF6);
    ASSERT_TRUE(controller.blanked());
    key(K::KeyPageDown);
    EXPECT_FALSE(controller.blanked() || controller.showRunning()) << "the key only restored it";

    watch();
    m_liveCast.published.clear();
    const std::pair<int, int> steps[] = {
        {K::Key1, 0}, {K::Key9, 8}, {K::Key0, 9}, {58, 9} /* unused */, {K::KeyBackspace, -1}};
    for (const auto& [code, title] : steps) {
        key(code);
        EXPECT_EQ(controller.title(), title) << code;
    }
    EXPECT_EQ(m_liveCast.published, (QStringList{"|p1p9", "|p9p9", "|p0p9", "|h120000"}));
    EXPECT_FALSE(controller.menu().popUps[1].visible) << "an empty slot has no item";

    // L marks the time in the log, its icon up for a moment.
    key(K::KeyL);
    EXPECT_TRUE(controller.overlays().recordIcon);
    EXPECT_EQ(runLog().count("[Record Time Log]\r\n"), 1);
    controller.TimSpeaker_Timer();
    EXPECT_FALSE(controller.overlays().recordIcon);
}

// Shift+A steps auto run on, on with loop, off. Without loop it ends after the last speaker;
// with loop it wraps to the first. Choosing a speaker by hand switches it off.
TEST_F(LaunchControllerTest, AutoRunLaunchesFiveIdleSecondsAfterAShowAndLoopsOnlyWhenAsked)
{
    LaunchController& controller = start(2);
    const auto autoRun = [&](int seconds) {
        for (int second = 0; second < seconds; ++second)
            controller.TimAutoRun_Timer();
        const QString talk = running();
        for (int second = 0; !talk.isEmpty() && second < 8; ++second)
            controller.TimAutoRun_Timer(); // a running show holds auto run
        if (!talk.isEmpty())
            endShow();
        return talk;
    };
    key(K::KeyA, 1);
    EXPECT_EQ(autoRun(4), "");
    EXPECT_EQ(autoRun(1), "Talk 1");
    EXPECT_EQ(autoRun(5), "Talk 2");
    EXPECT_EQ(controller.LabAutoRun(), "Auto Run - OFF");

    key(K::KeyA, 1);
    key(K::KeyA, 1);
    for (const char* talk : {"Talk 1", "Talk 2", "Talk 1"})
        EXPECT_EQ(autoRun(5), talk);
    key(K::KeyCloseBracket);
    EXPECT_EQ(controller.LabAutoRun(), "Auto Run - OFF");
}

// While the screen waits the next talk is opened ahead; a file replaced meanwhile is opened
// afresh. Quick Launch runs a show nobody follows, which the talk prepared would wait behind.
TEST_F(LaunchControllerTest, WhileTheScreenWaitsTheNextTalkIsOpenedAheadAndQuickLaunchGoesFirst)
{
    LaunchController& controller = start(2);
    m_doc.QuickLaunchFile = m_app.writeFile("promo.pps", "deck");
    m_program.addPresentation(m_doc.QuickLaunchFile, 1);
    watch();
    const auto prepared = show();
    ASSERT_TRUE(prepared);

    key(K::KeyPageDown);
    ASSERT_TRUE(controller.showRunning());
    EXPECT_EQ(show(), prepared) << "the prepared presentation was opened a second time";
    watch();
    EXPECT_EQ(m_program.openPresentationCount().value(), 1) << "nothing is prepared during a talk";

    endShow();
    watch();
    EXPECT_EQ(controller.preparedPath(), m_doc.Speakers[1].FilePath);
    const auto stale = show();
    m_app.writeFile("Talk 2.pptx", "a new version of the deck");
    key(K::KeyPageDown);
    ASSERT_TRUE(controller.showRunning());
    EXPECT_NE(show(), stale);
    EXPECT_FALSE(stale->isOpen());

    endShow();
    watch();
    const auto next = show();
    ASSERT_TRUE(next);
    key(K::KeyQ);
    ASSERT_TRUE(show());
    EXPECT_EQ(show()->path(), m_doc.QuickLaunchFile);
    EXPECT_FALSE(next->isOpen()) << "the next talk, prepared, would wait behind this show";
    EXPECT_FALSE(controller.showRunning()) << "the watcher does not follow it";
    watch(3);
    EXPECT_EQ(speakerRecords(), 2);

    // A Flash file goes to LiveCast instead (e2e.web_windows), but not while a talk runs.
    key(K::KeyPageDown);
    m_doc.QuickLaunchFile = "/promo/intro.SWF";
    key(K::KeyQ);
    EXPECT_TRUE(m_liveCast.flashed.isEmpty());
}

TEST(SpeakerNavigation, NextAndPreviousSkipSpeakersWithoutPresentationAndTheSweepRemovesThem)
{
    EventDocument doc; // S0..S4, of which 1 and 3 have presentations
    for (int i = 0; i < 5; ++i)
        doc.Speakers.append({QStringLiteral("S%1").arg(i), {}, i % 2 ? "/talk.pptx" : "", {}});
    // From, forward, then the speaker chosen.
    const int cases[][3] = {{-1, 1, 1}, {1, 1, 3}, {3, 1, 1}, {3, 0, 1}, {1, 0, 3}, {-1, 0, 3}};
    for (const auto& [from, forward, expected] : cases) {
        int current = from;
        const auto name = forward ? SpeakerNavigation::NextSpeaker(doc.Speakers, current)
                                  : SpeakerNavigation::PreviousSpeaker(doc.Speakers, current);
        EXPECT_EQ(name, QStringLiteral("S%1").arg(expected))
            << from << (forward ? " next" : " back");
    }

    // The sweep removes and announces speakers whose file went.
    TestFolder folder;
    doc.Speakers.clear(); // Ann's file has gone, Cy's is there, Di has none and stays
    doc.Speakers.append({"Ann", "Ann.pptx", folder.path("Ann.pptx"), {}});
    doc.Speakers.append({"Cy", "Cy.pptx", folder.writeFile("Cy.pptx", "deck"), {}});
    doc.Speakers.append({"Di", {}, {}, {}});
    FakeMessageService messages;
    MissingPresentationsSweep sweep(doc, messages);
    QSignalSpy removed(&sweep, &MissingPresentationsSweep::speakersRemoved);
    sweep.tick();
    sweep.tick(); // nothing more to remove: no signal
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][0].value<QList<int>>(), QList<int>{0});
    EXPECT_EQ(doc.Speakers.count(), 2);
    EXPECT_EQ(doc.Speakers[0].Name, "Cy");
    EXPECT_EQ(messages.texts(), QStringList{"The Presentation Ann.pptx has been moved or deleted.\n"
                                            "Ann will be removed from the speaker list."});
}
