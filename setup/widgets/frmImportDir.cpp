#include "setup/widgets/frmImportDir.h"

#include "setup/ImportDirFolders.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int KindRole = Qt::UserRole + 1;

void nameWidget(QWidget* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
}

} // namespace

frmImportDir::frmImportDir(const QString& importDir, const QString& desktopFolder,
                           const QStringList& driveRoots, QWidget* parent)
    : QDialog(parent), m_importDir(importDir), m_treeView1(new QTreeWidget(this)),
      m_comOk(new QPushButton(QStringLiteral("OK"), this)),
      m_closedFolder(style()->standardIcon(QStyle::SP_DirClosedIcon)),
      m_openFolder(style()->standardIcon(QStyle::SP_DirOpenIcon))
{
    nameWidget(this, QStringLiteral("Import Directory"), QStringLiteral("frmImportDir"));
    setWindowTitle(QStringLiteral("Import Directory"));
    nameWidget(m_treeView1, QStringLiteral("Folders"), QStringLiteral("TreeView1"));
    m_treeView1->setHeaderHidden(true);
    m_treeView1->setColumnCount(1);
    m_treeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_treeView1->header()->setStretchLastSection(false);
    nameWidget(m_comOk, QStringLiteral("OK"), QStringLiteral("ComOk"));
    m_comOk->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_treeView1);
    layout->addWidget(m_comOk, 0, Qt::AlignRight);
    resize(380, 440);

    connect(m_treeView1, &QTreeWidget::itemExpanded, this, &frmImportDir::TreeView1_Expand);
    connect(m_treeView1, &QTreeWidget::itemCollapsed, this, &frmImportDir::TreeView1_Collapse);
    // Moving through the tree with the keyboard chooses as a click does.
    connect(m_treeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { TreeView1_NodeClick(current); });
    connect(m_comOk, &QPushButton::clicked, this, &frmImportDir::ComOk_Click);

    if (!desktopFolder.isEmpty()) {
        const QString desktop = ImportDirFolders::keyOf(desktopFolder);
        addNode(nullptr, desktop, QStringLiteral("Desktop"), NodeKind::Root,
                style()->standardIcon(QStyle::SP_DesktopIcon));
        AddPlaceholderIfHasSubfolders(desktop);
    }
    for (const QString& root : driveRoots) {
        const QString key = ImportDirFolders::keyOf(root);
        addNode(nullptr, key, key, NodeKind::Root, style()->standardIcon(QStyle::SP_DriveHDIcon));
        AddPlaceholderIfHasSubfolders(key);
    }
    openAlong(importDir);
}

QString frmImportDir::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

void frmImportDir::AddPlaceholderIfHasSubfolders(const QString& path)
{
    QTreeWidgetItem* item = m_nodes.value(ImportDirFolders::keyOf(path));
    if (!item || item->childCount() > 0 || !ImportDirFolders::hasSubfolders(path))
        return;
    addNode(item, ImportDirFolders::placeholderKey(keyOf(item)), ImportDirFolders::PlaceholderText,
            NodeKind::Placeholder, QIcon());
}

void frmImportDir::AddSubfolderNodes(const QString& path)
{
    const QString key = ImportDirFolders::keyOf(path);
    QTreeWidgetItem* item = m_nodes.value(key);
    if (!item)
        return;
    for (const QString& name : ImportDirFolders::subfolderNames(path))
        addNode(item, ImportDirFolders::childKey(key, name), name, NodeKind::Folder,
                m_closedFolder);
}

void frmImportDir::ComOk_Click()
{
    QTreeWidgetItem* selected = m_treeView1->currentItem();
    if (selected && NodeKind(selected->data(0, KindRole).toInt()) != NodeKind::Placeholder)
        m_importDir = ImportDirFolders::folderOf(keyOf(selected));
    accept();
}

QTreeWidgetItem* frmImportDir::addNode(QTreeWidgetItem* parent, const QString& key,
                                       const QString& text, NodeKind kind, const QIcon& icon)
{
    if (kind != NodeKind::Placeholder && m_nodes.contains(key))
        return nullptr;
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setIcon(0, icon);
    item->setData(0, KeyRole, key);
    item->setData(0, KindRole, int(kind));
    if (parent)
        parent->addChild(item);
    else
        m_treeView1->addTopLevelItem(item);
    if (kind == NodeKind::Placeholder)
        return item;
    m_nodes.insert(key, item);
    // A chosen folder that was closed and opened again is still the choice.
    if (key == m_boldKey)
        setBold(key, true);
    return item;
}

void frmImportDir::removeChildren(QTreeWidgetItem* item)
{
    QTreeWidgetItem* current = m_treeView1->currentItem();
    bool currentInside = false;
    for (QTreeWidgetItem* up = current ? current->parent() : nullptr; up; up = up->parent())
        currentInside = currentInside || up == item;
    m_restructuring = true;
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
    qDeleteAll(item->takeChildren());
    // Closing a branch that held the selection selects the branch itself.
    if (currentInside)
        m_treeView1->setCurrentItem(item);
    m_restructuring = false;
}

void frmImportDir::forget(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
    const QString key = keyOf(item);
    if (m_nodes.value(key) == item)
        m_nodes.remove(key);
}

void frmImportDir::setBold(const QString& key, bool bold)
{
    QTreeWidgetItem* item = m_nodes.value(key);
    if (!item)
        return;
    QFont font = item->font(0);
    font.setBold(bold);
    item->setFont(0, font);
}

void frmImportDir::openAlong(const QString& folder)
{
    if (folder.isEmpty())
        return;
    // Each level's node exists once its parent level has been opened.
    for (int n = 1;; ++n) {
        const QString prefix = ImportDirFolders::PathPrefix(folder, n);
        if (prefix == ImportDirFolders::NoPrefix)
            break;
        if (QTreeWidgetItem* item = m_nodes.value(prefix))
            item->setExpanded(true);
    }
    if (QTreeWidgetItem* chosen = m_nodes.value(ImportDirFolders::keyOf(folder))) {
        m_treeView1->setCurrentItem(chosen);
        m_treeView1->scrollToItem(chosen);
    }
}

void frmImportDir::TreeView1_Expand(QTreeWidgetItem* item)
{
    if (NodeKind(item->data(0, KindRole).toInt()) == NodeKind::Folder)
        item->setIcon(0, m_openFolder);
    const QString key = keyOf(item);
    removeChildren(item);
    AddSubfolderNodes(key);
    for (int i = 0; i < item->childCount(); ++i)
        AddPlaceholderIfHasSubfolders(keyOf(item->child(i)));
}

void frmImportDir::TreeView1_Collapse(QTreeWidgetItem* item)
{
    if (NodeKind(item->data(0, KindRole).toInt()) == NodeKind::Folder)
        item->setIcon(0, m_closedFolder);
    removeChildren(item);
    AddPlaceholderIfHasSubfolders(keyOf(item));
}

void frmImportDir::TreeView1_NodeClick(QTreeWidgetItem* item)
{
    if (m_restructuring || !item ||
        NodeKind(item->data(0, KindRole).toInt()) == NodeKind::Placeholder)
        return;
    setBold(m_boldKey, false);
    m_boldKey = keyOf(item);
    setBold(m_boldKey, true);
}
