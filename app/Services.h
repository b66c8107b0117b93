#pragma once

class AudioPlayer;
class ClipboardService;
class DriveTypeSource;
class FileDialogService;
class FreeSpaceSource;
class MessageService;
class PresentationApp;
class ProgramLauncher;
class ShellService;
class ShowClock;
class TransferService;
class WebWindows;

// The outside world as the program sees it: every service is made once, in main() or in a
// test, and outlives everything built on it.
struct Services
{
    MessageService& messages; // boxes shown at once, also over the launch screen
    FileDialogService& dialogs;
    PresentationApp& shows;   // the office that shows talks on screen
    PresentationApp& exports; // the headless office that takes slides and writes copies
    FreeSpaceSource& freeSpace;
    const DriveTypeSource& drives;
    ClipboardService& clipboard;
    ShellService& shell;
    AudioPlayer& soundPlayer;
    ProgramLauncher& programs;
    const ShowClock& clock;
    TransferService& transfers; // HTTP queries and FTP sessions off the interface thread
    WebWindows* web = nullptr;  // web pages over the launch screen; none: they do not open
};
