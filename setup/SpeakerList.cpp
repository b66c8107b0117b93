#include "setup/SpeakerList.h"

#include "document/EventDocument.h"
#include "document/ImportRule.h"
#include "document/PathHelpers.h"
#include "document/SpeakerTable.h"
#include "platform/ClipboardService.h"
#include "platform/MessageService.h"
#include "platform/PresentationApp.h"
#include "platform/ShellService.h"

#include <QLoggingCategory>
#include <QPointer>

#include <QScopedValueRollback>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSpeakers, "stagor.speakers")

namespace {

const QString kInvalidCharacters = QStringLiteral("\\/:*?\"<>!");

} // namespace

SpeakerList::SpeakerList(EventDocument& doc, Services services, QObject* parent)
    : QObject(parent), m_doc(doc), m_services(services)
{
    // Whoever changed the table, the rows follow. A rename is shown by the editor that made it.
    m_doc.Speakers.setChangeListener([this] {
        if (!m_renaming)
            emit rowsChanged();
    });
}

SpeakerList::~SpeakerList()
{
    m_doc.Speakers.setChangeListener(nullptr);
}

void SpeakerList::setSelectedRow(int row)
{
    m_selectedRow = (row >= 1 && row <= m_doc.Speakers.count()) ? row : 0;
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
    // A second drop while copies of the first run must not interleave with it.
    if (m_adding)
        return;
    m_adding = true;
    m_toAdd = paths;
    m_addSource = source;
    addNext();
}

void SpeakerList::addNext()
{
    while (!m_toAdd.isEmpty()) {
        const QString path = m_toAdd.takeFirst();
        if (!SpeakerTable::isPresentationFile(path))
            continue;
        const Step step = addOne(path);
        if (step == Step::Copying || step == Step::Asking)
            return;
        if (step == Step::Stop)
            break;
    }
    endAdding();
}

void SpeakerList::endAdding()
{
    m_toAdd.clear();
    m_adding = false;
    emit addingFinished();
}

void SpeakerList::MnuSPaste_Click()
{
    const QStringList files = m_services.clipboard.fileList();
    if (!files.isEmpty())
        addFiles(files, Source::Paste);
}

SpeakerList::Step SpeakerList::addOne(const QString& path)
{
    SpeakerRecord candidate = SpeakerTable::candidateFor(path);
    if (!m_doc.Speakers.SpeakerNameExists(candidate.Name)) {
        if (m_doc.Speakers.count() >= EventDocument::MaxSpeakers) {
            m_services.messages.show(QStringLiteral("Maximum Number of Speakers = ") +
                                         QString::number(EventDocument::MaxSpeakers),
                                     MsgButtons::Ok, MsgIcon::Exclamation);
            return Step::Stop;
        }
        return importAndStore(candidate);
    }

    const QString question = QStringLiteral("Speaker '") + candidate.Name +
                             QStringLiteral("' already exist. Update details") +
                             (m_addSource == Source::Paste ? QStringLiteral("?") : QString());
    // The answer may come after play mode, when the list may be gone.
    m_services.messages.ask(question, MsgButtons::YesNoCancel, MsgIcon::Question,
                            [self = QPointer<SpeakerList>(this), candidate](MsgAnswer answer) {
                                if (!self)
                                    return;
                                if (answer == MsgAnswer::Cancel)
                                    self->continueAdding(Step::Stop);
                                else if (answer != MsgAnswer::Yes)
                                    self->continueAdding(Step::Next);
                                else
                                    self->continueAdding(self->importAndStore(candidate));
                            });
    return Step::Asking;
}

void SpeakerList::continueAdding(Step step)
{
    if (step == Step::Stop)
        endAdding();
    else if (step == Step::Next)
        addNext();
}

SpeakerList::Step SpeakerList::importAndStore(SpeakerRecord candidate)
{
    const QString importDir = m_doc.ImportDir.isEmpty() ? m_doc.DesktopFolder : m_doc.ImportDir;
    const ImportRule::Outcome decided =
        ImportRule(m_services.drives).decide(candidate.FilePath, importDir);
    switch (decided.kind) {
    case ImportRule::Outcome::Kind::DriveUndetermined:
        m_services.messages.show(QStringLiteral("Error Drive Undetermined"), MsgButtons::Ok,
                                 MsgIcon::Exclamation);
        return Step::Stop;
    case ImportRule::Outcome::Kind::ToCopy:
        break;
    default:
        store(candidate);
        return Step::Next;
    }
    const QString source = candidate.FilePath;
    m_copier.copy(source, decided.path,
                  [this, candidate, source, importDir](ImportRule::Outcome copied) {
                      if (copied.kind != ImportRule::Outcome::Kind::Copied) {
                          // The drop ends here without a word; the speakers added so far stay.
                          if (copied.kind == ImportRule::Outcome::Kind::CopyFailed)
                              qCWarning(lcSpeakers, "could not copy %s into %s", qPrintable(source),
                                        qPrintable(importDir));
                          endAdding();
                          return;
                      }
                      SpeakerRecord record = candidate;
                      record.FilePath = copied.path;
                      record.FileName = PathHelpers::FileNameOf(copied.path);
                      store(record);
                      addNext();
                  });
    return Step::Copying;
}

void SpeakerList::store(const SpeakerRecord& record)
{
    // While a copy ran the list may have changed under it: the speaker to update may be gone,
    // the list may be full.
    const bool update = m_doc.Speakers.SpeakerNameExists(record.Name);
    if (!update && m_doc.Speakers.count() >= EventDocument::MaxSpeakers)
        return;
    if (update) {
        const int position = m_doc.Speakers.FindSpeakerByName(record.Name);
        m_selectedRow = position + 1;
        m_doc.Speakers.ReplaceSpeakerAt(position, record);
    } else {
        m_selectedRow = m_doc.Speakers.count() + 1;
        m_doc.Speakers.append(record);
    }
    emit rowSelected(m_selectedRow, m_addSource == Source::Drop);
}

void SpeakerList::beginRename(int row)
{
    if (row >= 1 && row <= m_doc.Speakers.count())
        m_scratch = m_doc.Speakers.GetSpeakerAt(row - 1);
}

SpeakerList::RenameResult SpeakerList::endRename(int row, const QString& text)
{
    if (row < 1 || row > m_doc.Speakers.count() || text.isEmpty())
        return RenameResult::Cancelled;
    for (const QChar c : text) {
        if (kInvalidCharacters.contains(c)) {
            m_services.messages.show(
                QStringLiteral("Speaker name contains an invalid character \\ / : * ? \" < > !"),
                MsgButtons::Ok, MsgIcon::Exclamation);
            return RenameResult::EditAgain;
        }
    }
    const QScopedValueRollback renaming(m_renaming, true);
    SpeakerRecord& scratch = m_scratch;
    scratch.Name = text;
    // The speaker being renamed counts too: its own name, in any letter case, is refused.
    if (m_doc.Speakers.SpeakerNameExists(text)) {
        m_services.messages.show(QStringLiteral("Speaker '") + text +
                                     QStringLiteral("' already exist. Please select another name"),
                                 MsgButtons::Ok, MsgIcon::Exclamation);
        return RenameResult::EditAgain;
    }
    SpeakerRecord speaker = m_doc.Speakers.GetSpeakerAt(row - 1);
    speaker.Name = text;
    if (scratch.FilePath.isEmpty()) {
        m_doc.Speakers.ReplaceSpeakerAt(row - 1, speaker);
        return RenameResult::Accepted;
    }
    if (m_doc.Speakers.CountSpeakersUsingFile(scratch.FilePath) > 1) {
        m_services.messages.show(
            QStringLiteral("Selected File is already associated with another speaker.\n"
                           "File will not be renamed"),
            MsgButtons::Ok, MsgIcon::Exclamation);
        m_doc.Speakers.ReplaceSpeakerAt(row - 1, speaker);
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
    m_doc.Speakers.ReplaceSpeakerAt(row - 1, scratch);
    return RenameResult::Accepted;
}

void SpeakerList::moveRow(int source, int target)
{
    const int count = m_doc.Speakers.count();
    if (source < 1 || source > count || target < 1 || target > count || source == target)
        return;
    // The moved speaker lands on the target's row, whichever way it went.
    m_selectedRow = target;
    m_doc.Speakers.MoveSpeaker(source - 1, target - 1);
    emit rowSelected(target, true);
}

void SpeakerList::MnuRemove_Click()
{
    if (m_selectedRow < 1 || m_selectedRow > m_doc.Speakers.count())
        return;
    const int row = m_selectedRow;
    const int left = m_doc.Speakers.count() - 1;
    m_selectedRow = left == 0 ? 0 : std::min(row, left);
    m_doc.Speakers.RemoveSpeakerAt(row - 1);
    emit rowSelected(m_selectedRow, false);
}

void SpeakerList::MnuSOpen_Click()
{
    if (m_selectedRow < 1)
        return;
    m_services.shell.openFile(m_doc.Speakers.GetSpeakerAt(m_selectedRow - 1).FilePath);
}

void SpeakerList::MnuShow_Click()
{
    if (m_selectedRow < 1 || m_office.isBusy())
        return;
    const QString path = m_doc.Speakers.GetSpeakerAt(m_selectedRow - 1).FilePath;
    using DocumentPtr = std::shared_ptr<PresentationDocument>;
    m_office.start<DocumentPtr>(
        [&app = m_services.presentations, path](const JobRunner::Control&) -> DocumentPtr {
            const auto opened = app.open(path, PresentationApp::Visibility::Hidden);
            if (opened.ok() && opened.value()->runShow().ok())
                return opened.value();
            if (opened.ok())
                opened.value()->close();
            return nullptr;
        },
        [this, path](DocumentPtr shown) {
            // The show lives as long as its document is held.
            if (shown)
                m_shownPresentation = std::move(shown);
            else
                m_services.shell.openFile(path);
        });
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
    for (int k = 0; k < m_doc.Speakers.count(); ++k)
        paths << m_doc.Speakers[size_t(k)].FilePath;
    if (!paths.isEmpty())
        m_services.clipboard.PutFileListOnClipboard(paths);
}

SpeakerList::MenuState SpeakerList::contextMenuState(int rowUnderPointer, bool uploadPossible) const
{
    MenuState state;
    state.paste = m_services.clipboard.hasFileList();
    if (rowUnderPointer >= 1 && rowUnderPointer <= m_doc.Speakers.count()) {
        state.open = state.copy = state.exportSlides = true;
        state.upload = uploadPossible;
        state.remove = state.rename = state.show = state.convertToPdf = state.properties = true;
    }
    state.copyAll = m_doc.Speakers.count() > 0;
    return state;
}
