#pragma once

#include <QDialog>

class ProgressDisplay;
class QPushButton;
class ZippedEventExport;

// The export window: shows which presentation is being added and how far the export is, and
// lets the operator cancel it. It appears for the copy and hides when the copy has ended.
class frmExport : public QDialog
{
    Q_OBJECT

public:
    // The export must outlive the window.
    explicit frmExport(ZippedEventExport& job, QWidget* parent = nullptr);

    ProgressDisplay* progress() const { return m_progress; }
    QPushButton* cancelButton() const { return m_comCancel; }

    void ComCancel_Click();

protected:
    // Escape and the window's close button cancel like the button does.
    void reject() override;

private:
    ZippedEventExport& m_job;
    ProgressDisplay* m_progress;
    QPushButton* m_comCancel;
};
