#include "setup/widgets/SpeakersPanel.h"

#include "document/EventDocument.h"
#include "setup/FileIcons.h"
#include "setup/SpeakerList.h"
#include "setup/widgets/SpeakerListView.h"
#include "setup/widgets/SpeakerNameDelegate.h"
#include "setup/widgets/WidgetNames.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace {

const QString kCounterCaption = QStringLiteral("Number of speakers");

} // namespace

SpeakersPanel::SpeakersPanel(SpeakerList& list, EventDocument& doc, QWidget* parent)
    : QWidget(parent), m_list(list), m_doc(doc), m_view(new SpeakerListView(this)),
      m_counter(new QLabel(QStringLiteral("0"), this)),
      m_menu(new QMenu(QStringLiteral("Speaker Options"), this))
{
    WidgetNames::set(m_view, QStringLiteral("Speakers"), QStringLiteral("LstSpeakers"));
    WidgetNames::set(m_counter, WidgetNames::dataName(kCounterCaption, m_counter->text()),
                     QStringLiteral("labNumSpeaker"));
    m_menu->setObjectName(QStringLiteral("MnuSOptions"));
    m_view->setItemDelegate(new SpeakerNameDelegate(list, m_view));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    layout->addWidget(m_counter, 0, Qt::AlignRight);

    m_open = addItem(QStringLiteral("Open"), QStringLiteral("MnuSOpen"));
    m_show = addItem(QStringLiteral("Show"), QStringLiteral("MnuShow"));
    m_rename = addItem(QStringLiteral("Rename"), QStringLiteral("MnuRename"));
    m_menu->addSeparator();
    m_copy = addItem(QStringLiteral("Copy"), QStringLiteral("MnuSCopy"));
    m_paste = addItem(QStringLiteral("Paste"), QStringLiteral("MnuSPaste"));
    m_remove = addItem(QStringLiteral("Remove"), QStringLiteral("MnuRemove"));
    m_menu->addSeparator();
    m_export = addItem(QStringLiteral("Export"), QStringLiteral("MnuSExport"));
    m_upload = addItem(QStringLiteral("Upload"), QStringLiteral("MnuSUpload"));
    m_menu->addSeparator();
    m_copyAll = addItem(QStringLiteral("Copy All"), QStringLiteral("MnuCopyAll"));
    m_menu->addSeparator();
    m_pdf = addItem(QStringLiteral("Convert to PDF"), QStringLiteral("MnuPDFConvert"));
    m_menu->addSeparator();
    m_properties = addItem(QStringLiteral("Properties"), QStringLiteral("MnuProperties"));
    // Shown beside the commands; the list itself takes these keys (SpeakerListView).
    m_show->setShortcut(Qt::Key_Return);
    m_rename->setShortcut(Qt::Key_F2);
    m_copy->setShortcut(QKeySequence::Copy);
    m_paste->setShortcut(QKeySequence::Paste);
    m_remove->setShortcut(Qt::Key_Delete);

    auto renameSelected = [this] {
        if (QTreeWidgetItem* item = m_view->currentItem())
            m_view->editItem(item, 0);
    };
    connect(m_open, &QAction::triggered, &m_list, &SpeakerList::MnuSOpen_Click);
    connect(m_show, &QAction::triggered, &m_list, &SpeakerList::MnuShow_Click);
    connect(m_rename, &QAction::triggered, this, renameSelected);
    connect(m_copy, &QAction::triggered, &m_list, &SpeakerList::MnuSCopy_Click);
    connect(m_paste, &QAction::triggered, &m_list, &SpeakerList::MnuSPaste_Click);
    connect(m_remove, &QAction::triggered, &m_list, &SpeakerList::MnuRemove_Click);
    connect(m_copyAll, &QAction::triggered, &m_list, &SpeakerList::MnuCopyAll_Click);
    connect(m_properties, &QAction::triggered, &m_list, &SpeakerList::MnuProperties_Click);
    connect(m_export, &QAction::triggered, this,
            [this] { emit exportRequested(m_list.selectedRow()); });
    connect(m_upload, &QAction::triggered, this,
            [this] { emit uploadRequested(m_list.selectedRow()); });
    connect(m_pdf, &QAction::triggered, this,
            [this] { emit convertToPdfRequested(m_list.selectedRow()); });

    connect(m_view, &SpeakerListView::filesDropped, this, [this](const QStringList& files) {
        m_list.addFiles(files, SpeakerList::Source::Drop);
    });
    connect(m_view, &SpeakerListView::dragMoved, &m_list, &SpeakerList::moveRow);
    connect(m_view, &SpeakerListView::contextMenuAt, this, &SpeakersPanel::MnuSOptions_Popup);
    connect(m_view, &SpeakerListView::removeRequested, &m_list, &SpeakerList::MnuRemove_Click);
    connect(m_view, &SpeakerListView::showRequested, &m_list, &SpeakerList::MnuShow_Click);
    connect(m_view, &SpeakerListView::renameRequested, this, renameSelected);
    connect(m_view, &SpeakerListView::copyRequested, &m_list, &SpeakerList::MnuSCopy_Click);
    connect(m_view, &SpeakerListView::pasteRequested, &m_list, &SpeakerList::MnuSPaste_Click);
    connect(m_view, &QTreeWidget::currentItemChanged, this,
            [this] { m_list.setSelectedRow(m_view->currentRowNumber()); });
    connect(&m_list, &SpeakerList::rowsChanged, this, &SpeakersPanel::refresh);
    connect(&m_list, &SpeakerList::rowSelected, m_view, &SpeakerListView::selectRow);
}

QAction* SpeakersPanel::addItem(const QString& caption, const QString& name)
{
    QAction* action = WidgetNames::action(m_menu, caption, name);
    m_menu->addAction(action);
    return action;
}

void SpeakersPanel::refresh()
{
    const int selected = m_list.selectedRow();
    const QSignalBlocker block(m_view);
    m_view->clear();
    for (int k = 0; k < m_doc.Speakers.count(); ++k) {
        const SpeakerRecord& speaker = m_doc.Speakers[size_t(k)];
        auto* item = new QTreeWidgetItem(m_view, {speaker.Name});
        item->setIcon(0, FileIcons::forFile(speaker.FilePath));
        item->setToolTip(0, speaker.FilePath);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    m_view->selectRow(selected, false);
    WidgetNames::showData(m_counter, kCounterCaption, QString::number(m_doc.Speakers.count()));
}

void SpeakersPanel::speakersRemoved(const QList<int>& positions)
{
    m_list.speakersRemoved(positions);
    refresh();
}

void SpeakersPanel::updateMenu(int row)
{
    const bool upload = row >= 1 && uploadPossible && uploadPossible(row);
    const SpeakerList::MenuState state = m_list.contextMenuState(row, upload);
    m_open->setEnabled(state.open);
    m_show->setEnabled(state.show);
    m_rename->setEnabled(state.rename);
    m_copy->setEnabled(state.copy);
    m_paste->setEnabled(state.paste);
    m_remove->setEnabled(state.remove);
    m_export->setEnabled(state.exportSlides);
    m_upload->setEnabled(state.upload);
    m_copyAll->setEnabled(state.copyAll);
    m_pdf->setEnabled(state.convertToPdf);
    m_properties->setEnabled(state.properties);
}

void SpeakersPanel::MnuSOptions_Popup(int row, const QPoint& globalPos)
{
    if (row >= 1)
        m_view->selectRow(row, false);
    updateMenu(row);
    m_menu->popup(globalPos);
}
