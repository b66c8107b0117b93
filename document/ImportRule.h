#pragma once

#include <QString>

class DriveTypeSource;

// Presentations on media that may be gone at show time (removable, network, optical and RAM
// drives) are copied into the event's import folder; files on fixed disks are used where they
// are.
class ImportRule
{
public:
    struct Outcome
    {
        enum class Kind
        {
            InPlace,           // path is the file as given
            Copied,            // path is the new copy in the import folder
            DriveUndetermined, // nothing was copied; the caller stops its whole operation
            CopyFailed,        // nothing was copied (or a partial copy was removed)
        };
        Kind kind = Kind::InPlace;
        QString path;

        bool usable() const { return kind == Kind::InPlace || kind == Kind::Copied; }
    };

    explicit ImportRule(const DriveTypeSource& drives);

    // importDir ends with "/". A copy never replaces a file: Talk.ppt becomes Talk2.ppt, Talk3.ppt,
    // ... when those names are taken.
    Outcome apply(const QString& path, const QString& importDir) const;

    // Where apply() would copy path to.
    static QString copyTarget(const QString& path, const QString& importDir);

private:
    const DriveTypeSource& m_drives;
};
