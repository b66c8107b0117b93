#include "show/LaunchKeyMap.h"

#include "document/EventDocument.h"

#include <QHash>

LaunchKeyMap::Entry LaunchKeyMap::commandFor(int keyCode)
{
    static const QHash<int, LaunchCommand> commands = {
        {KeyEnter, LaunchCommand::Next},
        {KeySpace, LaunchCommand::Next},
        {KeyRight, LaunchCommand::Next},
        {KeyDown, LaunchCommand::Next},
        {KeyF5, LaunchCommand::Next},
        {KeyPageDown, LaunchCommand::Next},
        {KeyLeft, LaunchCommand::Back},
        {KeyUp, LaunchCommand::Back},
        {KeyPageUp, LaunchCommand::Back},
        {KeyB, LaunchCommand::Blank},
        {KeyF6, LaunchCommand::Blank},
        {KeyBackspace, LaunchCommand::HoldingSlide},
        {KeyQ, LaunchCommand::QuickLaunch},
        {KeyH, LaunchCommand::LiveCastControls},
        {KeyS, LaunchCommand::SpeakerName},
        {KeyF4, LaunchCommand::SpeakerName},
        {KeyR, LaunchCommand::Resolution},
        {KeyF12, LaunchCommand::Resolution},
        {KeyL, LaunchCommand::TimeMark},
        {KeyF11, LaunchCommand::TimeMark},
        {KeyF10, LaunchCommand::SyncRecord},
        {KeyA, LaunchCommand::AutoRun},
        {KeyF7, LaunchCommand::AutoRun},
        {KeyT, LaunchCommand::Timings},
        {KeyF9, LaunchCommand::Timings},
        {KeyP, LaunchCommand::HideLauncherMenu},
        {KeyOpenBracket, LaunchCommand::PreviousSpeaker},
        {KeyCloseBracket, LaunchCommand::NextSpeaker},
        {KeyHome, LaunchCommand::FirstSpeaker},
        {KeyEnd, LaunchCommand::LastSpeaker},
        {KeyF2, LaunchCommand::LauncherMenu},
        {KeyF3, LaunchCommand::Beep},
        {KeyF1, LaunchCommand::Exit},
        {KeyU, LaunchCommand::InternetConnect},
        {KeyI, LaunchCommand::InternetConnect},
    };
    if (keyCode >= Key1 && keyCode <= Key9)
        return {LaunchCommand::PopUp, keyCode - Key1};
    if (keyCode == Key0)
        return {LaunchCommand::PopUp, EventDocument::PopUpSlotCount - 1};
    return {commands.value(keyCode, LaunchCommand::None)};
}

int LaunchKeyMap::popUpKey(int slot)
{
    return slot == EventDocument::PopUpSlotCount - 1 ? Key0 : Key1 + slot;
}
