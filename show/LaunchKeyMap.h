#pragma once

#include "show/LaunchCommand.h"

// The launch screen's keys, as Windows virtual-key codes (what a presenter remote sends), and
// the command each stands for.
class LaunchKeyMap
{
public:
    enum Key : int
    {
        KeyBackspace = 8,
        KeyEnter = 13,
        KeySpace = 32,
        KeyPageUp = 33,
        KeyPageDown = 34,
        KeyEnd = 35,
        KeyHome = 36,
        KeyLeft = 37,
        KeyUp = 38,
        KeyRight = 39,
        KeyDown = 40,
        Key0 = 48,
        Key1 = 49,
        Key9 = 57,
        KeyA = 65,
        KeyB = 66,
        KeyH = 72,
        KeyI = 73,
        KeyL = 76,
        KeyP = 80,
        KeyQ = 81,
        KeyR = 82,
        KeyS = 83,
        KeyT = 84,
        KeyU = 85,
        KeyF1 = 112,
        KeyF2 = 113,
        KeyF3 = 114,
        KeyF4 = 115,
        KeyF5 = 116,
        KeyF6 = 117,
        KeyF7 = 118,
        KeyF9 = 120,
        KeyF10 = 121,
        KeyF11 = 122,
        KeyF12 = 123,
        KeyOpenBracket = 219,
        KeyCloseBracket = 221,
    };

    struct Entry
    {
        LaunchCommand command = LaunchCommand::None;
        int slot = -1; // for PopUp, 0..9 (key 1 is slot 0, key 0 slot 9)
    };

    static Entry commandFor(int keyCode);
    // The key the launcher menu's item for a pop-up slot stands for.
    static int popUpKey(int slot);
};
