#pragma once

#include <QDialog>

class AudioRecSettings;
class CompanionPrograms;
class QComboBox;
class QPushButton;
class QRadioButton;

// The companion recorder's settings: channels, sample rate and bit rate, kept on Ok only.
class frmAudioSettings : public QDialog
{
    Q_OBJECT

public:
    frmAudioSettings(AudioRecSettings& settings, const QString& appFolder,
                     CompanionPrograms& programs, QWidget* parent = nullptr);

    void ComRecordDevice_Click();
    void ComOk_Click();
    void ComCancel_Click();

    QRadioButton* optMonoStereo(int index) const { return index == 0 ? m_mono : m_stereo; }
    QComboBox* sampleRateBox() const { return m_cmbSampleRate; }
    QComboBox* bitRateBox() const { return m_cmbBitrate; }
    QPushButton* recordDeviceButton() const { return m_comRecordDevice; }

private:
    void Form_Load();

    AudioRecSettings& m_settings;
    const QString m_appFolder;
    CompanionPrograms& m_programs;
    QPushButton* m_comRecordDevice = nullptr;
    QRadioButton* m_mono = nullptr;
    QRadioButton* m_stereo = nullptr;
    QComboBox* m_cmbSampleRate = nullptr;
    QComboBox* m_cmbBitrate = nullptr;
};
