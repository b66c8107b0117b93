#pragma once

#include "app/Composition.h"
#include "platform/curl/CurlTransferService.h"
#include "platform/fake/FakeAudioPlayer.h"
#include "platform/fake/FakeProgramLauncher.h"
#include "platform/fake/FakeWebWindows.h"
#include "setup/widgets/frmSetup.h"
#include "show/SystemShowClock.h"
#include "tests/setup/FakeServices.h"

// The program as main() puts it together, on the fakes but with real transfers (to the tests'
// own servers on 127.0.0.1), started on an application folder inside the test folder.
struct ProgramOnFakes : FakeServices
{
    // exports: the office that takes slides, the fake one unless given.
    explicit ProgramOnFakes(PresentationApp* exports = nullptr)
        : program({messages, dialogs, presentations, exports ? *exports : presentations, freeSpace,
                   drives, clipboard, shell, soundPlayer, programs, clock, transfers, &web})
    {}

    // False when start-up failed; eventFile as if named on the command line.
    bool start(const QString& eventFile = QString())
    {
        SetupController::StartUpOptions options;
        options.appFolder = dir.path("app/");
        options.instanceId = 5;
        options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
        options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
        options.commandLineFile = eventFile;
        return program.startUp(options);
    }
    frmSetup& window() { return program.window(); }
    EventDocument& event() { return program.window().document(); }

    FakeAudioPlayer soundPlayer;
    FakeProgramLauncher programs;
    SystemShowClock clock;
    CurlTransferService transfers;
    FakeWebWindows web;
    Composition program;
};
