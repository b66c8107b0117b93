#include "show/PlayModeStart.h"
#include "show/PowerSupplyStatus.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/FakePresentationApp.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>

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
