#pragma once

#include <QStyledItemDelegate>

class SpeakerList;

// The in-place editor of a speaker row. A name the list refuses leaves the old one on the row
// and opens the editor again; Escape leaves the old name.
class SpeakerNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    SpeakerNameDelegate(SpeakerList& list, QAbstractItemView* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    SpeakerList& m_list;
    QAbstractItemView* m_view;
};
