#pragma once

#include "show/LiveCastHooks.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

// LiveCast as play mode meets it, noting what it is told: the live status as "presenter|slide",
// the player's options as "view|scale|rolling" (never while the launch screen activates), the
// Flash files played and how often Play asked. The options restored are `restored`, or the launch
// screen's own when there are none.
class RecordingLiveCast : public LiveCastHooks
{
public:
    explicit RecordingLiveCast(bool modeOn = false) : modeOn(modeOn), checked(modeOn) {}

    void beginActivation() override { activating = true; }
    PlayerOptions restorePlayerOptions(const PlayerOptions& initial) override
    {
        return restored.value_or(initial);
    }
    void endActivation() override { activating = false; }
    void publishPlayerOptions(const QString& view, const QString& scale,
                              const QString& rolling) override
    {
        EXPECT_FALSE(activating);
        options << view + QLatin1Char('|') + scale + QLatin1Char('|') + rolling;
    }
    void beforePlay() override { ++playsAsked; }
    bool controlsChecked() const override { return checked; }
    void setControlsChecked(bool on) override { checked = on; }
    void publishStatus(const QString& presenter, const QString& slideValue) override
    {
        published << presenter + QLatin1Char('|') + slideValue;
    }
    void playFlash(const QString& path) override { flashed << path; }
    bool liveCastModeOn() const override { return modeOn; }

    QStringList published;
    QStringList flashed;
    QStringList options;
    std::optional<PlayerOptions> restored;
    bool activating = false;
    bool modeOn;
    bool checked;
    int playsAsked = 0;
};
