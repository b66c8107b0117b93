#include "livecast/LiveCastModes.h"
#include "tests/setup/ProgramOnFakes.h"

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
    ProgramOnFakes fakes;
    ASSERT_TRUE(fakes.start());
    frmSetup& window = fakes.window();
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
    EXPECT_EQ(fakes.program.liveCastModes().mode(), LiveCastModes::Mode::None);
}
