#pragma once

#include <QString>

#include <functional>
#include <memory>

class PresentationDocument;

// How play mode reaches the presentation program. Every call may take seconds, so results come
// back through a callback, on the thread that asked and never inside a caller that runs a key or
// a timer tick of another request; an implementation may also answer at once (tests do).
class ShowPort
{
public:
    enum class StartAt
    {
        FirstSlide,
        LastSlide,
    };
    enum class Front
    {
        Leave,
        BringShowToFront,
    };

    struct Launch
    {
        // Null when the presentation could not be opened or its show did not start.
        std::shared_ptr<PresentationDocument> document;
        int slideCount = 0;
        QString error;
    };
    struct Poll
    {
        // False as well when the program is gone or the document unusable: the show is over.
        bool running = false;
        // 0 when the show runs but names no slide (its end screen, a moment of transition).
        int slide = 0;
    };

    virtual ~ShowPort() = default;

    // Opens path and runs its show at the first or last slide; a presentation prepared for path
    // only has its show started.
    virtual void launch(const QString& path, StartAt startAt, std::function<void(Launch)> done) = 0;
    // Opens path ahead of its launch, while the screen waits, so that the launch only starts its
    // show. What was prepared before is closed, unless it is this same file, unchanged and still
    // open; an empty path just closes it. done(true) once path is ready.
    virtual void prepare(const QString& path, std::function<void(bool)> done) = 0;
    // At most three calls to the program: running?, which slide?, and the front when asked.
    virtual void poll(std::shared_ptr<PresentationDocument> document, Front front,
                      std::function<void(Poll)> done) = 0;
    virtual void bringToFront(std::shared_ptr<PresentationDocument> document) = 0;
    // Closes a document whose show has ended (a show file may have closed itself already).
    virtual void close(std::shared_ptr<PresentationDocument> document) = 0;
    // Opens and runs a show that nobody follows (Quick Launch).
    virtual void showUntracked(const QString& path) = 0;
};
