#include "LaunchController.h"
#include "DirectShowPort.h"
#include "EventDocument.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "LiveCastHooks.h"
#include "ShowClock.h"
#include "ShowLogFiles.h"
#include "SlideTimings.h"
#include "TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class StepClock : public ShowClock
{
public:
    QDateTime now() const override { return m_now; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }
    QDateTime m_now{QDate(2026, 3, 14), QTime(19, 0, 0)};
};

class RecordingLiveCast : public LiveCastHooks
{
public:
    void publishStatus(const QString& presenter, const QString& slideValue) override
    {
        published << presenter + QLatin1Char('|') + slideValue;
    }
    void playFlash(const QString& path) override { flashed << path; }
    QStringList published;
    QStringList flashed;
};

using K = LaunchController;

// An event of speakers "Talk 1".."Talk n" with real files of 3, 4, 5... slides, timings logged.
class LaunchControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.AppFolder = m_app.folder();
        m_doc.DesktopFolder = m_desktop.folder();
        m_doc.HoldingTimeCode = QStringLiteral("120000");
        m_timings.Checked = true;
    }

    void addSpeaker(const QString& name, int slides, bool withFile = true)
    {
        SpeakerRecord& speaker = m_doc.Speakers[size_t(m_doc.SpeakerCount++)];
        speaker.Name = name;
        speaker.TimeCode = QStringLiteral("t%1").arg(m_doc.SpeakerCount);
        if (!withFile)
            return;
        speaker.FilePath = m_app.writeFile(name + QStringLiteral(".pptx"), "deck");
        m_program.addPresentation(speaker.FilePath, slides);
    }
    void addSpeakers(int count)
    {
        for (int i = 1; i <= count; ++i)
            addSpeaker(QStringLiteral("Talk %1").arg(i), i + 2);
    }
    // Play mode starts, after adding that many talks.
    LaunchController& start(int talks = 0)
    {
        addSpeakers(talks);
        m_controller =
            std::make_unique<LaunchController>(m_doc, m_port, m_clock, m_liveCast, m_timings);
        return *m_controller;
    }
    // Some 200 ms ticks of the watcher, the clock moving with them.
    void watch(int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            m_clock.advanceMs(200);
            m_controller->Timer1_Timer();
        }
    }
    void key(int code, int shift = 0) { m_controller->Form_KeyDown(code, shift); }
    std::shared_ptr<FakePresentationDocument> show() { return m_program.lastOpened(); }
    QString runLog() const
    {
        return QString::fromUtf8(m_desktop.readFile(ShowLogFiles::RunLogName));
    }
    int speakerRecords() const { return int(runLog().count(QStringLiteral("[Speaker]"))); }

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
    EXPECT_EQ(controller.LabSName(), QStringLiteral("Talk 1"));
    int talk = 1;
    for (int code : {K::KeyEnter, K::KeySpace, K::KeyRight, K::KeyDown, K::KeyF5, K::KeyPageDown}) {
        key(code);
        ASSERT_TRUE(controller.showRunning()) << code;
        const auto running = show();
        EXPECT_EQ(running->path(), m_doc.Speakers[size_t(talk - 1)].FilePath);
        EXPECT_EQ(controller.ShowSlideCount(), talk + 2);
        EXPECT_EQ(controller.LabSName(), QStringLiteral("Talk %1").arg(talk + 1));
        EXPECT_EQ(controller.LivePresenter(), QStringLiteral("Talk_%1").arg(talk));
        key(code);
        key(K::KeyPageUp);
        EXPECT_EQ(show(), running);
        EXPECT_EQ(m_program.openPresentationCount().value(), 1);
        EXPECT_EQ(m_doc.CurrentSpeaker, talk);
        running->presenterEndsShow();
        watch();
        ++talk;
    }
    EXPECT_EQ(ShowLogFiles::readLaunches(m_app.folder()).size(), 6);
}

// Back afterwards relaunches the talk at its last slide: a timing record, but no launch record.
TEST_F(LaunchControllerTest, TheWatcherWritesOneTimingRecordPerShowAndBackReopensAtTheLastSlide)
{
    start(2);
    watch();
    key(K::KeyPageDown);
    const auto talk = show();
    watch();
    show()->presenterMovesTo(2);
    m_clock.advanceMs(4000);
    watch();
    show()->presenterMovesTo(1);
    watch(10);
    show()->presenterMovesTo(2);
    watch();
    show()->presenterEndsShow();
    watch(6);

    const QStringList lines = runLog().split(QStringLiteral("\r\n"));
    ASSERT_EQ(speakerRecords(), 1) << runLog().toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("Talk 1, #3"));
    EXPECT_EQ(lines[3], m_doc.Speakers[0].FilePath);
    EXPECT_EQ(lines[4], QStringLiteral("1             True, 00:00:04, 00:00:06"));
    EXPECT_EQ(lines[5], QStringLiteral("2             , 00:00:04"));
    EXPECT_EQ(lines[6], QStringLiteral("3             "));
    EXPECT_FALSE(m_controller->showRunning());
    EXPECT_FALSE(talk->isOpen()) << "an ended show is closed";
    EXPECT_EQ(m_liveCast.published, (QStringList{"|h120000", "Talk_1|1t1", "Talk_1|2t1",
                                                 "Talk_1|1t1", "Talk_1|2t1", "|h120000"}));

    key(K::KeyPageUp);
    ASSERT_TRUE(m_controller->showRunning());
    EXPECT_EQ(m_controller->LaunchedSpeakerName(), QStringLiteral("Talk 1"));
    EXPECT_EQ(show()->currentSlide().value(), 3);
    EXPECT_EQ(m_doc.CurrentSpeaker, 1);
    EXPECT_EQ(ShowLogFiles::readLaunches(m_app.folder()).size(), 1);
    show()->presenterEndsShow();
    watch();
    EXPECT_EQ(speakerRecords(), 2);
}

TEST_F(LaunchControllerTest, AShowClosedOnItsFirstSlideOrNeverOpenedStillGetsItsRecord)
{
    addSpeakers(2);
    m_program.failToOpen(m_doc.Speakers[1].FilePath);
    start();
    key(K::KeyPageDown);
    watch();
    show()->presenterEndsShow();
    watch();
    ASSERT_EQ(speakerRecords(), 1);
    EXPECT_TRUE(runLog().contains(QStringLiteral("1             True\r\n2")));

    key(K::KeyPageDown); // Talk 2 will not open
    EXPECT_FALSE(m_controller->showRunning());
    EXPECT_EQ(m_controller->loadingPicture(), K::NoLoadingPicture);
    watch();
    ASSERT_EQ(speakerRecords(), 2);
    EXPECT_TRUE(runLog().contains(QStringLiteral("Talk 2, #0\r\n")));
    key(K::KeyPageDown);
    EXPECT_TRUE(m_controller->showRunning()) << "the next Page Down works";
    EXPECT_EQ(m_controller->LaunchedSpeakerName(), QStringLiteral("Talk 1"));
}

TEST_F(LaunchControllerTest, TimingsOffWritesNoRecordAndShiftTSwitchesAndStoresIt)
{
    m_timings.Checked = false;
    LaunchController& controller = start(1);
    EXPECT_EQ(controller.LabTimings(), QStringLiteral("Timings Log - OFF"));
    key(K::KeyT); // without Shift only shows the state
    EXPECT_EQ(controller.LabTimings(), QStringLiteral("Timings Log - OFF"));
    EXPECT_TRUE(controller.overlays().timings);
    key(K::KeyPageDown);
    watch();
    show()->presenterEndsShow();
    watch();
    EXPECT_EQ(speakerRecords(), 0);

    key(K::KeyF9, 1);
    EXPECT_EQ(controller.LabTimings(), QStringLiteral("Timings Log - ON"));
    EXPECT_EQ(m_app.readFile(TimingsSetting::FileName), QByteArray("True\r\n"));
    key(K::KeyT, 1);
    EXPECT_EQ(m_app.readFile(TimingsSetting::FileName), QByteArray("False\r\n"));
}

TEST_F(LaunchControllerTest, MissingFilesAreSkippedAndOneSpeakerIsRelaunchedEveryTime)
{
    addSpeaker(QStringLiteral("Gone"), 2);
    addSpeaker(QStringLiteral("No file"), 0, false);
    addSpeaker(QStringLiteral("Here"), 2);
    QFile::remove(m_doc.Speakers[0].FilePath);
    start();
    for (int round = 0; round < 2; ++round) {
        key(K::KeyPageDown);
        ASSERT_TRUE(m_controller->showRunning()) << round;
        EXPECT_EQ(m_controller->LaunchedSpeakerName(), QStringLiteral("Here"));
        show()->presenterEndsShow();
        watch();
    }
    QFile::remove(m_doc.Speakers[2].FilePath);
    key(K::KeyPageDown);
    EXPECT_FALSE(m_controller->showRunning()) << "no presentation left: nothing happens";
}

TEST_F(LaunchControllerTest, ABlankedScreenOnlyComesBackAndSFlashesTheNextSpeaker)
{
    LaunchController& controller = start(2);
    key(K::KeyF6); // B is pressed in e2e.play_mode
    ASSERT_TRUE(controller.blanked());
    EXPECT_EQ(controller.menu().blankScreenCaption, QStringLiteral("Show Screen"));
    EXPECT_FALSE(controller.menu().setupVisible);
    key(K::KeyS);
    EXPECT_TRUE(controller.blanked());
    EXPECT_TRUE(controller.overlays().speakerName);
    key(K::KeyPageDown);
    EXPECT_FALSE(controller.blanked());
    EXPECT_FALSE(controller.showRunning()) << "the key only restored the screen";
    EXPECT_EQ(controller.menu().blankScreenCaption, QStringLiteral("Blank Screen"));
    EXPECT_TRUE(controller.menu().setupVisible);
}

TEST_F(LaunchControllerTest, NumberKeysShowUsedPopUpsAndBackspaceTheHoldingSlide)
{
    addSpeakers(1);
    m_doc.PopUpsTimeCode = QStringLiteral("p9");
    for (int slot : {0, 8, 9}) {
        m_doc.PopUps[size_t(slot)].Thumb = QImage(4, 4, QImage::Format_RGB32);
        m_doc.PopUps[size_t(slot)].Name = QStringLiteral("Pop %1").arg(slot);
    }
    LaunchController& controller = start();
    watch();
    m_liveCast.published.clear();
    const std::pair<int, int> steps[] = {{K::Key1, 0}, {K::Key0, 9},          {50, 9} /* unused */,
                                         {K::Key9, 8}, {K::KeyBackspace, -1}, {K::KeyBackspace, -1},
                                         {57, 8}};
    for (const auto& [code, title] : steps) {
        key(code);
        EXPECT_EQ(controller.title(), title) << code;
    }
    EXPECT_EQ(m_liveCast.published, (QStringList{"|p1p9", "|p0p9", "|p9p9", "|h120000", "|p9p9"}));
    controller.MnuPopUp_Click(9);
    EXPECT_EQ(controller.title(), 9);
    EXPECT_TRUE(controller.menu().popUpsEnabled);
    EXPECT_EQ(controller.menu().popUps[9].caption, QStringLiteral("0 - Pop 9"));
    EXPECT_FALSE(controller.menu().popUps[1].visible);
}

// Shift+A steps auto run on, on with loop, off. Without loop it ends after the last speaker;
// with loop it wraps to the first.
TEST_F(LaunchControllerTest, AutoRunLaunchesFiveIdleSecondsAfterAShowAndLoopsOnlyWhenAsked)
{
    LaunchController& controller = start(2);
    const auto autoRun = [&](int seconds) {
        for (int second = 0; second < seconds; ++second)
            controller.TimAutoRun_Timer();
        if (!controller.showRunning())
            return QString();
        for (int second = 0; second < 8; ++second)
            controller.TimAutoRun_Timer(); // a running show holds auto run
        show()->presenterEndsShow();
        watch();
        return controller.LaunchedSpeakerName();
    };
    key(K::KeyA); // without Shift only shows the state
    EXPECT_EQ(controller.LabAutoRun(), QStringLiteral("Auto Run - OFF"));
    key(K::KeyF7, 1);
    EXPECT_EQ(controller.LabAutoRun(), QStringLiteral("Auto Run - ON / Loop - OFF"));
    EXPECT_EQ(autoRun(4), QString());
    EXPECT_EQ(autoRun(1), QStringLiteral("Talk 1"));
    EXPECT_EQ(autoRun(5), QStringLiteral("Talk 2"));
    // Talk 2, the last speaker, was launched by the tick that also switched auto run off.
    EXPECT_EQ(controller.LabAutoRun(), QStringLiteral("Auto Run - OFF"));
    EXPECT_EQ(autoRun(10), QString());

    key(K::KeyA, 1);
    key(K::KeyA, 1); // on, loop on
    for (const char* talk : {"Talk 1", "Talk 2", "Talk 1"})
        EXPECT_EQ(autoRun(5), QString::fromUtf8(talk));
    EXPECT_EQ(controller.LabAutoRun(), QStringLiteral("Auto Run - ON / Loop - ON"));
    key(K::KeyA, 1);
    EXPECT_EQ(controller.LabAutoRun(), QStringLiteral("Auto Run - OFF"));

    // Choosing the next or previous speaker by hand switches it off.
    const std::pair<int, const char*> brackets[] = {{K::KeyCloseBracket, "Talk 1"},
                                                    {K::KeyOpenBracket, "Talk 2"}};
    for (const auto& [bracket, name] : brackets) {
        key(K::KeyA, 1);
        key(bracket);
        EXPECT_EQ(controller.LabAutoRun(), QStringLiteral("Auto Run - OFF"));
        EXPECT_EQ(controller.LabSName(), QString::fromUtf8(name));
    }
    key(K::KeyHome);
    EXPECT_EQ(m_doc.CurrentSpeaker, 0);
}

TEST_F(LaunchControllerTest, CommandKeysReachTheirWindowsAndTheTimeMarkIsLogged)
{
    LaunchController& controller = start(1);
    controller.setScreenSize(QSize(1920, 1080));
    int exits = 0, menus = 0, beeps = 0, syncs = 0;
    QObject::connect(&controller, &LaunchController::exitRequested, [&] { ++exits; });
    QObject::connect(&controller, &LaunchController::launcherMenuRequested, [&] { ++menus; });
    QObject::connect(&controller, &LaunchController::beepRequested, [&] { ++beeps; });
    QObject::connect(&controller, &LaunchController::syncRecordRequested, [&] { ++syncs; });
    for (int code : {int(K::KeyF1), int(K::KeyF2), int(K::KeyF3), int(K::KeyF10), 27, 70})
        key(code);
    EXPECT_EQ((std::array{exits, menus, beeps, syncs}), (std::array{1, 1, 1, 1}));

    key(K::KeyF12);
    EXPECT_EQ(controller.LabResolution(), QStringLiteral("1920 x 1080"));
    EXPECT_TRUE(controller.overlays().resolution);
    key(K::KeyL);
    key(K::KeyF11);
    EXPECT_TRUE(controller.overlays().recordIcon);
    EXPECT_EQ(runLog().count(QStringLiteral("[Record Time Log]\r\n")), 2);
    controller.TimSpeaker_Timer();
    EXPECT_FALSE(controller.overlays().recordIcon);
    EXPECT_FALSE(controller.overlays().resolution);

    key(K::KeyH);
    EXPECT_FALSE(controller.liveCastControlsShown()) << "no LiveCast mode is on";
}

TEST_F(LaunchControllerTest, NoSpeakerWithAPresentationDisablesTheMenuAndNext)
{
    addSpeaker(QStringLiteral("Nobody"), 0, false);
    LaunchController& controller = start();
    EXPECT_EQ(controller.LabSName(), QStringLiteral("No Speaker"));
    EXPECT_FALSE(controller.menu().presentationsEnabled);
    EXPECT_FALSE(controller.menu().popUpsEnabled);
    EXPECT_FALSE(controller.menu().promoEnabled);
    for (int code : {K::KeyPageDown, K::KeyPageUp, K::KeyEnd, K::KeyCloseBracket})
        key(code);
    controller.MnuSpeaker_Click(7);
    EXPECT_FALSE(controller.showRunning());
    EXPECT_EQ(m_doc.CurrentSpeaker, -1);
    EXPECT_EQ(controller.LabSName(), QStringLiteral("No Speaker"));
    EXPECT_EQ(m_program.starts(), 0);
}

TEST_F(LaunchControllerTest, ARemovedSpeakerMovesTheSelectionToTheOneThatFollowed)
{
    LaunchController& controller = start(3);
    key(K::KeyCloseBracket); // Talk 2 is next
    // The setup window removes Talk 2 from the table, then tells play mode.
    m_doc.Speakers[1] = m_doc.Speakers[2];
    m_doc.Speakers[2] = SpeakerRecord();
    m_doc.SpeakerCount = 2;
    controller.speakerRemoved(1);
    EXPECT_EQ(controller.LabSName(), QStringLiteral("Talk 3"));
    EXPECT_EQ(controller.menu().speakers.size(), 2);
}

TEST_F(LaunchControllerTest, QuickLaunchRunsAShowNobodyFollowsOrHandsFlashToLiveCast)
{
    addSpeakers(1);
    m_doc.QuickLaunchFile = m_app.writeFile(QStringLiteral("promo.pps"), "deck");
    m_program.addPresentation(m_doc.QuickLaunchFile, 1);
    LaunchController& controller = start();
    EXPECT_TRUE(controller.menu().promoEnabled);
    key(K::KeyQ);
    ASSERT_TRUE(show());
    EXPECT_EQ(show()->path(), m_doc.QuickLaunchFile);
    EXPECT_FALSE(controller.showRunning()) << "the watcher does not follow it";
    watch(3);
    EXPECT_EQ(speakerRecords(), 0);

    m_doc.QuickLaunchFile = QStringLiteral("/promo/intro.SWF");
    key(K::KeyQ);
    EXPECT_EQ(m_liveCast.flashed, QStringList{"/promo/intro.SWF"});
    key(K::KeyPageDown);
    m_doc.QuickLaunchFile = QStringLiteral("/promo/other.swf");
    key(K::KeyQ);
    EXPECT_EQ(m_liveCast.flashed.size(), 1) << "not while a talk runs";
}

TEST_F(LaunchControllerTest, WhileTheScreenWaitsTheNextTalkIsOpenedAheadAndOnlyItsShowStarts)
{
    LaunchController& controller = start(3);
    watch();
    EXPECT_EQ(controller.preparedPath(), m_doc.Speakers[0].FilePath);
    const auto prepared = show();
    ASSERT_TRUE(prepared);
    EXPECT_FALSE(prepared->isShowRunning().valueOr(true));

    key(K::KeyPageDown);
    ASSERT_TRUE(controller.showRunning());
    EXPECT_EQ(show(), prepared) << "the prepared presentation was opened a second time";
    watch();
    EXPECT_EQ(m_program.openPresentationCount().value(), 1) << "nothing is prepared during a talk";

    // After the talk, the next one is prepared; its file replaced meanwhile is opened afresh.
    show()->presenterEndsShow();
    watch(2);
    EXPECT_EQ(controller.preparedPath(), m_doc.Speakers[1].FilePath);
    const auto stale = show();
    m_app.writeFile(QStringLiteral("Talk 2.pptx"), "a new version of the deck");
    key(K::KeyPageDown);
    ASSERT_TRUE(controller.showRunning());
    EXPECT_NE(show(), stale);
    EXPECT_FALSE(stale->isOpen());

    // A program that died takes the prepared presentation with it: Page Down opens it again.
    show()->presenterEndsShow();
    watch(2);
    EXPECT_EQ(controller.preparedPath(), m_doc.Speakers[2].FilePath);
    m_program.crash();
    key(K::KeyPageDown);
    ASSERT_TRUE(controller.showRunning());
    EXPECT_EQ(show()->path(), m_doc.Speakers[2].FilePath);
}
