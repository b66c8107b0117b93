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

// Leaving Localhost or Connect mode asks first; Webcast mode on is only switched off; opening the
// menu offers what the mode allows, and Localhost mode renames Verify for good; Auto LiveCast
// toggles and the encoder's values follow the mode.
TEST(LiveCastMenuTest, LeavingAModeTheItemsOfEachModeAutoLiveCastAndTheEncoderValues)
{
    const std::tuple<Mode, bool, QString> questions[] = {
        {Mode::Localhost, false, "Localhost Mode enabled, switch to Webcast Mode."},
        {Mode::Connect, true, "Connect Mode enabled, switch to Webcast Mode."}};
    for (const auto& [from, yes, question] : questions) {
        SCOPED_TRACE(question.toStdString());
        MenuFixture f;
        f.modes.setMode(from);
        f.modes.setLocalhostSettingsEnabled(true);
        f.messages.queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        f.menu.MnuWebcastMode_Click();
        EXPECT_EQ(f.messages.texts(), QStringList{question});
        // On a Yes the window decides whether Webcast mode comes on; the other mode is off.
        EXPECT_EQ(f.modes.mode(), yes ? Mode::None : from);
        EXPECT_EQ(f.modes.localhostSettingsEnabled(), !yes);
        EXPECT_EQ(f.windowRequests.count(), yes ? 1 : 0);
    }

    // Webcast mode on is only switched off.
    MenuFixture f;
    f.modes.setMode(Mode::Webcast);
    f.menu.MnuWebcastMode_Click();
    EXPECT_EQ(f.modes.mode(), Mode::None);
    EXPECT_EQ(f.windowRequests.count(), 0);
    EXPECT_TRUE(f.messages.texts().isEmpty());
    // Off, with no other mode on, the window comes without a question: e2e.webcast_play.

    // The items each mode offers in turn, and the encoder's values where that item is offered.
    WebcastServerSettings settings;
    settings.EncoderFmsUrl = "rtmp://encoder.example/live";
    settings.EncoderStreamName = "room1";
    const QString server = "rtmp://encoder.example/live room1";
    const QString local = "rtmp://192.168.1.20/live vesklive";
    const std::tuple<Mode, bool, bool, QString, QString> offers[] = {
        {Mode::None, false, false, "Verify Server", ""},
        {Mode::Webcast, true, true, "Verify Server", server},
        {Mode::Connect, true, true, "Verify Server", server},
        {Mode::Localhost, false, true, "Verify Localhost", local},
        {Mode::Webcast, true, true, "Verify Localhost", server},
    };
    for (const auto& [mode, upload, other, caption, encoder] : offers) {
        f.modes.setMode(mode);
        f.menu.MnuLiveCast_Click();
        const LiveCastMenu::Items& i = f.menu.items();
        const LiveCastMenu::EncoderValues values =
            f.menu.MnuEncoderSettings_Click(settings, "192.168.1.20");
        EXPECT_EQ(std::tuple(i.MnuUploadSlides, i.MnuEncoderSettings, i.MnuVerifyServer,
                             i.MnuVerifyServerCaption,
                             i.MnuEncoderSettings ? values.TxtFMSURL + ' ' + values.TxtStreamName
                                                  : QString()),
                  std::tuple(upload, other, other, caption, encoder))
            << int(mode);
    }

    f.menu.MnuAutoLiveCast_Click();
    EXPECT_TRUE(f.modes.autoLiveCast());
    f.menu.MnuAutoLiveCast_Click();
    EXPECT_FALSE(f.modes.autoLiveCast());
}
