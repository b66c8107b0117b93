#pragma once

#include <QDialog>

// The closing window: the vendor's logo for a moment before the program ends.
class frmClose : public QDialog
{
    Q_OBJECT

public:
    // logoPath may name a missing file; the window then stays blank for its time.
    explicit frmClose(const QString& logoPath, int showMs = 2000, QWidget* parent = nullptr);

protected:
    // The time counts from the moment the window shows, so that it can never close before its
    // modal loop runs (which would leave that loop waiting forever).
    void showEvent(QShowEvent* event) override;

private:
    int m_showMs;
    bool m_timerStarted = false;
};
