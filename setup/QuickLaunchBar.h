#pragma once

#include "document/ImportCopier.h"
#include "platform/JobRunner.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class DriveTypeSource;
class EventDocument;
class FileDialogService;
class MessageService;
class PresentationApp;
class PresentationDocument;

// The Quick Launch slot of the "Main" section: one extra file (a presentation, a show or a Flash
// movie) that the operator can start at any moment, outside the speaker order. The file lives
// in the event's QuickLaunchFile; this class keeps the icon and the title shown for it.
class QuickLaunchBar : public QObject
{
    Q_OBJECT

public:
    enum class Icon
    {
        None,
        Presentation, // .ppt, .pptx
        Show,         // .pps, .ppsx
    };
    // Where a file came from: the two ways tell an undeterminable drive in slightly different
    // words.
    enum class Source
    {
        OpenDialog,
        Drop,
    };

    static inline const QString OpenFilter =
        QStringLiteral("PowerPoint Preentations |*.ppt;*.pptx;*.pps;*.ppsx");
    static inline const QString UnassignedTitle = QStringLiteral("Unassigned");

    QuickLaunchBar(EventDocument& doc, MessageService& messages, FileDialogService& dialogs,
                   PresentationApp& presentations, const DriveTypeSource& drives,
                   QObject* parent = nullptr);

    // TbarQLaunch, "Open": the chosen file is assigned when it exists.
    void Open_Click(const QString& initialFolder);
    // A drop on the frame, its label or its icon: the first file counts, and only when it has
    // one of the accepted endings. Other drops are ignored.
    void drop(const QStringList& files);
    // TbarQLaunch, "Cut": the slot becomes unassigned; the LiveCast time code stays.
    void Cut_Click();
    // TbarQLaunch, "Show": presentations and shows run in the presentation program, a Flash
    // movie goes to whoever listens to flashRequested. Failures are ignored. The program is
    // called off this thread; a Show while the last one is still starting is ignored.
    void Show_Click();
    bool isShowStarting() const { return m_office.isBusy(); }

    // Assigns path after the import rule; false when nothing was or will be assigned. A file
    // the rule copies is assigned when its copy ends (copied() tells).
    bool assign(const QString& path, Source source);
    // The import rule's copies, for the copy window.
    ImportCopier& importCopier() { return m_copier; }
    // After the event was replaced (New, Open, a zipped event) or the file vanished.
    void refreshFromDocument();
    // The setup window's periodic check: a file deleted or unmounted meanwhile is unassigned.
    void Timer1_Timer();

    QString title() const;
    Icon icon() const { return m_icon; }
    // The properties window works on an assigned file only.
    bool canShowProperties() const;
    QString file() const;

    // One of ".ppt", "pptx", ".pps", "ppsx", ".swf", by the path's last four characters.
    static bool hasAcceptedEnding(const QString& path);
    static bool isPresentation(const QString& path);

signals:
    // The file, its title or its icon changed.
    void changed();
    // The show started by Show_Click() runs, or failed to.
    void showStarted(bool running);
    // Show on a ".swf" file. The Flash player window is to open on it; until that window
    // exists nothing listens, and Show on a Flash movie does nothing visible.
    void flashRequested(const QString& path);

private:
    void setIconFor(const QString& path);
    void take(const QString& path);

    EventDocument& m_doc;
    MessageService& m_messages;
    FileDialogService& m_dialogs;
    PresentationApp& m_presentations;
    const DriveTypeSource& m_drives;
    Icon m_icon = Icon::None;
    // The presentation of the last show started, held while the show may still run.
    std::shared_ptr<PresentationDocument> m_shown;
    ImportCopier m_copier;
    JobRunner m_office;
};
