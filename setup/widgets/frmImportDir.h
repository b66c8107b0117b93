#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Import Directory": picks the folder that presentations from sticks, network shares and
// optical discs are copied into. The tree holds the desktop and the fixed drives and loads
// each folder's subfolders only when it is opened; it opens along the current choice, which
// is shown in bold. Only OK changes the choice.
class frmImportDir : public QDialog
{
    Q_OBJECT

public:
    // importDir and desktopFolder end with "/"; driveRoots are the fixed drives' mount points.
    frmImportDir(const QString& importDir, const QString& desktopFolder,
                 const QStringList& driveRoots, QWidget* parent = nullptr);

    // The choice: the one given until OK took the selected folder (with a trailing "/").
    QString ImportDir() const { return m_importDir; }

    QTreeWidget* tree() const { return m_treeView1; }
    QPushButton* okButton() const { return m_comOk; }
    // The node with that key, or null. Every folder is shown once: a folder that is a root of
    // its own (the desktop, a drive mounted inside another) is not repeated under its parent.
    QTreeWidgetItem* node(const QString& key) const { return m_nodes.value(key); }
    static QString keyOf(const QTreeWidgetItem* item);
    QString boldKey() const { return m_boldKey; }

    void AddPlaceholderIfHasSubfolders(const QString& path);
    void AddSubfolderNodes(const QString& path);
    void ComOk_Click();

private:
    enum class NodeKind
    {
        Root,
        Folder,
        Placeholder,
    };

    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                             NodeKind kind, const QIcon& icon);
    void removeChildren(QTreeWidgetItem* item);
    void forget(QTreeWidgetItem* item);
    void setBold(const QString& key, bool bold);
    void openAlong(const QString& folder);
    void TreeView1_Expand(QTreeWidgetItem* item);
    void TreeView1_Collapse(QTreeWidgetItem* item);
    void TreeView1_NodeClick(QTreeWidgetItem* item);

    QString m_importDir;
    QTreeWidget* m_treeView1;
    QPushButton* m_comOk;
    QHash<QString, QTreeWidgetItem*> m_nodes;
    QString m_boldKey;
    // Set while nodes are taken out, so that the current node moving away is not a click.
    bool m_restructuring = false;
    QIcon m_closedFolder;
    QIcon m_openFolder;
};
