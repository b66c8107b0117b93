#pragma once

#include "document/ImportCopier.h"
#include "document/SpeakerRecord.h"
#include "platform/JobRunner.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class ClipboardService;
class DriveTypeSource;
class EventDocument;
class MessageService;
class PresentationApp;
class PresentationDocument;
class ShellService;

// The speaker list's commands on the event's speaker table: adding from dropped or pasted files
// (with the import rule), renaming with the file on disk, reordering, removing, opening, showing
// and copying. Rows are 1-based (row r shows the speaker at position r - 1); the view redraws
// from the table whenever it hears rowsChanged().
class SpeakerList : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        MessageService& messages;
        const DriveTypeSource& drives;
        ClipboardService& clipboard;
        PresentationApp& presentations;
        ShellService& shell;
    };

    enum class Source
    {
        Drop,
        Paste,
    };

    enum class RenameResult
    {
        Accepted,  // the row shows the new name
        Cancelled, // the row shows the old name
        EditAgain, // the row shows the old name and the editor opens again
    };

    // Which items of the speaker context menu can be chosen.
    struct MenuState
    {
        bool open = false;
        bool show = false;
        bool rename = false;
        bool copy = false;
        bool paste = false;
        bool remove = false;
        bool exportSlides = false;
        bool upload = false;
        bool copyAll = false;
        bool convertToPdf = false;
        bool properties = false;
    };

    // The list follows the event's speaker table from now on.
    SpeakerList(EventDocument& doc, Services services, QObject* parent = nullptr);
    ~SpeakerList() override;

    int selectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row);
    // Speakers were taken out of the table behind the list's back (positions from 0, each as it
    // was when that speaker went): the selection follows the speaker it was on, or is gone.
    void speakersRemoved(const QList<int>& positions);

    // Presentations among paths become speakers, or update the speaker of the same name after
    // the operator agreed. Stops at the 50-speaker limit, an undetermined drive or Cancel.
    // Copies the import rule makes run off this thread: the files after one that is being
    // copied are added once it is done, and addingFinished() ends the whole operation.
    void addFiles(const QStringList& paths, Source source);
    bool isAdding() const { return m_adding; }
    // The import rule's copies, for the copy window.
    ImportCopier& importCopier() { return m_copier; }
    void MnuSPaste_Click();

    // The in-place editor opened on row: the speaker is kept aside until the edit ends.
    void beginRename(int row);
    RenameResult endRename(int row, const QString& text);

    // Dragging: the speaker of row source takes the place of row target.
    void moveRow(int source, int target);
    void MnuRemove_Click();

    void MnuSOpen_Click();
    // Runs the selected speaker's presentation as a show; the desktop opens it when that fails.
    // The program is called off this thread; a Show while the last one is still starting is
    // ignored.
    void MnuShow_Click();
    bool isShowStarting() const { return m_office.isBusy(); }
    void MnuProperties_Click();
    void MnuSCopy_Click();
    void MnuCopyAll_Click();

    // rowUnderPointer is 0 when the pointer is over no row. Upload needs a LiveCast mode and the
    // speaker's exported slides, which the caller knows.
    MenuState contextMenuState(int rowUnderPointer, bool uploadPossible) const;

signals:
    // The table changed: rows are to be rebuilt from it (and the counter label rewritten).
    void rowsChanged();
    // Row to select; focusAndScroll for drops, not for pastes.
    void rowSelected(int row, bool focusAndScroll);
    void addingFinished();

private:
    enum class Step
    {
        Next,
        Stop,
        Copying, // the copy's end goes on with the next file
        Asking,  // so does the answer to a question
    };

    void addNext();
    Step addOne(const QString& path);
    // Applies the import rule to the candidate, then store(); Copying while its copy runs.
    Step importAndStore(SpeakerRecord candidate);
    // Updates the speaker of the same name, or adds one.
    void store(const SpeakerRecord& record);
    void endAdding();
    // Goes on after a step that ended without copying or asking.
    void continueAdding(Step step);

    EventDocument& m_doc;
    Services m_services;
    // The speaker being renamed, kept aside while its editor is open.
    SpeakerRecord m_scratch;
    bool m_renaming = false;
    int m_selectedRow = 0;
    bool m_adding = false;
    QStringList m_toAdd;
    Source m_addSource = Source::Drop;
    ImportCopier m_copier;
    JobRunner m_office;
    std::shared_ptr<PresentationDocument> m_shownPresentation;
};
