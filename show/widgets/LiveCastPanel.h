#pragma once

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

// The launch screen's LiveCast controls: the view, scale and rolling options of the audience's
// player. It shows what it is given and reports what the operator changes.
class LiveCastPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int MinimumScale = 25;
    static constexpr int MaximumScale = 200;

    explicit LiveCastPanel(QWidget* parent = nullptr);

    // Shows the options without reporting them back.
    void showOptions(int view, int scale, bool rolling, bool scaleEnabled);

    QComboBox* view() const { return m_comboViewLC; }
    QScrollBar* scale() const { return m_hScrollLC; }
    QCheckBox* rolling() const { return m_chkRolling; }
    QLabel* scaleLabel() const { return m_labHSLC; }

signals:
    void viewChosen(int view);
    void scaleChanged(int scale);
    void rollingClicked(bool rolling);

private:
    QComboBox* m_comboViewLC;
    QScrollBar* m_hScrollLC;
    QLabel* m_labHSLC;
    QCheckBox* m_chkRolling;
};
