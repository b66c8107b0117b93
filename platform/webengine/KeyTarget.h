#pragma once

class QObject;
class QWidget;

// True when a key event sent to target is for the top-level window: the window is the active
// one, or the event went to the window or into it. Under a loaded desktop the window manager
// may hand a new full-screen window the keys before Qt has made it the active window; those
// keys still arrive at the window, and an operator's Escape must not be lost.
bool keyIsFor(const QWidget* window, const QObject* target);
