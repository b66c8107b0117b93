#pragma once

#include <QString>

// The presentation program as a whole: whether it is there, and its lifetime. Documents opened in
// it come with the document interface. Slide numbers at these interfaces are 1-based.
class PresentationApp
{
public:
    virtual ~PresentationApp() = default;

    // True when the program can be started on this machine at all. Start-up ends the program
    // with a message when this is false.
    virtual bool isAvailable() const = 0;
    // Human-readable name of what was found (the binary's path), for diagnostics.
    virtual QString location() const = 0;
};
