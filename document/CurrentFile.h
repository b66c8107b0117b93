#pragma once

#include <QString>

// The file the event was opened from or last saved to.
struct CurrentFile
{
    QString EventFilePath;
    QString EventFileTitle;

    // The title the prompts show: the file title without its four-character extension.
    QString titleForPrompt() const { return EventFileTitle.left(EventFileTitle.size() - 4); }
};
