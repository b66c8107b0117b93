#pragma once

#include <QString>

// What reading an event file came to. The reader shows no messages; the window that ran the
// command shows message when the read did not succeed.
struct EventReadResult
{
    enum class Status
    {
        Read,
        Incompatible,     // another product's file: the message is "Incompatible Files"
        Damaged,          // truncated or corrupt; the event was left as it was
        CannotOpen,       // the file could not be opened at all
        ExtractionFailed, // the packed presentations could not be unpacked
    };

    Status status = Status::Read;
    QString message;
    bool exportFlag = false; // the file's "Export" mark: true for a zipped event file
    // Read up to a zipped event file's presentations, which are still to be unpacked.
    bool presentationsFollow = false;

    bool ok() const { return status == Status::Read; }
};
