#pragma once

// The launch screen's commands are keyed by the virtual-key codes presenter remotes and the
// launcher menu send; this turns Qt's key numbers into them.
class VirtualKeys
{
public:
    // 0 for a key without a command code.
    static int fromQt(int qtKey);
};
