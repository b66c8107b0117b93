#pragma once

#include "platform/JobRunner.h"
#include "platform/PresentationResult.h"

#include <QObject>
#include <QString>

#include <memory>

class PresentationApp;
class PresentationDocument;

// What the Quick Launch properties window reads from and writes into the presentation itself:
// whether its show loops until Escape and whether its slides advance on their own after a
// delay. The presentation stays open from load() until ok() or cancel(). The presentation
// program is called off this thread: load() and ok() end with loaded() and saved().
class QuickLaunchProperties : public QObject
{
    Q_OBJECT

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

    explicit QuickLaunchProperties(PresentationApp& presentations, QObject* parent = nullptr);
    // Closes a presentation still open without saving it, like cancel(), waiting a bounded time.
    ~QuickLaunchProperties() override;

    // Reads the file's data at once, its show settings off this thread; loaded() follows. The
    // delay comes from slide 1.
    void load(const QString& path);
    const Fields& fields() const { return m_fields; }
    // True when load() got as far as opening the presentation: only then can ok() save.
    bool isBound() const { return m_document != nullptr; }
    // A load or an OK is under way.
    bool isBusy() const { return m_jobs.isBusy(); }

    // Writes the settings into the presentation and saves it: with advance, every slide
    // advances on time after the delay of delayText; without, the show advances by hand.
    // Saves nothing when the presentation could not be read; the presentation is released
    // whatever happens. saved() follows.
    void ok(bool loop, bool advance, const QString& delayText);
    // Releases the presentation without saving, also one whose load is still under way.
    void cancel();

    // Seconds as two-digit minutes, a colon and two-digit seconds: 95 -> "01:35".
    static QString delayText(int seconds);
    // 60 x the number in the first two characters + the number in the last two; a part that
    // is not a number counts as 0: "02:05" -> 125.
    static int delaySeconds(const QString& text);

signals:
    void loaded();
    void saved(const PresentationStatus& status);

private:
    using DocumentPtr = std::shared_ptr<PresentationDocument>;

    void release();

    PresentationApp& m_presentations;
    DocumentPtr m_document;
    Fields m_fields;
    bool m_loading = false;
    bool m_cancelled = false; // cancel() came while loading
    JobRunner m_jobs;
};
