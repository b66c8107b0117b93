#pragma once

// What a key (or the launcher menu item standing for it) asks of the launch screen.
enum class LaunchCommand
{
    None,
    Next,             // the current speaker's show
    Back,             // the last show again, at its last slide
    Blank,            // a black screen until the next key
    HoldingSlide,     // the holding slide back instead of a pop-up
    QuickLaunch,      // the Quick Launch file
    LiveCastControls, // shows or hides them
    SpeakerName,      // flashes the next speaker's name
    Resolution,       // flashes the screen's size
    TimeMark,         // a mark in the timings log
    SyncRecord,       // the synchronised recording window
    AutoRun,          // flashes auto run; with Shift, its next mode
    Timings,          // flashes the timings state; with Shift, toggles it
    HideLauncherMenu, // hides the launcher menu's items
    PreviousSpeaker,
    NextSpeaker,
    FirstSpeaker,
    LastSpeaker,
    LauncherMenu,
    Beep,
    Exit,
    InternetConnect, // the session page LiveCast names (the key says which)
    PopUp            // one of the ten pop-up slides
};
