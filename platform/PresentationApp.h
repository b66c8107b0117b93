#pragma once

#include "platform/PresentationDocument.h"
#include "platform/PresentationResult.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

// The presentation program as a whole: whether it is there, its lifetime and the files open in
// it. Slide numbers at these interfaces are 1-based.
//
// Calls block the calling thread until the program has answered, but never longer than a bound
// of a few seconds (longer for opening, exporting and saving); a call that runs out of time or
// finds the program dead fails with an error text. A program that died or hung is started again
// by the next call that needs it; documents opened before that fail from then on.
class PresentationApp
{
public:
    enum class Visibility
    {
        Hidden, // for counting, exporting and saving: no window appears
        Visible,
    };

    virtual ~PresentationApp() = default;

    // True when the program can be started on this machine at all. Start-up ends the program
    // with a message when this is false.
    virtual bool isAvailable() const = 0;
    // Human-readable name of what was found (the binary's path), for diagnostics.
    virtual QString location() const = 0;

    // Starts the program without waiting for it, so that the first real call finds it ready.
    virtual void startInBackground() = 0;
    // True while the program runs and answers.
    virtual bool isRunning() = 0;

    // True when calls may come from several threads at once, each blocking only its own: an
    // export may then open the next presentation while it still writes this one's pictures.
    virtual bool takesCallsFromSeveralThreads() const { return false; }

    virtual PresentationResult<std::shared_ptr<PresentationDocument>>
    open(const QString& path, Visibility visibility) = 0;
    enum class PictureFit
    {
        Centred, // as large as the slide allows, centred, keeping its proportions
        Fill,    // from the top left corner, as wide and as high as the slide
    };

    // A new presentation of one slide per picture.
    virtual PresentationResult<std::shared_ptr<PresentationDocument>>
    buildFromPictures(const QStringList& picturePaths, Visibility visibility,
                      PictureFit fit = PictureFit::Centred) = 0;

    // Presentations open in the program, whoever opened them.
    virtual PresentationResult<int> openPresentationCount() = 0;
    // Closes every open presentation without saving.
    virtual PresentationStatus closeAll() = 0;
    // Saves every open presentation that has changes, then closes it. One that was never saved
    // (or was opened read-only) goes into untitledFolder under a name of its own. A presentation
    // that cannot be saved stays open, and the error names it.
    virtual PresentationStatus saveAndCloseAll(const QString& untitledFolder) = 0;
    // Ends the program. It may return before the program has gone, so that one that hangs never
    // holds the caller up; documents opened before fail from then on, and the next call that
    // needs the program starts it again.
    virtual PresentationStatus quit() = 0;
    // The screen (by its geometry on the desktop) that shows run on from now on; an empty one
    // lets the program choose. Takes effect at the next show.
    virtual void setShowScreen(const QRect& geometry) { Q_UNUSED(geometry); }
    // The program's own start-as-show of path in a process apart from this one, for when the
    // program itself failed to run it: the document only tells whether the show still runs
    // and ends it.
    virtual PresentationResult<std::shared_ptr<PresentationDocument>>
    showInOwnProcess(const QString& path)
    {
        Q_UNUSED(path);
        return PresentationResult<std::shared_ptr<PresentationDocument>>::failure(
            QStringLiteral("The program cannot show a file on its own"));
    }
};
