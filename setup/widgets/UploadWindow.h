#pragma once

#include <QDialog>

class ProgressDisplay;
class QPushButton;
class QTimer;
class UploadSequence;

// What the two upload windows look like: the status, the percentage, the bar in PicPercent and
// Cancel, all following the upload they show. The upload starts on TimUpload's first tick once
// the window shows; the window closes when the upload says so.
class UploadWindow : public QDialog
{
    Q_OBJECT

public:
    ProgressDisplay* progress() const { return m_progress; }
    QPushButton* cancelButton() const { return m_comCancel; }

protected:
    // name: the window's code name; timUploadMs below 0 keeps the upload's own interval.
    UploadWindow(UploadSequence& upload, const QString& name, const QString& caption,
                 QWidget* parent, int timUploadMs);

    void showEvent(QShowEvent* event) override;
    // Escape and the close button act like Cancel, and only while Cancel can be pressed.
    void reject() override;

private:
    void refresh();

    UploadSequence& m_upload;
    ProgressDisplay* m_progress;
    QPushButton* m_comCancel;
    QTimer* m_timUpload;
    bool m_shown = false;
};
