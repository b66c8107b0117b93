#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <sys/types.h>

// The presentation program's windows as the X server and the window manager see them. A show
// started through the office's API comes up behind the launch screen (or the office's own
// editing window) under a window manager and gets no keys until it is activated the way a pager
// activates a window; this class finds it by the office's process id and does that.
//
// Every call opens a connection of its own, so any thread may call; with no X display (tests on
// the offscreen platform) every call finds nothing and does nothing.
class X11ShowWindows
{
public:
    struct Window
    {
        quint32 id = 0;
        qint64 pid = 0;
        QString title;
        QRect geometry; // on the root window, frame excluded
        bool fullScreen = false;
        bool viewable = false; // mapped: on screen unless covered
    };

    // Top-level windows of every client, bottom to top where the window manager tells the
    // stacking order.
    static QList<Window> topLevelWindows();
    // The running show's window of the office process officePid, if one is up.
    static QList<Window> showWindowsOf(qint64 officePid);
    // Brings the show window of officePid in front and gives it the keyboard. Waits up to
    // timeoutMs for the window to appear and for the window manager to make it the active one;
    // false when it did not.
    static bool activateShow(qint64 officePid, int timeoutMs);
    // Index of the monitor with this geometry in the X server's own order (the order the office
    // numbers its displays in), or -1.
    static int monitorIndexOf(const QRect& geometry);
};
