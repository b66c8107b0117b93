#pragma once

class AudioRecordSwitch;
class ClipboardService;
class CompanionPrograms;
class DriveTypeSource;
class EventDocument;
class FileDialogService;
class HoldingSlide;
class LiveCastExport;
class LiveCastMenu;
class LiveCastModes;
class MessageService;
class MissingPresentationsSweep;
class PdfConverter;
class PlayModeController;
class PopUpSlots;
class PopUpsFileCommands;
class PresentationApp;
class QuickLaunchBar;
class SetupController;
class ShellService;
class ShowClock;
class SlideExtractor;
class SoundTest;
class SlideIntake;
class SpeakerList;
class ThreadedShowPort;
class WebcastServerSettings;
class ZippedEventExport;

// What the setup window shows and routes its events to: the event, the controllers of its
// sections and the services its own dialogs need. All of it is built before the window and
// outlives it.
struct SetupParts
{
    EventDocument& doc;
    SetupController& controller;
    PopUpsFileCommands& popUpsCommands;
    ZippedEventExport& zippedEventExport;
    SpeakerList& speakerList;
    MissingPresentationsSweep& sweep; // speakers whose presentations went missing
    QuickLaunchBar& quickLaunchBar;
    SlideExtractor& extractor;
    SlideIntake& intake;
    HoldingSlide& holdingSlide;
    PopUpSlots& popUpSlots;
    PdfConverter& pdf;
    PlayModeController& playMode;
    ThreadedShowPort& recordShows; // shows started from the launch record
    LiveCastModes& liveCastModes;
    LiveCastMenu& liveCastMenu;
    const WebcastServerSettings& webcastServer;
    LiveCastExport& liveCastExport; // the slides as the webcast shows them

    MessageService& messages; // boxes shown at once
    FileDialogService& dialogs;
    PresentationApp& presentations; // Quick Launch's Show and Properties
    const DriveTypeSource& drives;
    ClipboardService& clipboard;
    ShellService& shell;
    const ShowClock& clock;
    SoundTest& soundTest;
    AudioRecordSwitch& audioRecord;
    CompanionPrograms& companions;
};
