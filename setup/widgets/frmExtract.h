#pragma once

#include <QDialog>

class BackgroundPresentationsExtractor;
class ProgressDisplay;

// The extraction window: shows which presentation of a zipped event file is being unpacked
// and how far it is. It cannot be closed until the unpacking has ended.
class frmExtract : public QDialog
{
    Q_OBJECT

public:
    // The extractor must outlive the window.
    explicit frmExtract(BackgroundPresentationsExtractor& extractor, QWidget* parent = nullptr);

    ProgressDisplay* progress() const { return m_progress; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    BackgroundPresentationsExtractor& m_extractor;
    ProgressDisplay* m_progress;
};
