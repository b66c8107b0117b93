#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <QtGlobal>

#include <atomic>

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
        bool dialog = false;   // a question or message box, standing over another window
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
    // The same for a window of this program (the launch screen when a show has ended), whose
    // own request the window manager may refuse: the keys last went to the office.
    static bool activate(quint32 windowId, int timeoutMs);
    // The window the window manager has made the active one; id 0 when none is or none runs.
    static Window activeWindow();
    // For a show started ahead, behind the launch screen: waits up to timeoutMs (or until stop)
    // for a show window of officePid to be mapped, and at once makes front, the window that was
    // active, the active one again, in front of it. True when the show came up and front is in
    // front of it again.
    static bool keepInFront(quint32 front, qint64 officePid, const std::atomic<bool>& stop,
                            int timeoutMs);
    // Index of the monitor with this geometry among those the office can tell apart (monitors
    // of a real output, in the X server's order, which is how the office numbers its displays),
    // or -1.
    static int monitorIndexOf(const QRect& geometry);
    // Moves the show window of officePid to fill the monitor with this geometry, when the office
    // put it elsewhere; waits up to timeoutMs for the window manager to do it. True when the show
    // fills that monitor.
    static bool placeShow(qint64 officePid, const QRect& monitor, int timeoutMs);
};
