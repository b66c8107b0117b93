#include "setup/widgets/SpeakerNameDelegate.h"

#include "setup/SpeakerList.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QTimer>

SpeakerNameDelegate::SpeakerNameDelegate(SpeakerList& list, QAbstractItemView* view)
    : QStyledItemDelegate(view), m_list(list), m_view(view)
{}

QWidget* SpeakerNameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    m_list.beginRename(index.row() + 1);
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setAccessibleName(QStringLiteral("Speaker name"));
    return editor;
}

void SpeakerNameDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    const QString text = line->text();
    switch (m_list.endRename(index.row() + 1, text)) {
    case SpeakerList::RenameResult::Accepted:
        model->setData(index, text);
        break;
    case SpeakerList::RenameResult::EditAgain: {
        // The editor is closing now; open it again once it has gone.
        QPersistentModelIndex again(index);
        QTimer::singleShot(0, m_view, [view = m_view, again] {
            if (again.isValid())
                view->edit(again);
        });
        break;
    }
    case SpeakerList::RenameResult::Cancelled:
        break;
    }
}
