#pragma once

#include <QString>

// The one place where play mode meets LiveCast: publishing the live status, the Internet-connect
// keys "U" and "I", the Flash window of Quick Launch and the LiveCast modes. Nothing of LiveCast
// exists yet, so every hook does nothing and no mode is on; LiveCast overrides them.
class LiveCastHooks
{
public:
    virtual ~LiveCastHooks() = default;

    // Presenter (spaces replaced by "_", empty for the holding state) and slide value as the
    // audience's player reads them: a slide number followed by the slide set, "h" or "p" + code.
    virtual void publishStatus(const QString& presenter, const QString& slideValue)
    {
        Q_UNUSED(presenter);
        Q_UNUSED(slideValue);
    }
    // Key 85 ("U") or 73 ("I").
    virtual void internetConnect(int key) { Q_UNUSED(key); }
    // Quick Launch of a ".swf" file.
    virtual void playFlash(const QString& path) { Q_UNUSED(path); }
    // Webcast or Localhost mode: the LiveCast controls may be shown.
    virtual bool liveCastModeOn() const { return false; }
};
