#pragma once

#include <QString>

class PresentationApp;

// A small event of our own that a newcomer can play at once: three short talks, a holding
// slide and two pop-ups, all drawn here and built through the presentation program. The
// program's calls block for seconds; callers run this off the user-interface thread.
class DemoEventMaker
{
public:
    static inline const QString EventName = QStringLiteral("Demo.evf");

    // Writes the talks and folder + EventName into folder (made when missing). Empty on
    // success, else what went wrong. An existing demo is left as it is.
    static QString make(PresentationApp& app, const QString& folder);
};
