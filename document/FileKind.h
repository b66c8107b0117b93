#pragma once

#include <QString>

// What a file is, told by the end of its name the way the program always has: the last four
// characters, case aside, for presentations and movies (".ppt", "pptx", ".pps", "ppsx",
// ".swf"), the last three for the program's own files ("evf", "zev", "evp").
enum class FileKind
{
    None, // no name at all
    Presentation,
    Show, // a presentation saved to open as a slide show
    Flash,
    EventFile,
    ZippedEvent,
    PopUpsFile,
    Unknown
};

FileKind fileKindOf(const QString& path);

// A presentation of either kind: what a speaker, a pop-up set or the holding slide can take.
inline bool isPresentationKind(FileKind kind)
{
    return kind == FileKind::Presentation || kind == FileKind::Show;
}
