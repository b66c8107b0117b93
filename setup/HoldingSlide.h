#pragma once

#include "platform/JobRunner.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>

#include <utility>

class ClipboardService;
class EventDocument;
class FileDialogService;
class PresentationApp;
class QMimeData;
class SlideIntake;

// The holding slide's commands: Open, drop, paste, cut, copy, the operator's own default and
// the built-in one from the template presentation.
class HoldingSlide : public QObject
{
    Q_OBJECT

public:
    struct MenuState
    {
        bool cut = false;
        bool copy = false;
        bool paste = false;
    };

    HoldingSlide(EventDocument& doc, SlideIntake& intake, ClipboardService& clipboard,
                 FileDialogService& dialogs, PresentationApp& templates, QObject* parent = nullptr);

    static const QString OpenFilter;

    void Open();
    void drop(const QMimeData* data);
    void paste();
    void cut();
    void copy();
    MenuState contextMenuState() const;
    // Set Holding Slide: the current slide becomes the operator's default, unless it is the
    // built-in one.
    void MnuHoldingSlide_Click();
    // Restore Default: the template's slide 1, and the operator's default forgotten. The
    // template is read through the presentation program, off this thread; restoreFinished()
    // tells when it is done.
    void MnuRestoreDefault_Click();
    // At start-up when the operator has no default of their own: exports the template's slide
    // off this thread and hands it on through builtInDefaultLoaded() (null pictures when there
    // is none) without touching the event.
    void loadBuiltInDefault();
    // The screen changed size (the intake knows the new one): the built-in default, recognised
    // by Set Holding Slide's copy being equal to it, is exported again at that size, off this
    // thread and after any export still running.
    void screenSizeChanged();
    // An export that ends in a new holding slide runs (Restore Default, a new screen size): the
    // commands that change the slide are refused meanwhile.
    bool isBusy() const { return m_changing > 0; }

    // The preview's pick while the "Main" section shows.
    void insertFromPreview(int slide, const QImage& thumbnail);

signals:
    void changed();
    // The preview must close before Open takes another file.
    void closePreviewRequested();
    void restoreFinished(bool ok);
    void builtInDefaultLoaded(const QImage& thumbnail, const QImage& full);
    // While true, the window takes no commands.
    void busyChanged(bool busy);

private:
    using Pictures = std::pair<QImage, QImage>; // thumbnail, full
    using Targets = QList<std::pair<QString, QSize>>;

    void take(const QImage& thumbnail, const QImage& full);
    // The template's slide 1 at the thumbnail's and the screen's size, off this thread; null
    // pictures when there is none.
    void startBuiltInDefault(std::function<void(Pictures)> done);
    void setChanging(bool changing);
    // These run off this thread and touch only the files named.
    static Pictures exportBuiltInDefault(PresentationApp& app, const QString& templatePath,
                                         const QString& thumbnailPath, QSize thumbnailSize,
                                         const QString& fullPath, QSize fullSize);
    // Slide 1 of the template at each size, to the files beside them; false when any failed.
    static bool exportTemplateSlide(PresentationApp& app, const QString& templatePath,
                                    const Targets& targets);

    EventDocument& m_doc;
    SlideIntake& m_intake;
    ClipboardService& m_clipboard;
    FileDialogService& m_dialogs;
    PresentationApp& m_templates;
    int m_changing = 0;
    JobRunner m_office;
};
