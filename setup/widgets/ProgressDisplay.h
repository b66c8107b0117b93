#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The status line, percentage and bar that the export and extraction windows share.
class ProgressDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressDisplay(QWidget* parent = nullptr);

    void setProgress(const QString& status, int percent);
    void reset();

    QLabel* status() const { return m_labStatus; }
    QLabel* percent() const { return m_labPercent; }
    QProgressBar* bar() const { return m_picPercent; }

private:
    QLabel* m_labStatus;
    QLabel* m_labPercent;
    QProgressBar* m_picPercent;
};
