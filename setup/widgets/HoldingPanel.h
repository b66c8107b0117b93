#pragma once

#include <QGroupBox>

class EventDocument;
class HoldingSlide;
class QLabel;
class QMenu;
class QToolBar;

// The holding slide on the "Main" section: its thumbnail (a drop target with the Cut, Copy and
// Paste menu) and the Open and Cut buttons.
class HoldingPanel : public QGroupBox
{
    Q_OBJECT

public:
    HoldingPanel(HoldingSlide& holding, EventDocument& doc, QWidget* parent = nullptr);

    void refresh();
    QLabel* picture() const { return m_imgHolding; }
    QMenu* contextMenu() const { return m_menu; }
    void MnuEdit_Popup(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HoldingSlide& m_holding;
    EventDocument& m_doc;
    QLabel* m_imgHolding;
    QToolBar* m_toolbar;
    QMenu* m_menu;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
};
