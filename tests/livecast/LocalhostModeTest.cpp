#include "livecast/LocalhostMode.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LocalhostServiceStart.h"
#include "livecast/LocalhostSettings.h"
#include "platform/fake/FakeStreamingServer.h"
#include "setup/widgets/frmLHSettings.h"
#include "setup/widgets/frmLocalhost.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using Mode = LiveCastModes::Mode;

namespace {

// The program's folder, the streaming server's beside it, and the windows as the operator would
// meet them, each driven by a script of its own once it shows.
struct LocalhostFixture
{
    LocalhostFixture()
    {
        windows.settings = [this] {
            ++settingsWindows;
            frmLHSettings window(settings, nullptr, 0);
            QTimer::singleShot(0, &window, [this, &window] {
                // The list fills on its timer; the script answers once it has.
                QTest::qWait(20);
                if (onSettings)
                    onSettings(window);
            });
            QTimer::singleShot(5000, &window, [&window] {
                ADD_FAILURE() << "the settings window stayed open";
                window.reject();
            });
            window.exec();
        };
        windows.serviceStart = [this] {
            ++startWindows;
            LocalhostServiceStart start(server, modes);
            // Cancel comes before the server is asked.
            frmLocalhost window(start, nullptr, cancelStart ? 60000 : 0, 0);
            if (cancelStart)
                QTimer::singleShot(0, window.cancelButton(), &QPushButton::click);
            QTimer::singleShot(5000, &window, [&window] {
                ADD_FAILURE() << "the start window stayed open";
                window.cancelButton()->click();
            });
            window.exec();
            EXPECT_EQ(start.LabStatus(), cancelStart ? "" : "Starting Flash Media Server");
        };
        mode = std::make_unique<LocalhostMode>(app(), modes, messages, settings, server, windows);
    }
    QString app() const { return folder.path("app") + "/"; }
    std::pair<Mode, bool> state() const { return {modes.mode(), modes.localhostSettingsEnabled()}; }
    void install() const
    {
        QDir().mkpath(folder.path("fms"));
        folder.writeFile("app/FMS.ini", folder.path("fms").toLocal8Bit() + "\r\n");
    }

    TestFolder folder;
    QStringList table{"127.0.0.1", "10.0.0.5", "192.168.2.2"};
    LiveCastModes modes;
    FakeMessageService messages;
    FakeStreamingServer server;
    LocalhostSettings settings{app(), messages, [this] { return table; }};
    LocalhostMode::Windows windows;
    std::unique_ptr<LocalhostMode> mode;
    std::function<void(frmLHSettings&)> onSettings;
    bool cancelStart = false;
    int settingsWindows = 0;
    int startWindows = 0;
};

} // namespace

TEST(LocalhostModeTest, EachMissingPieceLeavesTheModeOffWithItsMessage)
{
    LocalhostFixture f;
    // The mode is off with what the operator was told, which is then forgotten.
    const auto expectOff = [&f](const QStringList& told) {
        EXPECT_EQ(f.messages.texts(), told);
        EXPECT_EQ(f.state(), std::pair(Mode::None, false));
        f.messages.clear();
    };

    f.mode->MnuLocalHost_Click();
    expectOff({"Flash Media Server not detected"});

    f.folder.writeFile("app/FMS.ini", f.folder.path("gone").toLocal8Bit() + "\r\n");
    f.mode->MnuLocalHost_Click();
    EXPECT_TRUE(f.mode->streamingFolder().isEmpty());
    expectOff({"Flash Media Server not installed"});

    // Installed, but this computer has only its loopback address: nothing to choose, OK closes
    // the list and the mode stays off without a word.
    f.install();
    f.table = {"127.0.0.1"};
    f.folder.writeFile("app/IPAddress.INI", "127.0.0.1\r\n");
    f.onSettings = [](frmLHSettings& window) {
        EXPECT_TRUE(window.frameServerIP()->isHidden());
        EXPECT_EQ(window.list()->count(), 0);
        window.okButton()->click();
    };
    f.mode->MnuLocalHost_Click();
    EXPECT_EQ(f.settingsWindows, 1);
    EXPECT_EQ(f.startWindows, 0);
    expectOff({});

    // An address of this computer saved earlier, but the server does not start.
    f.table = {"127.0.0.1", "192.168.2.2"};
    f.folder.writeFile("app/IPAddress.INI", "192.168.2.2\r\n");
    f.server.startsOnRestart = false;
    f.mode->MnuLocalHost_Click();
    EXPECT_EQ(f.settingsWindows, 1);
    EXPECT_EQ(f.startWindows, 1);
    EXPECT_EQ(f.server.restarts, 1);
    expectOff({"Unable to Start Flash Media Server"});
    EXPECT_FALSE(QFile::exists(f.folder.path("fms/connect.inf")));

    // Cancel while it starts gives the mode up quietly.
    f.cancelStart = true;
    f.mode->MnuLocalHost_Click();
    EXPECT_EQ(f.startWindows, 2);
    expectOff({});
}

TEST(LocalhostModeTest, EnteringStartsTheServerWritesTheRecordAndTheSettingsWindowChooses)
{
    LocalhostFixture f;
    f.install();
    f.folder.writeFile("app/IPAddress.INI", "192.168.2.2\r\n");
    // The record and the audience's page as the server serves them: e2e.audience_player.
    f.mode->MnuLocalHost_Click();
    EXPECT_TRUE(f.messages.texts().isEmpty());
    EXPECT_EQ(f.state(), std::pair(Mode::Localhost, true));
    EXPECT_EQ(f.server.restarts, 1);
    EXPECT_EQ(f.settingsWindows, 0);

    // A second click leaves; the server is left running.
    f.mode->MnuLocalHost_Click();
    EXPECT_EQ(f.state(), std::pair(Mode::None, false));

    // From Webcast mode only after a Yes; a running server is not restarted.
    f.modes.setMode(Mode::Webcast);
    f.messages.queueAnswer(MsgAnswer::No);
    f.mode->MnuLocalHost_Click();
    EXPECT_EQ(f.messages.texts(), QStringList{"Webcast Mode enabled, switch to Localhost Mode."});
    EXPECT_EQ(f.state(), std::pair(Mode::Webcast, false));
    f.messages.clear();
    f.modes.setMode(Mode::Connect);
    f.messages.queueAnswer(MsgAnswer::Yes);
    f.mode->MnuLocalHost_Click();
    EXPECT_EQ(f.messages.texts(), QStringList{"Connect Mode enabled, switch to Localhost Mode."});
    EXPECT_EQ(f.modes.mode(), Mode::Localhost);
    EXPECT_EQ(f.server.restarts, 1);

    // The settings window shows the chosen address, or the list to choose from.
    f.modes.setMode(Mode::None);
    f.messages.clear();
    f.table = {"127.0.0.1", "0.0.0.0", "10.0.0.5", "192.168.2.2"};
    f.onSettings = [&f](frmLHSettings& window) {
        EXPECT_EQ(window.labIP()->text(), "http://192.168.2.2");
        window.changeButton()->click();
        EXPECT_TRUE(QTest::qWaitFor([&window] { return window.list()->count() > 0; }, 2000));
        QStringList shown;
        for (int i = 0; i < window.list()->count(); ++i)
            shown << window.list()->item(i)->text();
        EXPECT_EQ(shown,
                  QStringList({"NIC IP : 0.0.0.0", "NIC IP : 10.0.0.5", "NIC IP : 192.168.2.2"}));
        EXPECT_EQ(window.list()->currentRow(), 0);

        // A card without a connection cannot be chosen.
        window.okButton()->click();
        EXPECT_EQ(f.messages.texts(), QStringList{"NIC is disconnected."});
        EXPECT_TRUE(window.isVisible());
        window.list()->setCurrentRow(1);
        window.okButton()->click();
    };
    f.mode->MnuLHSettings_Click();
    EXPECT_EQ(f.settingsWindows, 1);
    EXPECT_EQ(f.settings.ipAddress(), "10.0.0.5");
    EXPECT_EQ(f.folder.readFile("app/IPAddress.INI"), "10.0.0.5\r\n");
    // Not in Localhost mode: nothing else happens.
    EXPECT_EQ(f.modes.mode(), Mode::None);
    EXPECT_EQ(f.server.restarts, 1);

    // In Localhost mode the new address goes into the connection record at once.
    f.mode->MnuLocalHost_Click();
    ASSERT_EQ(f.modes.mode(), Mode::Localhost);
    f.onSettings = [](frmLHSettings& window) {
        window.changeButton()->click();
        EXPECT_TRUE(QTest::qWaitFor([&window] { return window.list()->count() == 3; }, 2000));
        window.list()->setCurrentRow(2);
        window.okButton()->click();
    };
    f.mode->MnuLHSettings_Click();
    EXPECT_EQ(f.modes.mode(), Mode::Localhost);
    EXPECT_EQ(f.mode->streamingFolder(), f.folder.path("fms"));
    EXPECT_TRUE(f.folder.readFile("fms/connect.inf").startsWith("&info1=rtmp://192.168.2.2/live/"));
}
