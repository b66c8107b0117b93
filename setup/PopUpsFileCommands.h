#pragma once

#include "document/EventDocument.h"
#include "document/ImageBlockCodec.h"
#include "platform/JobRunner.h"

#include <QObject>
#include <QSize>
#include <QString>

class FileDialogService;
class MessageService;
class PresentationApp;

// The File menu's PopUps commands: writing the ten pop-up slots to a pop-ups file, and
// replacing them from a pop-ups file or from the first ten slides of a presentation. No
// widgets: the window routes the menu items here and redraws the pop-ups when told.
class PopUpsFileCommands : public QObject
{
    Q_OBJECT

public:
    static inline const QString ExportFilter = QStringLiteral("Stagor PopUps (evp) |*.evp");
    static inline const QString ImportFilter =
        QStringLiteral("All Compatible Files|*.evp;*.ppt;*.pptx;*.pps;*.ppsx|Stagor PopUps "
                       "(*.evp)|*.evp|PowerPoint (*.ppt; *.pptx; *.pps; "
                       "*.ppsx)|*.ppt;*.pptx;*.pps;*.ppsx");
    static inline const QString OverwriteQuestion =
        QStringLiteral("This action will overwrite existing PopUps. Continue?");

    // All must outlive the commands.
    PopUpsFileCommands(EventDocument& document, MessageService& messages,
                       FileDialogService& dialogs, PresentationApp& presentations,
                       QObject* parent = nullptr);

    // Slides taken from a presentation are exported at these sizes: the holding thumbnail's
    // box and the screen.
    void setSlideSizes(QSize thumbnailPx, QSize fullScreenPx);

    // Export is offered only when there is something to write.
    bool canExport() const;
    bool isBusy() const { return m_busy; }

    // Both take the folder the file dialog opens in.
    void MnuPExport_Click(const QString& dialogFolder);
    // Slides taken from a presentation are exported off this thread, with the status text
    // telling which slot it is at; the slots are filled when the last comes back (popUpsChanged
    // then busyChanged(false)). Other files are read at once.
    void MnuPImport_Click(const QString& dialogFolder);

    // A pop-ups file named on the command line: the same steps as its import, without asking.
    // False when it filled no slots: a file of another kind silently, a damaged one or one that
    // cannot be opened after a message.
    bool readPopUpsFile(const QString& path);

signals:
    // The slots were replaced: the pop-ups panel redraws.
    void popUpsChanged();
    // The status-bar panel's text; empty hides the panel.
    void statusChanged(const QString& text);
    // While true, the window shows the busy pointer and takes no commands.
    void busyChanged(bool busy);

private:
    void importPresentation(const QString& path);

    EventDocument& m_doc;
    MessageService& m_messages;
    FileDialogService& m_dialogs;
    PresentationApp& m_presentations;
    ImageBlockCodec m_codec;
    QSize m_thumbnailPx{160, 120};
    QSize m_fullScreenPx{1024, 768};
    bool m_busy = false;
    JobRunner m_jobs;
};
