#include "app/Composition.h"
#include "livecast/LiveCastModes.h"
#include "platform/fake/FakeAudioPlayer.h"
#include "platform/fake/FakeProgramLauncher.h"
#include "platform/fake/FakeTransferService.h"
#include "setup/widgets/frmSetup.h"
#include "show/SystemShowClock.h"
#include "tests/setup/FakeServices.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// "Connect Mode" on the LiveCast menu without a server address: the operator is told and the
// server window opens.
TEST(ConnectMenu, WithoutAServerTheServerWindowComesFirst)
{
    FakeServices fakes;
    FakeAudioPlayer soundPlayer;
    FakeProgramLauncher programs;
    SystemShowClock clock;
    FakeTransferService transfers;
    Composition program({fakes.messages, fakes.dialogs, fakes.presentations, fakes.presentations,
                         fakes.freeSpace, fakes.drives, fakes.clipboard, fakes.shell, soundPlayer,
                         programs, clock, transfers});
    SetupController::StartUpOptions options;
    options.appFolder = fakes.dir.path("app/");
    options.instanceId = 9;
    options.environment.insert("STAGOR_DESKTOP_FOLDER", fakes.dir.path("desktop"));
    options.environment.insert("STAGOR_LIVECAST_FOLDER", fakes.dir.path("veskCast"));
    ASSERT_TRUE(program.startUp(options));
    frmSetup& window = program.window();
    for (const char* name : {"MnuConnect", "MnuServerIP", "MnuSessionDetails"})
        ASSERT_TRUE(window.liveCastMenu()->actions().contains(window.findChild<QAction*>(name)))
            << name;

    // Each modal window that opens is noted and closed.
    QStringList opened;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened << open->objectName();
            open->reject();
        }
    });
    watch.start();
    window.liveCastMenu()->aboutToShow();
    window.findChild<QAction*>("MnuConnect")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Specify a Server and then re-connect"});
    EXPECT_EQ(opened, QStringList{"frmConnectServerIP"});
    EXPECT_EQ(program.liveCastModes().mode(), LiveCastModes::Mode::None);
}
