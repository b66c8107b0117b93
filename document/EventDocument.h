#pragma once

#include "document/CurrentFile.h"
#include "document/Event.h"
#include "document/ProgramFolders.h"
#include "document/ProgramSettings.h"

#include <QString>

// What the setup side works on: the event, the file it came from, the program's folders and
// settings. Each part has its own owner (the file commands own the current file, start-up the
// folders and settings); a class that needs only one part takes only that part.
class EventDocument : public Event,
                      public CurrentFile,
                      public ProgramFolders,
                      public ProgramSettings
{
public:
    static inline const QString ProductName = QStringLiteral("vesk stagor");
    static inline const QString UntitledTitle = QStringLiteral("Untitled.evf");
    static constexpr int SpeakerTableSize = SpeakerTable::Size;
    static constexpr int MaxSpeakers = SpeakerTable::MaxSpeakers;

    QString untitledPath() const { return RunFolder + QLatin1Char('/') + UntitledTitle; }
    bool isUntitled() const { return EventFilePath == untitledPath(); }

    // Empties the event itself (speakers, pictures, files, time codes, Internet-connect values);
    // a new event imports from the desktop. The current file and the program's parts stay.
    void clearEvent() { Event::clear(DesktopFolder); }
};
