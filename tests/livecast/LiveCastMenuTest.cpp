#include "livecast/LiveCastMenu.h"
#include "livecast/LiveCastModes.h"
#include "livecast/WebcastServerSettings.h"
#include "tests/fakes/FakeMessageService.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using Mode = LiveCastModes::Mode;

namespace {

struct MenuFixture
{
    LiveCastModes modes;
    FakeMessageService messages;
    LiveCastMenu menu{modes, messages};
    QSignalSpy windowRequests{&menu, &LiveCastMenu::webcastWindowRequested};
};

} // namespace

TEST(LiveCastMenuTest, LeavingLocalhostOrConnectModeAsksFirst)
{
    const std::pair<Mode, QString> questions[] = {
        {Mode::Localhost, "Localhost Mode enabled, switch to Webcast Mode."},
        {Mode::Connect, "Connect Mode enabled, switch to Webcast Mode."}};
    for (const auto& [from, question] : questions)
        for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
            SCOPED_TRACE(question.toStdString() + (answer == MsgAnswer::Yes ? " Yes" : " No"));
            MenuFixture f;
            f.modes.setMode(from);
            f.modes.setLocalhostSettingsEnabled(true);
            f.messages.queueAnswer(answer);
            f.menu.MnuWebcastMode_Click();
            EXPECT_EQ(f.messages.texts(), QStringList{question});
            EXPECT_EQ(f.messages.lastIcon(), MsgIcon::Question);
            if (answer == MsgAnswer::Yes) {
                // The window decides whether Webcast mode comes on; the other mode is off already.
                EXPECT_EQ(f.modes.mode(), Mode::None);
                EXPECT_FALSE(f.modes.localhostSettingsEnabled());
                EXPECT_EQ(f.windowRequests.count(), 1);
            } else {
                EXPECT_EQ(f.modes.mode(), from);
                EXPECT_TRUE(f.modes.localhostSettingsEnabled());
                EXPECT_EQ(f.windowRequests.count(), 0);
            }
        }
}

// Webcast mode on is only switched off; opening the menu offers what the mode allows, and
// Localhost mode renames Verify for good; Auto LiveCast toggles and the encoder's values follow
// the mode.
TEST(LiveCastMenuTest, WebcastModeTheItemsOfEachModeAutoLiveCastAndTheEncoderValues)
{
    MenuFixture f;
    f.modes.setMode(Mode::Webcast);
    f.menu.MnuWebcastMode_Click();
    EXPECT_EQ(f.modes.mode(), Mode::None);
    EXPECT_EQ(f.windowRequests.count(), 0);
    EXPECT_TRUE(f.messages.texts().isEmpty());

    // Off, with no other mode on: the window comes without a question.
    f.menu.MnuWebcastMode_Click();
    EXPECT_EQ(f.windowRequests.count(), 1);
    EXPECT_TRUE(f.messages.texts().isEmpty());

    // The items each mode offers.
    auto items = [&] {
        f.menu.MnuLiveCast_Click();
        const LiveCastMenu::Items& i = f.menu.items();
        return std::tuple(i.MnuUploadSlides, i.MnuEncoderSettings, i.MnuVerifyServer,
                          i.MnuVerifyServerCaption);
    };
    EXPECT_EQ(items(), std::tuple(false, false, false, QString("Verify Server")));
    f.modes.setMode(Mode::Webcast);
    EXPECT_EQ(items(), std::tuple(true, true, true, QString("Verify Server")));
    f.modes.setMode(Mode::Connect);
    EXPECT_EQ(items(), std::tuple(true, true, true, QString("Verify Server")));
    f.modes.setMode(Mode::Localhost);
    EXPECT_EQ(items(), std::tuple(false, true, true, QString("Verify Localhost")));
    f.modes.setMode(Mode::Webcast);
    EXPECT_EQ(items(), std::tuple(true, true, true, QString("Verify Localhost")));
    f.modes.setMode(Mode::None);
    EXPECT_EQ(items(), std::tuple(false, false, false, QString("Verify Localhost")));

    QSignalSpy changed(&f.modes, &LiveCastModes::changed);
    f.menu.MnuAutoLiveCast_Click();
    EXPECT_TRUE(f.modes.autoLiveCast());
    f.menu.MnuAutoLiveCast_Click();
    EXPECT_FALSE(f.modes.autoLiveCast());
    EXPECT_EQ(changed.count(), 2);

    WebcastServerSettings settings;
    settings.EncoderFmsUrl = "rtmp://encoder.example/live";
    settings.EncoderStreamName = "room1";
    for (Mode mode : {Mode::Webcast, Mode::Connect}) {
        f.modes.setMode(mode);
        const LiveCastMenu::EncoderValues values =
            f.menu.MnuEncoderSettings_Click(settings, "192.168.1.20");
        EXPECT_EQ(values.TxtFMSURL, settings.EncoderFmsUrl);
        EXPECT_EQ(values.TxtStreamName, settings.EncoderStreamName);
    }
    f.modes.setMode(Mode::Localhost);
    const LiveCastMenu::EncoderValues local =
        f.menu.MnuEncoderSettings_Click(settings, "192.168.1.20");
    EXPECT_EQ(local.TxtFMSURL, QString("rtmp://192.168.1.20/live"));
    EXPECT_EQ(local.TxtStreamName, QString("vesklive"));
}
