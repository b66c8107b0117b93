#pragma once

#include "PresentationResult.h"

#include <QString>

#include <memory>

class PresentationApp;
class PresentationDocument;

// What the Quick Launch properties window reads from and writes into the presentation itself:
// whether its show loops until Escape and whether its slides advance on their own after a
// delay. The presentation stays open from load() until ok() or cancel().
class QuickLaunchProperties
{
public:
    // What load() found. A load that fails part way leaves the later fields at these defaults.
    struct Fields
    {
        QString fileName;   // TxtFileName
        QString sizeText;   // LabSizeData
        QString location;   // LabLocationData
        bool isShow = true; // which large icon PicIcon shows
        bool loop = false;
        bool advance = false;
        QString delayText = QStringLiteral("00:00");
        int delayS = 0;
    };

    explicit QuickLaunchProperties(PresentationApp& presentations);
    // Closes a presentation still open without saving it, like cancel().
    ~QuickLaunchProperties();

    QuickLaunchProperties(const QuickLaunchProperties&) = delete;
    QuickLaunchProperties& operator=(const QuickLaunchProperties&) = delete;

    // Reads the file's data and its show settings. The delay comes from slide 1.
    void load(const QString& path);
    const Fields& fields() const { return m_fields; }
    // True when load() got as far as opening the presentation: only then can ok() save.
    bool isBound() const { return m_document != nullptr; }

    // Writes the settings into the presentation and saves it: with advance, every slide
    // advances on time after the delay of delayText; without, the show advances by hand.
    // Saves nothing when the presentation could not be read; the presentation is released
    // whatever happens.
    PresentationStatus ok(bool loop, bool advance, const QString& delayText);
    // Releases the presentation without saving.
    void cancel();

    // Seconds as two-digit minutes, a colon and two-digit seconds: 95 -> "01:35".
    static QString delayText(int seconds);
    // 60 x the number in the first two characters + the number in the last two; a part that
    // is not a number counts as 0: "02:05" -> 125.
    static int delaySeconds(const QString& text);

private:
    void release();

    PresentationApp& m_presentations;
    std::shared_ptr<PresentationDocument> m_document;
    Fields m_fields;
};
