#include "show/widgets/frmRecord.h"

#include "platform/ClipboardService.h"
#include "platform/ShellService.h"
#include "show/LaunchRecordRows.h"
#include "show/ShowPort.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column
{
    NameColumn,
    AvailableColumn,
    FileColumn,
    DateColumn,
    SizeColumn
};
}

frmRecord::frmRecord(const QString& appFolder, ShellService& shell, ShowPort& shows,
                     ClipboardService& clipboard, QWidget* parent)
    : QDialog(parent), m_appFolder(appFolder), m_shell(shell), m_shows(shows),
      m_clipboard(clipboard), m_lstRecord(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("Record"));
    setAccessibleName(QStringLiteral("Record"));
    setAccessibleDescription(QStringLiteral("frmRecord"));
    resize(760, 420);
    m_lstRecord->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Available"),
                                  QStringLiteral("File"), QStringLiteral("Date"),
                                  QStringLiteral("Size")});
    m_lstRecord->setRootIsDecorated(false);
    m_lstRecord->setSelectionMode(QAbstractItemView::ExtendedSelection); // Ctrl+A selects all
    m_lstRecord->setSortingEnabled(true);
    m_lstRecord->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lstRecord->setAccessibleName(QStringLiteral("Launch record"));
    m_lstRecord->setAccessibleDescription(QStringLiteral("LstRecord"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setAccessibleDescription(QStringLiteral("ComOk"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lstRecord);
    layout->addWidget(ok, 0, Qt::AlignRight);

    connect(m_lstRecord, &QTreeWidget::itemDoubleClicked, this, &frmRecord::MnuShow_Click);
    connect(m_lstRecord, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QTreeWidgetItem* item = m_lstRecord->itemAt(at))
            m_lstRecord->setCurrentItem(item);
        const bool available = !currentAvailableFile().isEmpty();
        QMenu menu(this);
        QAction* open = menu.addAction(QStringLiteral("Open"), this, &frmRecord::MnuOpen_Click);
        QAction* show = menu.addAction(QStringLiteral("Show"), this, &frmRecord::MnuShow_Click);
        open->setEnabled(available);
        show->setEnabled(available);
        menu.addAction(QStringLiteral("Copy"), this, &frmRecord::MnuCopy_Click);
        menu.addAction(QStringLiteral("Copy All"), this, &frmRecord::MnuCopyAll_Click);
        menu.exec(m_lstRecord->viewport()->mapToGlobal(at));
    });
    // The rows come once the window is up.
    QTimer::singleShot(1, this, &frmRecord::TimLoad_Timer);
}

void frmRecord::TimLoad_Timer()
{
    m_lstRecord->clear();
    for (const LaunchRecordRows::Row& row : LaunchRecordRows::load(m_appFolder)) {
        auto* item = new QTreeWidgetItem(m_lstRecord);
        item->setText(NameColumn, row.name);
        item->setText(AvailableColumn,
                      row.available ? QStringLiteral("Yes") : QStringLiteral("No"));
        item->setText(FileColumn, row.file);
        item->setText(DateColumn, row.date);
        item->setText(SizeColumn, row.size);
    }
    m_lstRecord->sortByColumn(NameColumn, Qt::AscendingOrder);
    m_lstRecord->header()->resizeSections(QHeaderView::ResizeToContents);
    // A screen reader hears how much the record holds before going through its rows.
    const int rows = m_lstRecord->topLevelItemCount();
    m_lstRecord->setAccessibleName(
        QStringLiteral("Launch record: %1 %2")
            .arg(rows)
            .arg(rows == 1 ? QStringLiteral("presentation") : QStringLiteral("presentations")));
}

QString frmRecord::currentAvailableFile() const
{
    const QTreeWidgetItem* item = m_lstRecord->currentItem();
    if (!item || item->text(AvailableColumn) != QStringLiteral("Yes"))
        return QString();
    return item->text(FileColumn);
}

QStringList frmRecord::availableFiles(bool selectedOnly) const
{
    QStringList files;
    for (int i = 0; i < m_lstRecord->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_lstRecord->topLevelItem(i);
        if ((!selectedOnly || item->isSelected()) &&
            item->text(AvailableColumn) == QStringLiteral("Yes"))
            files << item->text(FileColumn);
    }
    return files;
}

void frmRecord::MnuOpen_Click()
{
    if (const QString file = currentAvailableFile(); !file.isEmpty())
        m_shell.openFile(file);
}

void frmRecord::MnuShow_Click()
{
    if (const QString file = currentAvailableFile(); !file.isEmpty())
        m_shows.showUntracked(file);
}

void frmRecord::MnuCopy_Click()
{
    if (const QStringList files = availableFiles(true); !files.isEmpty())
        m_clipboard.PutFileListOnClipboard(files);
}

void frmRecord::MnuCopyAll_Click()
{
    if (const QStringList files = availableFiles(false); !files.isEmpty())
        m_clipboard.PutFileListOnClipboard(files);
}
