#pragma once

#include <QString>

// The synchronise window's countdown, one step a second: "5" down to "1", then a red "R" that
// blinks for ten seconds, after which the synchronise mark is due and the window closes.
class SyncCountdown
{
public:
    // Returns true on the tick that makes the mark due (once).
    bool Timer1_Timer();

    const QString& labCount() const { return m_label; }
    bool labelVisible() const { return m_visible; }
    bool red() const { return m_red; }
    bool finished() const { return m_finished; }

private:
    QString m_label = QStringLiteral("5");
    bool m_visible = true;
    bool m_red = false;
    int m_blinks = 0;
    bool m_finished = false;
};
