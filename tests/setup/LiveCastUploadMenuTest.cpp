#include "livecast/LiveCastModes.h"
#include "livecast/WebcastServerSettings.h"
#include "setup/widgets/SpeakersPanel.h"
#include "tests/fakes/FixtureServer.h"
#include "tests/setup/ProgramOnFakes.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// The LiveCast menu's "Upload Slides" and "Verify Server" and a speaker's "Upload", as the
// operator finds them: offered in Webcast mode only (verification in Localhost mode too, under
// its other caption), each running in its window until the job closes it. "Connect Mode" without
// a server address tells the operator and opens the server window.
TEST(LiveCastUploadMenu, ConnectUploadAndVerifyFromTheMenusOfTheSetupWindow)
{
    ProgramOnFakes fakes;
    const QString ftpRoot = fakes.dir.path("ftp");
    QDir().mkpath(ftpRoot + "/webcasts");
    FixtureServer ftp("ftp_server.py",
                      QStringList{"--root", ftpRoot, "--user", "room", "--password", "pw"});
    ASSERT_TRUE(ftp.ready()) << ftp.failure().toStdString();

    ASSERT_TRUE(fakes.start());
    frmSetup& window = fakes.window();
    EventDocument& doc = window.document();
    fakes.doc.Speakers.clear();
    doc.Speakers.append(
        {"Jane Doe", "jane.pptx", fakes.presentation("jane.pptx", 2), QStringLiteral("101010")});
    doc.HoldingTimeCode = "101010";
    for (const QString file : {"Jane_Doe/1101010.swf", "Jane_Doe/2101010.swf", "h101010.swf"})
        fakes.dir.writeFile("veskCast/" + file, file.toUtf8());

    QMenu* menu = window.liveCastMenu();
    for (const char* name : {"MnuConnect", "MnuServerIP", "MnuSessionDetails"})
        ASSERT_TRUE(menu->actions().contains(window.findChild<QAction*>(name))) << name;
    QStringList opened; // each modal window that opens is noted and closed
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened << open->objectName();
            open->reject();
        }
    });
    watch.start();
    emit menu->aboutToShow();
    window.findChild<QAction*>("MnuConnect")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 5000));
    watch.stop();
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Specify a Server and then re-connect"});
    EXPECT_EQ(opened, QStringList{"frmConnectServerIP"});
    EXPECT_EQ(fakes.program.liveCastModes().mode(), LiveCastModes::Mode::None);
    fakes.messages.clear();

    // A window that stays open fails the test instead of holding it up.
    QTimer guard;
    guard.setInterval(15000);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << open->objectName().toStdString() << " stayed open";
            open->done(QDialog::Rejected);
        }
    });
    guard.start();

    auto* upload = window.findChild<QAction*>("MnuUploadSlides");
    auto* verify = window.findChild<QAction*>("MnuVerifyServer");
    ASSERT_TRUE(upload && verify);
    SpeakersPanel* speakers = window.speakersPanel();
    auto* speakerUpload = speakers->contextMenu()->findChild<QAction*>("MnuSUpload");
    ASSERT_TRUE(speakerUpload);
    emit menu->aboutToShow();
    EXPECT_FALSE(upload->isEnabled());
    EXPECT_FALSE(verify->isEnabled());
    speakers->MnuSOptions_Popup(1, QPoint(0, 0));
    EXPECT_FALSE(speakerUpload->isEnabled()) << "no LiveCast mode";
    speakers->contextMenu()->close();

    WebcastServerSettings& server = fakes.program.webcastServer();
    server.WebcastFtpUrl = "ftp://" + ftp.address();
    server.WebcastUserName = "room";
    server.WebcastPassword = "pw";
    server.WebcastUploadDir = "/webcasts/";
    server.WebcastEventFolder = "EVENT";
    fakes.program.liveCastModes().setMode(LiveCastModes::Mode::Webcast);
    emit menu->aboutToShow();
    ASSERT_TRUE(upload->isEnabled());
    EXPECT_TRUE(verify->isEnabled());
    EXPECT_EQ(verify->text(), "Verify Server");

    speakers->MnuSOptions_Popup(1, QPoint(0, 0));
    ASSERT_TRUE(speakerUpload->isEnabled());
    speakers->contextMenu()->close();
    speakerUpload->trigger(); // its window, until the upload closes it
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/Jane_Doe/2101010.swf"));
    EXPECT_EQ(ftp.lines("login").size(), 1);

    fakes.dir.writeFile("veskCast/r1101010.swf", "rolling");
    upload->trigger();
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/r1101010.swf"));
    EXPECT_TRUE(QFile::exists(ftpRoot + "/webcasts/EVENT/Jane_Doe/1101010.swf"));
    EXPECT_EQ(ftp.lines("login").size(), 2);

    verify->trigger(); // closes by itself when nothing is listed
    EXPECT_TRUE(fakes.messages.texts().isEmpty()) << fakes.messages.last().toStdString();
    EXPECT_EQ(ftp.lines("login").size(), 3);
    // A speaker is offered the upload only once the export has made the speaker's folder.
    doc.Speakers.append({"John Roe", "john.pptx", fakes.presentation("john.pptx", 1), {}});
    for (const int row : {2, 1}) {
        speakers->MnuSOptions_Popup(row, QPoint(0, 0));
        EXPECT_EQ(speakerUpload->isEnabled(), row == 1) << row;
        speakers->contextMenu()->close();
    }

    fakes.program.liveCastModes().setMode(LiveCastModes::Mode::Localhost);
    emit menu->aboutToShow();
    EXPECT_FALSE(upload->isEnabled());
    EXPECT_TRUE(verify->isEnabled());
    EXPECT_EQ(verify->text(), "Verify Localhost");
}
