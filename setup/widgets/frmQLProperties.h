#pragma once

#include "setup/QuickLaunchProperties.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Quick Launch Properties": the file's name, size and place, and the two show settings kept
// inside the presentation (loop until Escape, advance after a delay). The presentation is read
// when the window opens and stays open until OK saves it or Cancel lets it go. Reading and
// saving wait on the presentation program off the interface thread; meanwhile the settings and
// OK are disabled, and the window closes once OK's save has ended.
class frmQLProperties : public QDialog
{
    Q_OBJECT

public:
    // Longest delay the spinner offers: the text has two digits of minutes.
    static constexpr int MaxDelayS = 99 * 60 + 59;

    // properties must outlive the window; it goes on closing the presentation after it.
    frmQLProperties(QuickLaunchProperties& properties, const QString& quickLaunchFile,
                    QWidget* parent = nullptr);

    void ChkAdvance_Click();
    void UpDown1_Change();
    // The delay text has been edited and left: the spinner follows it.
    void TxtDelay_LostFocus();
    void ComOk_Click();
    void ComCancel_Click();

    // What the last OK wrote; a failure when nothing could be saved.
    const PresentationStatus& okStatus() const { return m_okStatus; }

    QLineEdit* fileName() const { return m_txtFileName; }
    QLabel* sizeData() const { return m_labSizeData; }
    QLabel* locationData() const { return m_labLocationData; }
    QLabel* icon() const { return m_picIcon; }
    QCheckBox* loop() const { return m_chkLoop; }
    QCheckBox* advance() const { return m_chkAdvance; }
    QLineEdit* delay() const { return m_txtDelay; }
    QSpinBox* delaySpinner() const { return m_upDown1; }
    QPushButton* okButton() const { return m_comOk; }
    QPushButton* cancelButton() const { return m_comCancel; }

protected:
    // Escape and the window's close button count as Cancel.
    void reject() override;

private:
    void Form_Load(const QString& quickLaunchFile);
    void showFields();
    void setWorking(bool working);

    QuickLaunchProperties& m_properties;
    PresentationStatus m_okStatus = presentationOk();
    QLabel* m_picIcon;
    QLineEdit* m_txtFileName;
    QLabel* m_labSizeData;
    QLabel* m_labLocationData;
    QCheckBox* m_chkLoop;
    QCheckBox* m_chkAdvance;
    QLineEdit* m_txtDelay;
    QSpinBox* m_upDown1;
    QPushButton* m_comOk;
    QPushButton* m_comCancel;
};
