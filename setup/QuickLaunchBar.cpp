#include "setup/QuickLaunchBar.h"

#include "document/EventDocument.h"
#include "document/FileKind.h"
#include "document/ImportRule.h"
#include "document/PathHelpers.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"
#include "platform/PresentationApp.h"
#include "platform/PresentationDocument.h"

#include <QFileInfo>

QuickLaunchBar::QuickLaunchBar(EventDocument& doc, MessageService& messages,
                               FileDialogService& dialogs, PresentationApp& presentations,
                               const DriveTypeSource& drives, QObject* parent)
    : QObject(parent), m_doc(doc), m_messages(messages), m_dialogs(dialogs),
      m_presentations(presentations), m_drives(drives)
{
    refreshFromDocument();
}

bool QuickLaunchBar::hasAcceptedEnding(const QString& path)
{
    return isPresentation(path) || fileKindOf(path) == FileKind::Flash;
}

bool QuickLaunchBar::isPresentation(const QString& path)
{
    return isPresentationKind(fileKindOf(path));
}

QString QuickLaunchBar::file() const
{
    return m_doc.QuickLaunchFile;
}

QString QuickLaunchBar::title() const
{
    return m_doc.QuickLaunchFile.isEmpty() ? UnassignedTitle
                                           : PathHelpers::FileNameOf(m_doc.QuickLaunchFile);
}

bool QuickLaunchBar::canShowProperties() const
{
    return !m_doc.QuickLaunchFile.isEmpty();
}

void QuickLaunchBar::setIconFor(const QString& path)
{
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Presentation)
        m_icon = Icon::Presentation;
    else if (kind == FileKind::Show)
        m_icon = Icon::Show;
    // A Flash movie has no picture of its own: whatever was shown stays.
}

void QuickLaunchBar::refreshFromDocument()
{
    if (m_doc.QuickLaunchFile.isEmpty())
        m_icon = Icon::None;
    else
        setIconFor(m_doc.QuickLaunchFile);
    emit changed();
}

void QuickLaunchBar::Timer1_Timer()
{
    if (m_doc.QuickLaunchFile.isEmpty() || QFileInfo::exists(m_doc.QuickLaunchFile))
        return;
    m_doc.QuickLaunchFile.clear();
    m_icon = Icon::None;
    emit changed();
}

bool QuickLaunchBar::assign(const QString& path, Source source)
{
    // Checked before the import rule, so that a file that would be refused anyway is never
    // copied into the import folder.
    if (!hasAcceptedEnding(path) || m_copier.isRunning())
        return false;

    const QString importDir = m_doc.ImportDir.isEmpty() ? m_doc.DesktopFolder : m_doc.ImportDir;
    const ImportRule::Outcome outcome = ImportRule(m_drives).decide(path, importDir);
    switch (outcome.kind) {
    case ImportRule::Outcome::Kind::DriveUndetermined:
        m_messages.show(source == Source::OpenDialog ? QStringLiteral("Error Drive Undetermined.")
                                                     : QStringLiteral("Error Drive Undetermined"),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    case ImportRule::Outcome::Kind::ToCopy:
        return m_copier.copy(
            path, outcome.path, [this, path, importDir](ImportRule::Outcome copied) {
                if (copied.kind == ImportRule::Outcome::Kind::Copied)
                    take(copied.path);
                else if (copied.kind == ImportRule::Outcome::Kind::CopyFailed)
                    m_messages.show(QStringLiteral("'") + PathHelpers::FileNameOf(path) +
                                        QStringLiteral("' could not be copied into ") + importDir,
                                    MsgButtons::Ok, MsgIcon::Exclamation);
            });
    default:
        take(outcome.path);
        return true;
    }
}

void QuickLaunchBar::take(const QString& path)
{
    m_doc.QuickLaunchFile = path;
    setIconFor(path);
    m_doc.QuickLaunchTimeCode.clear();
    emit changed();
}

void QuickLaunchBar::Open_Click(const QString& initialFolder)
{
    const QString chosen = m_dialogs.getOpenFileName(initialFolder, OpenFilter);
    if (chosen.isEmpty() || !QFileInfo(chosen).isFile())
        return;
    assign(chosen, Source::OpenDialog);
}

void QuickLaunchBar::drop(const QStringList& files)
{
    // A folder or a file that has gone since the drag began is no file to launch.
    if (files.isEmpty() || !hasAcceptedEnding(files.first()) || !QFileInfo(files.first()).isFile())
        return;
    assign(files.first(), Source::Drop);
}

void QuickLaunchBar::Cut_Click()
{
    m_doc.QuickLaunchFile.clear();
    m_icon = Icon::None;
    emit changed();
}

void QuickLaunchBar::Show_Click()
{
    const QString path = m_doc.QuickLaunchFile;
    if (path.isEmpty())
        return;
    if (fileKindOf(path) == FileKind::Flash) {
        emit flashRequested(path);
        return;
    }
    if (!isPresentation(path) || m_office.isBusy())
        return;
    using DocumentPtr = std::shared_ptr<PresentationDocument>;
    m_office.start<DocumentPtr>(
        [&app = m_presentations, path](const JobRunner::Control&) -> DocumentPtr {
            const auto opened = app.open(path, PresentationApp::Visibility::Hidden);
            if (!opened.ok())
                return nullptr;
            // A show that did not come up leaves nothing open behind it.
            if (opened.value()->runShow().ok())
                return opened.value();
            opened.value()->close();
            return nullptr;
        },
        [this](DocumentPtr shown) {
            const bool running = shown != nullptr;
            if (running)
                m_shown = std::move(shown);
            emit showStarted(running);
        });
}
