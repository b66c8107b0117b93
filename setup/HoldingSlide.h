#pragma once

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
    // template is read through the presentation program, off this thread.
    void MnuRestoreDefault_Click();
    // At start-up when the operator has no default of their own: exports the template's slide
    // and hands it on (null pictures when there is none) without touching the event.
    void loadBuiltInDefault();
    // The screen changed size (the intake knows the new one): the built-in default, recognised
    // by Set Holding Slide's copy being equal to it, is exported again at that size.
    void screenSizeChanged();

    // The preview's pick while the "Main" section shows.
    void insertFromPreview(int slide, const QImage& thumbnail);

signals:
    void changed();
    // The preview must close before Open takes another file.
    void closePreviewRequested();
    void restoreFinished(bool ok);
    void builtInDefaultLoaded(const QImage& thumbnail, const QImage& full);

private:
    void take(const QImage& thumbnail, const QImage& full);
    bool exportBuiltInDefault(QImage& thumbnail, QImage& full);
    // Slide 1 of the template at each size, to the files beside them; false when any failed.
    bool exportTemplateSlide(const QList<std::pair<QString, QSize>>& targets);

    EventDocument& m_doc;
    SlideIntake& m_intake;
    ClipboardService& m_clipboard;
    FileDialogService& m_dialogs;
    PresentationApp& m_templates;
};
