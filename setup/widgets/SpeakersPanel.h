#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class EventDocument;
class QAction;
class QLabel;
class QMenu;
class SpeakerList;
class SpeakerListView;

// The "Speakers" section: the list, its counter and the "Speaker Options" menu.
class SpeakersPanel : public QWidget
{
    Q_OBJECT

public:
    SpeakersPanel(SpeakerList& list, EventDocument& doc, QWidget* parent = nullptr);

    // Rebuilds the rows and the counter from the speaker table.
    void refresh();
    // Speakers removed from the table elsewhere (the missing-file sweep), positions as it
    // reports them.
    void speakersRemoved(const QList<int>& positions);
    SpeakerListView* view() const { return m_view; }
    QLabel* counter() const { return m_counter; }
    QMenu* contextMenu() const { return m_menu; }
    // Shows the context menu for a row (0: none) as a right click there does.
    void MnuSOptions_Popup(int row, const QPoint& globalPos);

    // Whether the selected speaker's slides can be uploaded: a LiveCast mode is on and the
    // slides were exported. Set by the window that knows.
    std::function<bool(int row)> uploadPossible;

signals:
    void exportRequested(int row);
    void uploadRequested(int row);
    void convertToPdfRequested(int row);

private:
    QAction* addItem(const QString& caption, const QString& name);
    void updateMenu(int row);

    SpeakerList& m_list;
    EventDocument& m_doc;
    SpeakerListView* m_view;
    QLabel* m_counter;
    QMenu* m_menu;
    QAction* m_open = nullptr;
    QAction* m_show = nullptr;
    QAction* m_rename = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_remove = nullptr;
    QAction* m_export = nullptr;
    QAction* m_upload = nullptr;
    QAction* m_copyAll = nullptr;
    QAction* m_pdf = nullptr;
    QAction* m_properties = nullptr;
};
