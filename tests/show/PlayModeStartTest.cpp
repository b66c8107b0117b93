#include "show/PlayModeStart.h"
#include "document/EventDocument.h"
#include "document/TimingsSetting.h"
#include "show/PlayModeController.h"
#include "show/PowerSupplyStatus.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FakePresentationApp.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(PlayModeStart, PowerWarningsOnlyWhereTheMachineHasABatteryOfItsOwn)
{
    // Each supply as "folder type attribute=value,attribute=value".
    const std::pair<QStringList, int> cases[] = {
        // A desktop PC: nothing listed, or a mains entry only, whatever it reads.
        {{}, PowerSupplyStatus::Online},
        {{"AC Mains online=0"}, PowerSupplyStatus::Online},
        {{"hidpp_battery_0 Battery scope=Device,status=Discharging"}, PowerSupplyStatus::Online},
        // A laptop.
        {{"AC Mains online=1", "BAT0 Battery status=Full"}, PowerSupplyStatus::Online},
        {{"AC Mains online=0", "BAT0 Battery status=Unknown"}, PowerSupplyStatus::Battery},
        {{"AC Mains online=1", "BAT0 Battery status=Discharging"}, PowerSupplyStatus::Battery},
        {{"BAT0 Battery status=Discharging"}, PowerSupplyStatus::Battery},
        {{"BAT0 Battery status=Charging"}, PowerSupplyStatus::Online},
        {{"AC Mains", "BAT0 Battery status=Not charging"}, PowerSupplyStatus::Unknown},
    };
    for (const auto& [supplies, status] : cases) {
        TestFolder sys;
        for (const QString& supply : supplies) {
            const QStringList part = supply.section(' ', 0, 1).split(' ');
            QDir(sys.path()).mkdir(part[0]);
            sys.writeFile(part[0] + "/type", part[1].toUtf8() + "\n");
            const QStringList attributes = supply.section(' ', 2).split(',', Qt::SkipEmptyParts);
            for (const QString& attribute : attributes)
                sys.writeFile(part[0] + "/" + attribute.section('=', 0, 0),
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

// Play starts once, on the projector beside the setup window's screen, with the sound test
// stopped; its end puts the timings switch as the launch screen left it and brings the program
// back empty.
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
    PlayModeController playMode(doc, program, messages, timings, [&] { ++soundStops; });
    QSignalSpy playing(&playMode, &PlayModeController::playingChanged);
    const QList<ShowScreenChoice::Screen> screens = {{"LAPTOP", QRect(0, 0, 1280, 800)},
                                                     {"PROJECTOR", QRect(1280, 0, 1920, 1080)}};

    EXPECT_EQ(playMode.start(screens, 0, folder.path()), 1);
    EXPECT_EQ(program.showScreen(), QRect(1280, 0, 1920, 1080));
    EXPECT_EQ(soundStops, 1);
    EXPECT_EQ(playMode.start(screens, 0, folder.path()), -1) << "it runs already";
    ASSERT_EQ(playing.size(), 1);
    EXPECT_TRUE(playing[0][0].toBool());

    const int starts = program.starts();
    playMode.end(!timings.Checked);
    EXPECT_FALSE(playMode.playing());
    EXPECT_TRUE(timings.Checked);
    EXPECT_EQ(program.starts(), starts + 1);
    ASSERT_EQ(playing.size(), 2);
    EXPECT_FALSE(playing[1][0].toBool());
}
