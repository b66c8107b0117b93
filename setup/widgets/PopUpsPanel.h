#pragma once

#include <QWidget>

#include <array>

class EventDocument;
class PopUpSlots;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;

// The "Pop Ups" section: ten numbered slots (1 to 9, then 0) in a scrolling panel, the frame on
// the selected one, the name editor and the "Pop Ups" menu.
class PopUpsPanel : public QWidget
{
    Q_OBJECT

public:
    PopUpsPanel(PopUpSlots& popUps, EventDocument& doc, QWidget* parent = nullptr);

    void refresh();
    QLabel* picture(int slot) const { return m_pictures.at(size_t(slot)); }
    QLabel* number(int slot) const { return m_numbers.at(size_t(slot)); }
    QLabel* name(int slot) const { return m_names.at(size_t(slot)); }
    QLineEdit* renameEditor() const { return m_txtRename; }
    QMenu* contextMenu() const { return m_menu; }
    QScrollArea* scrollArea() const { return m_area; }

    void ImgPopUps_Click(int slot);
    void labPopUpName_Click(int slot);
    void MnuPEdit_Popup(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void commitRename();
    int slotOf(QObject* object) const;
    // Keys on a slot's picture or name; true when taken.
    bool slotKeyPress(int slot, bool onPicture, QKeyEvent* event);

    PopUpSlots& m_slots;
    EventDocument& m_doc;
    QScrollArea* m_area;
    std::array<QLabel*, 10> m_pictures{};
    std::array<QLabel*, 10> m_numbers{};
    std::array<QLabel*, 10> m_names{};
    QLineEdit* m_txtRename;
    int m_renaming = -1;
    QMenu* m_menu;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_rename;
    QAction* m_clear;
};
