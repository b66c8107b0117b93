#pragma once

#include <QDialog>

class ImportCopier;
class ProgressDisplay;
class QPushButton;

// The copy window of the import rule: which file is being copied from the stick or share, how
// far the copy is, and Cancel. Modal while it shows, so the window behind takes no command that
// the copy's end would contradict.
class frmCopy : public QDialog
{
    Q_OBJECT

public:
    // The copier must outlive the window.
    explicit frmCopy(ImportCopier& copier, QWidget* parent = nullptr);

    ProgressDisplay* progress() const { return m_progress; }
    QPushButton* cancelButton() const { return m_comCancel; }

    void ComCancel_Click();

protected:
    // Escape and the window's close button cancel like the button does.
    void reject() override;

private:
    ImportCopier& m_copier;
    ProgressDisplay* m_progress;
    QPushButton* m_comCancel;
};
