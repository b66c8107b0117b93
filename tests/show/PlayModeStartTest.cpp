#include "PlayModeStart.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "PowerSupplyStatus.h"
#include "TestFolder.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(PowerSupplyStatus, MainsBatteryOrNothingKnown)
{
    struct Supply
    {
        const char* name;
        const char* type;
        const char* attribute;
        const char* value;
    };
    struct Case
    {
        std::vector<Supply> supplies;
        int status;
    };
    const std::vector<Case> cases = {
        {{}, PowerSupplyStatus::Unknown},
        {{{"AC", "Mains", "online", "1"}}, PowerSupplyStatus::Online},
        {{{"AC", "Mains", "online", "0"}, {"BAT0", "Battery", "status", "Discharging"}},
         PowerSupplyStatus::Battery},
        {{{"BAT0", "Battery", "status", "Discharging"}, {"BAT1", "Battery", "status", "Full"}},
         PowerSupplyStatus::Battery},
        {{{"BAT0", "Battery", "status", "Charging"}}, PowerSupplyStatus::Online},
        {{{"hidpp_battery_0", "Battery", "status", "Unknown"}}, PowerSupplyStatus::Unknown},
        {{{"AC", "Mains", "online", "garbage"}}, PowerSupplyStatus::Unknown},
        {{{"USB", "USB", "online", "1"}}, PowerSupplyStatus::Unknown},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        TestFolder sys;
        for (const Supply& supply : cases[i].supplies) {
            const QString name = QString::fromUtf8(supply.name);
            QDir(sys.path()).mkdir(name);
            sys.writeFile(name + "/type", QByteArray(supply.type) + "\n");
            sys.writeFile(name + "/" + supply.attribute, QByteArray(supply.value) + "\n");
        }
        EXPECT_EQ(PowerSupplyStatus::read(sys.path()), cases[i].status) << "case " << i;
    }
    EXPECT_EQ(PowerSupplyStatus::read(QStringLiteral("/nonexistent/power")),
              PowerSupplyStatus::Unknown);
}

TEST(PlayModeStart, PowerWarningsOnlyForBatteryAndUnknown)
{
    FakeMessageService messages;
    PlayModeStart::checkPower(PowerSupplyStatus::Online, messages);
    PlayModeStart::checkPower(PowerSupplyStatus::Battery, messages);
    PlayModeStart::checkPower(PowerSupplyStatus::Unknown, messages);
    EXPECT_EQ(messages.texts(),
              (QStringList{"The System is Using Battery Power!",
                           "\nAC power status is unknown!Please check power connection"}));
}

TEST(PlayModeStart, OtherPresentationsAreSavedAndClosedOnlyWhenTheOperatorAgrees)
{
    FakePresentationApp program;
    FakeMessageService messages;
    const QString documents = QStringLiteral("/home/op/Documents");
    EXPECT_TRUE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_TRUE(messages.texts().isEmpty()) << "nothing open, nothing asked";

    program.addPresentation(QStringLiteral("/t/other.pptx"), 2);
    const auto other =
        program.open(QStringLiteral("/t/other.pptx"), PresentationApp::Visibility::Visible);
    ASSERT_TRUE(other.ok());
    messages.queueAnswer(2);
    EXPECT_FALSE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_EQ(messages.last(), QStringLiteral("\nAll Open Presentations need to be closed\n"
                                              "Click OK to Auto Save and Close"));
    EXPECT_EQ(program.openPresentationCount().value(), 1);

    EXPECT_TRUE(program.savedOnClose().isEmpty());

    const int startsBefore = program.starts();
    messages.queueAnswer(1);
    EXPECT_TRUE(PlayModeStart::closeOtherPresentations(program, messages, documents));
    EXPECT_EQ(program.openPresentationCount().value(), 0);
    EXPECT_EQ(program.savedOnClose(), QStringList{"/t/other.pptx"});
    EXPECT_EQ(program.untitledFolder(), documents);
    EXPECT_EQ(program.starts(), startsBefore + 1) << "the program comes back empty";
}

TEST(PlayModeStart, APresentationThatCannotBeSavedStaysOpenAndTheProgramRuns)
{
    FakePresentationApp program;
    FakeMessageService messages;
    program.addPresentation(QStringLiteral("/t/kept.pptx"), 2);
    program.addPresentation(QStringLiteral("/t/readonly.pptx"), 2);
    program.failToSave(QStringLiteral("/t/readonly.pptx"));
    const auto kept = program.open("/t/kept.pptx", PresentationApp::Visibility::Visible);
    ASSERT_TRUE(kept.ok());
    const auto stuck = program.open("/t/readonly.pptx", PresentationApp::Visibility::Visible);
    ASSERT_TRUE(stuck.ok());
    const int startsBefore = program.starts();

    messages.queueAnswer(1);
    EXPECT_TRUE(PlayModeStart::closeOtherPresentations(program, messages, "/tmp"));
    EXPECT_EQ(program.savedOnClose(), QStringList{"/t/kept.pptx"});
    EXPECT_EQ(program.openPresentationCount().value(), 1);
    EXPECT_TRUE(stuck.value()->slideCount().ok()) << "ending the program would lose its changes";
    EXPECT_EQ(program.starts(), startsBefore);
    EXPECT_TRUE(messages.last().contains("/t/readonly.pptx")) << messages.last().toStdString();
}

TEST(PlayModeStart, TheSetupWindowReturnsWithinNinetyNinePercentOfTheScreen)
{
    const QRect screen(0, 0, 1000, 800);
    struct Case
    {
        QRect window;
        QPoint position;
    };
    const Case cases[] = {
        {QRect(100, 50, 400, 300), QPoint(100, 50)},
        {QRect(590, 50, 400, 300), QPoint(590, 50)}, // right edge exactly at 990
        {QRect(700, 60, 400, 300), QPoint(590, 60)},
        {QRect(2000, 0, 400, 300), QPoint(590, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlayModeStart::returnPosition(c.window, screen), c.position) << c.window.x();
    EXPECT_EQ(PlayModeStart::returnPosition(QRect(1900, 0, 400, 300), QRect(1000, 0, 1000, 800)),
              QPoint(1590, 0));
}
