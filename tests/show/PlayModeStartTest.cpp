#include "show/PlayModeStart.h"
#include "document/EventDocument.h"
#include "document/TimingsSetting.h"
#include "platform/fake/FakePresentationApp.h"
#include "show/PlayModeController.h"
#include "show/PowerSupplyStatus.h"
#include "show/ShowScreenChoice.h"
#include "show/SyncCountdown.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/RecordingLiveCast.h"
#include "tests/fakes/TestFolder.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(PlayModeStart, PowerWarningsOnlyOnABatteryOfItsOwnAndTheCountdownIsDueOnce)
{
    // Each supply as "folder type,attribute=value,attribute=value".
    const std::pair<QStringList, int> cases[] = {
        // A desktop PC: a mains entry only, whatever it reads.
        {{"AC Mains,online=0"}, PowerSupplyStatus::Online},
        {{"hidpp_battery_0 Battery,scope=Device,status=Discharging"}, PowerSupplyStatus::Online},
        // A laptop; one held below full charge on mains reports "Not charging".
        {{"AC Mains,online=1", "BAT0 Battery,status=Not charging"}, PowerSupplyStatus::Online},
        {{"AC Mains,online=0", "BAT0 Battery,status=Unknown"}, PowerSupplyStatus::Battery},
        {{"AC Mains,online=1", "BAT0 Battery,status=Discharging"}, PowerSupplyStatus::Battery},
        {{"BAT0 Battery,status=Charging"}, PowerSupplyStatus::Online},
        {{"AC Mains", "BAT0 Battery,status=Not charging"}, PowerSupplyStatus::Unknown},
    };
    for (const auto& [supplies, status] : cases) {
        TestFolder sys;
        for (const QString& supply : supplies) {
            const QString folder = supply.section(' ', 0, 0) + '/';
            for (const QString& attribute : ("type=" + supply.section(' ', 1)).split(','))
                sys.writeFile(folder + attribute.section('=', 0, 0),
                              attribute.section('=', 1).toUtf8() + "\n");
        }
        EXPECT_EQ(PowerSupplyStatus::read(sys.path()), status) << supplies.join(',').toStdString();
    }
    FakeMessageService messages;
    for (int status :
         {PowerSupplyStatus::Online, PowerSupplyStatus::Battery, PowerSupplyStatus::Unknown})
        PlayModeStart::checkPower(status, messages);
    EXPECT_EQ(messages.texts(),
              (QStringList{"The System is Using Battery Power!",
                           "\nAC power status is unknown!Please check power connection"}));

    // The synchronise countdown counts down, turns red, blinks ten times and is due once.
    SyncCountdown countdown;
    QStringList labels{countdown.labCount()};
    int dueAt = -1;
    for (int tick = 1; tick <= 20; ++tick) {
        if (countdown.Timer1_Timer()) {
            EXPECT_EQ(dueAt, -1) << "due twice";
            dueAt = tick;
        }
        labels << countdown.labCount() + (countdown.labelVisible() ? "" : "-");
    }
    EXPECT_EQ(dueAt, 15) << "4 counts, the R, 10 blinks";
    EXPECT_EQ(labels.mid(0, 8), (QStringList{"5", "4", "3", "2", "1", "R", "R-", "R"}));
    EXPECT_TRUE(countdown.red());
    EXPECT_TRUE(countdown.finished());
}

TEST(PlayModeStart, OtherPresentationsAreClosedOnlyWhenTheOperatorAgreesAndNoChangeIsLost)
{
    FakePresentationApp program;
    FakeMessageService messages;
    const QString documents = QStringLiteral("/home/op/Documents");
    EXPECT_TRUE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_TRUE(messages.texts().isEmpty()) << "nothing open, nothing asked";

    program.addPresentation(QStringLiteral("/t/other.pptx"), 2);
    const auto other = program.open("/t/other.pptx", PresentationApp::Visibility::Visible);
    ASSERT_TRUE(other.ok());
    messages.queueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_EQ(messages.last(), QStringLiteral("\nAll Open Presentations need to be closed\n"
                                              "Click OK to Auto Save and Close"));
    EXPECT_EQ(program.openPresentationCount().value(), 1);
    EXPECT_TRUE(program.savedOnClose().isEmpty());

    const int startsBefore = program.starts();
    messages.queueAnswer(MsgAnswer::Ok);
    EXPECT_TRUE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_EQ(program.openPresentationCount().value(), 0);
    EXPECT_EQ(program.savedOnClose(), QStringList{"/t/other.pptx"});
    EXPECT_EQ(program.untitledFolder(), documents);
    EXPECT_EQ(program.starts(), startsBefore + 1) << "the program comes back empty";

    // A presentation that cannot be saved stays open, and the program keeps running.
    std::vector<std::shared_ptr<PresentationDocument>> opened;
    for (const char* path : {"/t/kept.pptx", "/t/readonly.pptx"}) {
        program.addPresentation(path, 2);
        opened.push_back(program.open(path, PresentationApp::Visibility::Visible).value());
    }
    program.failToSave(QStringLiteral("/t/readonly.pptx"));
    messages.queueAnswer(MsgAnswer::Ok);
    EXPECT_TRUE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_EQ(program.savedOnClose(), (QStringList{"/t/other.pptx", "/t/kept.pptx"}));
    EXPECT_EQ(program.openPresentationCount().value(), 1) << "ending it would lose its changes";
    EXPECT_EQ(program.starts(), startsBefore + 1);
    EXPECT_TRUE(messages.last().contains("/t/readonly.pptx")) << messages.last().toStdString();
}

// Play starts once, on the projector beside the setup window's screen (unless the operator
// picked one that is connected today), with the sound test stopped; its end puts the timings
// switch as the launch screen left it and brings the program back empty.
TEST(PlayModeController, StartsOnceOnTheAudiencesScreenAndEndsWithTheProgramEmpty)
{
    TestFolder folder;
    EventDocument doc;
    doc.AppFolder = folder.path() + '/';
    FakePresentationApp program;
    program.startInBackground();
    FakeMessageService messages;
    TimingsSetting timings;
    int soundStops = 0;
    RecordingLiveCast liveCast;
    PlayModeController playMode(doc, program, messages, timings, liveCast, [&] { ++soundStops; });
    const QList<ShowScreenChoice::Screen> screens = {{"LAPTOP", QRect(0, 0, 1280, 800)},
                                                     {"PROJECTOR", QRect(1280, 0, 1920, 1080)}};

    EXPECT_EQ(playMode.start(screens, 0), 1);
    EXPECT_EQ(program.showScreen(), QRect(1280, 0, 1920, 1080));
    EXPECT_EQ(soundStops, 1);
    EXPECT_EQ(playMode.start(screens, 0), -1) << "it runs already";
    EXPECT_EQ(liveCast.playsAsked, 1) << "LiveCast is asked once, before the show";

    const int starts = program.starts();
    playMode.end(!timings.Checked);
    EXPECT_TRUE(timings.Checked);
    EXPECT_EQ(program.starts(), starts + 1);

    // The setup window on the projector: the laptop's screen is the audience's.
    EXPECT_EQ(playMode.start(screens, 1), 0);
    EXPECT_EQ(program.showScreen(), QRect(0, 0, 1280, 800));
    playMode.end(true);
    // One screen: the office keeps to its own choice.
    EXPECT_EQ(playMode.start({screens[0]}, 0), 0);
    EXPECT_TRUE(program.showScreen().isNull());

    // The operator's pick counts when that screen is connected today.
    EXPECT_EQ(ShowScreenChoice::choose(screens, 1, QStringLiteral("PROJECTOR")), 1);
    EXPECT_EQ(ShowScreenChoice::choose(screens, 0, QStringLiteral("HDMI-2")), 1)
        << "a screen not connected today does not count";
    EXPECT_EQ(ShowScreenChoice::choose(screens.mid(0, 1), 0, QStringLiteral("PROJECTOR")), 0);
    EXPECT_EQ(ShowScreenChoice::choose({}, -1, QString()), -1);

    TestFolder app;
    EXPECT_TRUE(ShowScreenChoice::load(app.folder()).isEmpty());
    ASSERT_TRUE(ShowScreenChoice::save(app.folder(), QStringLiteral("PROJECTOR")));
    EXPECT_EQ(app.readFile(ShowScreenChoice::FileName), QByteArray("PROJECTOR\r\n"));
    EXPECT_EQ(ShowScreenChoice::load(app.folder()), QStringLiteral("PROJECTOR"));
}
