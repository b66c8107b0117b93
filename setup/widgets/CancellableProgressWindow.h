#pragma once

#include <QDialog>

#include <functional>

class ProgressDisplay;
class QPushButton;

// A modal window that follows one long job: its progress and a Cancel button. It comes up when
// the job starts and goes when it ends; Escape and the close button cancel like the button does.
class CancellableProgressWindow : public QDialog
{
    Q_OBJECT

public:
    ProgressDisplay* progress() const { return m_progress; }
    QPushButton* cancelButton() const { return m_comCancel; }

    void ComCancel_Click();

protected:
    // name: the window's backtick name; cancel asks the job to stop; running tells whether it
    // still runs.
    CancellableProgressWindow(const QString& name, const QString& title,
                              std::function<void()> cancel, std::function<bool()> running,
                              QWidget* parent);

    // The job started: the window comes up, fresh.
    void jobStarted();
    void reject() override;

private:
    std::function<void()> m_cancel;
    std::function<bool()> m_running;
    ProgressDisplay* m_progress;
    QPushButton* m_comCancel;
};
