#pragma once

#include "document/PopUpSlot.h"
#include "document/SlideFormat.h"
#include "platform/PresentationApp.h"

#include <QSize>
#include <QString>

#include <array>
#include <functional>

// Takes the first ten slides of a presentation as pop-ups: slide i + 1 fills slot i with its
// thumbnail, its full-screen image and the name "PopUp". Later slides are ignored.
//
// Every call blocks while the presentation program renders; run it off the user-interface
// thread.
class PopUpSlideImporter
{
public:
    static inline const QString SlotName = QStringLiteral("PopUp");

    struct Request
    {
        QString presentationPath;
        QString runFolder; // scratch files slide1.bmp and slide1.<format> go here
        SlideFormat slideImageFormat = SlideFormat::Emf;
        QSize thumbnailPx;
        QSize fullScreenPx;
    };

    struct Result
    {
        QString error; // empty on success; the popUps filled before a failure are kept
        std::array<PopUpSlot, 10> popUps;
        int imported = 0;

        bool ok() const { return error.isEmpty(); }
    };

    // Before slot `slot` is exported, from the thread that imports.
    using Progress = std::function<void(int slot)>;

    // The app must outlive the importer.
    explicit PopUpSlideImporter(PresentationApp& app);

    // The status panel's text while slot `slot` is imported.
    static QString progressText(int slot);

    Result importSlides(const Request& request, const Progress& progress = {});

private:
    PresentationApp& m_app;
};
