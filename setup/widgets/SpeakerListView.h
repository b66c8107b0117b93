#pragma once

#include <QStringList>
#include <QTreeWidget>

// The speaker rows: one column headed "Name", edited in place, reordered by dragging with the
// left button, taking dropped files. It only reports; SpeakersPanel decides.
class SpeakerListView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit SpeakerListView(QWidget* parent = nullptr);

    // 1-based row under a point of the viewport; 0 over no row.
    int rowAt(const QPoint& viewportPos) const;
    int currentRowNumber() const;
    void selectRow(int row, bool focusAndScroll);

signals:
    void filesDropped(const QStringList& paths);
    void dragMoved(int sourceRow, int targetRow);
    void contextMenuAt(int row, const QPoint& globalPos);
    void removeRequested();
    void showRequested();
    void renameRequested();
    void copyRequested();
    void pasteRequested();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The menu key and Shift+F10 open the menu of the current row.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setDropHighlight(int row);
    void openMenuAtCurrentRow();

    int m_dropHighlight = 0;
};
