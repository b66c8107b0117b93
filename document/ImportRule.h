#pragma once

#include "document/PathHelpers.h"

#include <QString>

#include <atomic>

class DriveTypeSource;

// Presentations on media that may be gone at show time (removable, network, optical and RAM
// drives) are copied into the event's import folder; files on fixed disks are used where they
// are. Deciding is quick; the copy itself can take minutes from a slow stick, so it is a step of
// its own for the caller to run off the interface thread.
class ImportRule
{
public:
    struct Outcome
    {
        enum class Kind
        {
            InPlace,           // path is the file as given
            ToCopy,            // path is where copy() is to put the file; nothing copied yet
            Copied,            // path is the new copy in the import folder
            DriveUndetermined, // nothing was copied; the caller stops its whole operation
            CopyFailed,        // nothing was copied (or a partial copy was removed)
            Cancelled,         // the operator stopped the copy; the partial copy was removed
        };
        Kind kind = Kind::InPlace;
        QString path;

        bool usable() const { return kind == Kind::InPlace || kind == Kind::Copied; }
    };

    explicit ImportRule(const DriveTypeSource& drives);

    // InPlace, DriveUndetermined or ToCopy. importDir ends with "/". A copy never replaces a
    // file: Talk.ppt becomes Talk2.ppt, Talk3.ppt, ... when those names are taken.
    Outcome decide(const QString& path, const QString& importDir) const;
    // Copies source to target (from decide()), making the import folder when missing: Copied,
    // CopyFailed or Cancelled once *stop turns true. Any thread.
    static Outcome copy(const QString& source, const QString& target,
                        const PathHelpers::CopyProgress& progress = {},
                        const std::atomic<bool>* stop = nullptr);

    // Where decide() would have path copied to.
    static QString copyTarget(const QString& path, const QString& importDir);

private:
    const DriveTypeSource& m_drives;
};
