#include "SpeakerList.h"

#include "ClipboardService.h"
#include "EventDocument.h"
#include "ImportRule.h"
#include "MessageService.h"
#include "PathHelpers.h"
#include "PresentationApp.h"
#include "ShellService.h"
#include "SpeakerTable.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSpeakers, "stagor.speakers")

namespace {

const QString kInvalidCharacters = QStringLiteral("\\/:*?\"<>!");

} // namespace

SpeakerList::SpeakerList(EventDocument& doc, Services services, QObject* parent)
    : QObject(parent), m_doc(doc), m_services(services)
{}

void SpeakerList::setSelectedRow(int row)
{
    m_selectedRow = (row >= 1 && row <= m_doc.SpeakerCount) ? row : 0;
}

void SpeakerList::speakersRemoved(const QList<int>& positions)
{
    for (int position : positions) {
        if (position == m_selectedRow - 1)
            m_selectedRow = 0;
        else if (position < m_selectedRow - 1)
            --m_selectedRow;
    }
    setSelectedRow(m_selectedRow);
}

void SpeakerList::addFiles(const QStringList& paths, Source source)
{
    // Events run between files; a second drop meanwhile must not interleave with this one.
    if (m_adding)
        return;
    m_adding = true;
    for (const QString& path : paths) {
        if (!SpeakerTable::isPresentationFile(path))
            continue;
        if (!addOne(path, source))
            break;
        QCoreApplication::processEvents();
    }
    m_adding = false;
}

void SpeakerList::MnuSPaste_Click()
{
    const QStringList files = m_services.clipboard.fileList();
    if (!files.isEmpty())
        addFiles(files, Source::Paste);
}

bool SpeakerList::addOne(const QString& path, Source source)
{
    SpeakerRecord candidate = SpeakerTable::candidateFor(path);
    const bool focus = source == Source::Drop;
    if (!SpeakerTable::SpeakerNameExists(m_doc, candidate.Name)) {
        if (m_doc.SpeakerCount >= EventDocument::MaxSpeakers) {
            m_services.messages.show(QStringLiteral("Maximum Number of Speakers = ") +
                                         QString::number(EventDocument::MaxSpeakers),
                                     MsgButtons::Ok, MsgIcon::Exclamation);
            return false;
        }
        if (!applyImportRule(candidate))
            return false;
        m_doc.Speakers[size_t(m_doc.SpeakerCount)] = candidate;
        ++m_doc.SpeakerCount;
        m_selectedRow = m_doc.SpeakerCount;
        emit rowsChanged();
        emit rowSelected(m_selectedRow, focus);
        return true;
    }

    const QString question = QStringLiteral("Speaker '") + candidate.Name +
                             QStringLiteral("' already exist. Update details") +
                             (source == Source::Paste ? QStringLiteral("?") : QString());
    const int answer =
        m_services.messages.show(question, MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer == int(MsgAnswer::Cancel))
        return false;
    if (answer != int(MsgAnswer::Yes))
        return true;
    if (!applyImportRule(candidate))
        return false;
    const int position = SpeakerTable::FindSpeakerByName(m_doc, candidate.Name);
    m_doc.Speakers[size_t(position)] = candidate;
    m_selectedRow = position + 1;
    emit rowsChanged();
    emit rowSelected(m_selectedRow, focus);
    return true;
}

bool SpeakerList::applyImportRule(SpeakerRecord& record)
{
    const QString importDir = m_doc.ImportDir.isEmpty() ? m_doc.DesktopFolder : m_doc.ImportDir;
    const ImportRule::Outcome outcome =
        ImportRule(m_services.drives).apply(record.FilePath, importDir);
    switch (outcome.kind) {
    case ImportRule::Outcome::Kind::DriveUndetermined:
        m_services.messages.show(QStringLiteral("Error Drive Undetermined"), MsgButtons::Ok,
                                 MsgIcon::Exclamation);
        return false;
    case ImportRule::Outcome::Kind::CopyFailed:
        // The drop ends here without a word; the speakers added so far stay.
        qCWarning(lcSpeakers, "could not copy %s into %s", qPrintable(record.FilePath),
                  qPrintable(importDir));
        return false;
    case ImportRule::Outcome::Kind::Copied:
        record.FilePath = outcome.path;
        record.FileName = PathHelpers::FileNameOf(outcome.path);
        return true;
    case ImportRule::Outcome::Kind::InPlace:
        return true;
    }
    return false;
}

void SpeakerList::beginRename(int row)
{
    if (row >= 1 && row <= m_doc.SpeakerCount)
        m_doc.SpeakerScratch = SpeakerTable::GetSpeakerAt(m_doc, row - 1);
}

SpeakerList::RenameResult SpeakerList::endRename(int row, const QString& text)
{
    if (row < 1 || row > m_doc.SpeakerCount || text.isEmpty())
        return RenameResult::Cancelled;
    for (const QChar c : text) {
        if (kInvalidCharacters.contains(c)) {
            m_services.messages.show(
                QStringLiteral("Speaker name contains an invalid character \\ / : * ? \" < > !"),
                MsgButtons::Ok, MsgIcon::Exclamation);
            return RenameResult::EditAgain;
        }
    }
    SpeakerRecord& scratch = m_doc.SpeakerScratch;
    scratch.Name = text;
    // The speaker being renamed counts too: its own name, in any letter case, is refused.
    if (SpeakerTable::SpeakerNameExists(m_doc, text)) {
        m_services.messages.show(QStringLiteral("Speaker '") + text +
                                     QStringLiteral("' already exist. Please select another name"),
                                 MsgButtons::Ok, MsgIcon::Exclamation);
        return RenameResult::EditAgain;
    }
    SpeakerRecord& speaker = m_doc.Speakers[size_t(row - 1)];
    if (scratch.FilePath.isEmpty()) {
        speaker.Name = text;
        return RenameResult::Accepted;
    }
    if (SpeakerTable::CountSpeakersUsingFile(m_doc, scratch.FilePath) > 1) {
        m_services.messages.show(
            QStringLiteral("Selected File is already associated with another speaker.\n"
                           "File will not be renamed"),
            MsgButtons::Ok, MsgIcon::Exclamation);
        speaker.Name = text;
        return RenameResult::Accepted;
    }
    const QString extension = QLatin1Char('.') + scratch.FilePath.section(QLatin1Char('.'), -1);
    const QString folder = PathHelpers::FolderOf(scratch.FilePath);
    const QString target =
        folder + text + PathHelpers::UniqueNumberSuffix(folder + text + extension) + extension;
    if (!PathHelpers::ShellRenameFile(scratch.FilePath, target))
        return RenameResult::Cancelled;
    scratch.FilePath = target;
    scratch.FileName = PathHelpers::FileNameOf(target);
    speaker = scratch;
    return RenameResult::Accepted;
}

void SpeakerList::moveRow(int source, int target)
{
    const int count = m_doc.SpeakerCount;
    if (source < 1 || source > count || target < 1 || target > count || source == target)
        return;
    const SpeakerRecord moved = SpeakerTable::GetSpeakerAt(m_doc, source - 1);
    SpeakerTable::RemoveSpeakerAt(m_doc, source - 1);
    // The moved speaker lands on the target's row, whichever way it went.
    SpeakerTable::InsertSpeakerAt(m_doc, moved, target - 1);
    m_selectedRow = target;
    emit rowsChanged();
    emit rowSelected(target, true);
}

void SpeakerList::MnuRemove_Click()
{
    if (m_selectedRow < 1 || m_selectedRow > m_doc.SpeakerCount)
        return;
    const int row = m_selectedRow;
    SpeakerTable::RemoveSpeakerAt(m_doc, row - 1);
    if (m_doc.SpeakerCount == 0)
        m_selectedRow = 0;
    else
        m_selectedRow = std::min<int>(row, m_doc.SpeakerCount);
    emit rowsChanged();
    emit rowSelected(m_selectedRow, false);
}

void SpeakerList::MnuSOpen_Click()
{
    if (m_selectedRow < 1)
        return;
    m_doc.SpeakerScratch = SpeakerTable::GetSpeakerAt(m_doc, m_selectedRow - 1);
    m_services.shell.openFile(m_doc.SpeakerScratch.FilePath);
}

void SpeakerList::MnuShow_Click()
{
    if (m_selectedRow < 1)
        return;
    m_doc.SpeakerScratch = SpeakerTable::GetSpeakerAt(m_doc, m_selectedRow - 1);
    const QString path = m_doc.SpeakerScratch.FilePath;
    const auto opened = m_services.presentations.open(path, PresentationApp::Visibility::Hidden);
    if (opened.ok() && opened.value()->runShow().ok()) {
        // The show lives as long as its document is held.
        m_shownPresentation = opened.value();
        return;
    }
    if (opened.ok())
        opened.value()->close();
    m_services.shell.openFile(path);
}

void SpeakerList::MnuProperties_Click()
{
    if (m_selectedRow >= 1)
        m_services.shell.showProperties(m_doc.Speakers[size_t(m_selectedRow - 1)].FilePath);
}

void SpeakerList::MnuSCopy_Click()
{
    if (m_selectedRow >= 1)
        m_services.clipboard.PutFileListOnClipboard(
            {m_doc.Speakers[size_t(m_selectedRow - 1)].FilePath});
}

void SpeakerList::MnuCopyAll_Click()
{
    QStringList paths;
    for (int k = 0; k < m_doc.SpeakerCount; ++k)
        paths << m_doc.Speakers[size_t(k)].FilePath;
    if (!paths.isEmpty())
        m_services.clipboard.PutFileListOnClipboard(paths);
}

SpeakerList::MenuState SpeakerList::contextMenuState(int rowUnderPointer, bool uploadPossible) const
{
    MenuState state;
    state.paste = m_services.clipboard.hasFileList();
    if (rowUnderPointer >= 1 && rowUnderPointer <= m_doc.SpeakerCount) {
        state.open = state.copy = state.exportSlides = true;
        state.upload = uploadPossible;
        state.remove = state.rename = state.show = state.convertToPdf = state.properties = true;
    }
    state.copyAll = m_doc.SpeakerCount > 0;
    return state;
}
