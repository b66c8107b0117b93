#pragma once

#include <QString>

// The one place where play mode meets LiveCast: publishing the live status and the player's
// options, the Internet-connect keys "U" and "I", the Flash window of Quick Launch and the
// LiveCast modes. Here every hook does nothing and no mode is on; LiveCast overrides them.
class LiveCastHooks
{
public:
    // The audience player's options as the launch screen's LiveCast controls show them.
    struct PlayerOptions
    {
        int view = 1;    // "Scale Video / Slide", "Thumbnail Video", "Slide Only", "Video Only"
        int scale = 100; // percent
        bool rolling = false;
    };

    virtual ~LiveCastHooks() = default;

    // The launch screen comes up: the options the audience's player had last time, read while
    // nothing is published (beginActivation() to endActivation()).
    virtual void beginActivation() {}
    virtual PlayerOptions restorePlayerOptions(const PlayerOptions& initial) { return initial; }
    virtual void endActivation() {}
    // One option changed; the other two are given as "null" (written empty).
    virtual void publishPlayerOptions(const QString& view, const QString& scale,
                                      const QString& rolling)
    {
        Q_UNUSED(view);
        Q_UNUSED(scale);
        Q_UNUSED(rolling);
    }
    // Play is about to start: with "Auto LiveCast" on, the slides go to the audience first, or
    // the operator hears why they cannot.
    virtual void beforePlay() {}
    // The check mark of the setup window's "LiveCast Controls" item, which key H moves.
    virtual bool controlsChecked() const { return false; }
    virtual void setControlsChecked(bool checked) { Q_UNUSED(checked); }

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
