#include "app/Composition.h"
#include "app/ProcessClock.h"
#include "app/TerminationSignals.h"
#include "document/AppFolders.h"
#include "livecast/PlayerPage.h"
#include "platform/MountTableDriveTypes.h"
#include "platform/QtProgramLauncher.h"
#include "platform/StatvfsFreeSpace.h"
#include "platform/curl/CurlTransferService.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "platform/multimedia/QtAudioPlayer.h"
#include "platform/webengine/WebEngineWindows.h"
#include "platform/widgets/QtClipboardService.h"
#include "platform/widgets/QtFileDialogService.h"
#include "platform/widgets/QtMessageService.h"
#include "platform/widgets/QtShellService.h"
#include "setup/CommandLine.h"
#include "setup/widgets/frmSetup.h"
#include "show/SystemShowClock.h"
#include "slides/TemplateMaker.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include <memory>

#include <unistd.h>

Q_LOGGING_CATEGORY(lcStartup, "stagor.startup")

int main(int argc, char** argv)
{
    WebEngineWindows::prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vesk-stagor"));
    QApplication::setApplicationDisplayName(QStringLiteral("vesk stagor"));
    QApplication::setQuitOnLastWindowClosed(false);

    const CommandLine commandLine = CommandLine::parse(QApplication::arguments().mid(1));
    QtMessageService messages;
    QtFileDialogService dialogs;

    if (LibreOfficeApp::findBinary(qEnvironmentVariable("STAGOR_SOFFICE"),
                                   qEnvironmentVariable("PATH"))
            .isEmpty()) {
        messages.show(
            QStringLiteral("Microsoft PowerPoint not installed, stagor will be terminated."),
            MsgButtons::Ok, MsgIcon::Information);
        return 1;
    }

    const QString appFolder = AppFolders::resolveAppFolder(
        commandLine.appFolder, QProcessEnvironment::systemEnvironment());
    AppFolders::seed(appFolder, AppFolders::installedResourcesFolder());

    // LibreOffice takes a few seconds to come up: start it now, while the window loads.
    LibreOfficeApp presentationProgram(QString(), appFolder + QStringLiteral("lo-profile"));
    presentationProgram.startInBackground();
    // Slides are taken and converted by a second, headless office, so that a show never waits
    // for an export.
    LibreOfficeApp exportProgram(QString(), appFolder + QStringLiteral("lo-export-profile"),
                                 LibreOfficeApp::Display::Headless);
    exportProgram.startInBackground();

    QtAudioPlayer soundPlayer;
    QtProgramLauncher programs;
    StatvfsFreeSpace freeSpace;
    MountTableDriveTypes drives;
    QtClipboardService clipboard(*QGuiApplication::clipboard());
    QtShellService shell;
    SystemShowClock showClock;
    CurlTransferService transfers;
    WebEngineWindows web(PlayerPage::installedWebFolder(), messages);
    Composition program({messages, dialogs, presentationProgram, exportProgram, freeSpace, drives,
                         clipboard, shell, soundPlayer, programs, showClock, transfers, &web});
    frmSetup& setup = program.window();
    messages.setParent(&setup);
    dialogs.setParent(&setup);
    SetupController::StartUpOptions options;
    options.appFolder = appFolder;
    options.instanceId = qint64(getpid());
    options.commandLineFile = commandLine.file;
    if (!program.startUp(options))
        return 1;
    setup.show();
    // The templates for new presentations are our own, made through LibreOffice on the first
    // start; the window does not wait for them.
    auto templates = std::make_unique<TemplateMaker>(exportProgram);
    QObject::connect(templates.get(), &TemplateMaker::finished, [](const QString& error) {
        if (!error.isEmpty())
            qCWarning(lcStartup, "templates not made: %s", qPrintable(error));
    });
    templates->start(appFolder, appFolder + QStringLiteral("dtitle"),
                     program.document().RunFolder + QStringLiteral("/Templates"));
    QTimer::singleShot(0, &setup, [] {
        qCInfo(lcStartup, "setup window shown after %lld ms", ProcessClock::msSinceProcessStart());
    });
    // The program ends when the setup window has closed for good, not when the splash or a
    // message box happens to be the last window.
    QObject::connect(&setup, &frmSetup::shutDownFinished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // Asked to end from outside: no questions can be answered then, but the run's working
    // folder and LibreOffice are still cleaned up.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&setup] {
        setup.shutDownWithoutQuestions();
        QApplication::exit(0);
    });
    const int status = app.exec();
    // A template job still running works in the run's folder: let it end, then remove the
    // folder for good.
    templates.reset();
    AppFolders::removeFolder(program.document().RunFolder);
    return status;
}
