#pragma once

#include <QList>

// How a presentation's show runs, as stored in the presentation file.
struct SlideShowOptions
{
    enum class AdvanceMode
    {
        Manual,       // every slide waits for a key or click
        SlideTimings, // slides that advance on time do so after their advance time
    };

    struct SlideAdvance
    {
        bool onTime = false;
        int advanceTimeS = 0;

        bool operator==(const SlideAdvance&) const = default;
    };

    bool loopUntilStopped = false;
    AdvanceMode advanceMode = AdvanceMode::SlideTimings;
    // One entry per slide, slide 1 first. When setting, a list shorter than the deck leaves the
    // remaining slides as they are.
    QList<SlideAdvance> slides;

    bool operator==(const SlideShowOptions&) const = default;
};
