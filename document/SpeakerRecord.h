#pragma once

#include <QString>

// One talk of the event: who speaks and which presentation they bring.
struct SpeakerRecord
{
    QString Name;
    QString FileName; // derived from FilePath, never stored in the event file
    QString FilePath;
    QString TimeCode; // LiveCast export stem; empty until the slides were exported
};
