#include "setup/widgets/frmAudioSettings.h"

#include "audio/AudioRecChoices.h"
#include "audio/CompanionPrograms.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void nameWidget(QWidget* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
}

// Shows value as the combo's text even when it is none of the offered items, so that Ok keeps
// a value someone else wrote into the file.
void selectText(QComboBox* box, const QString& value)
{
    int index = box->findText(value);
    if (index < 0) {
        box->insertItem(0, value);
        index = 0;
    }
    box->setCurrentIndex(index);
}

} // namespace

frmAudioSettings::frmAudioSettings(AudioRecSettings& settings, const QString& appFolder,
                                   CompanionPrograms& programs, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_appFolder(appFolder), m_programs(programs)
{
    nameWidget(this, QStringLiteral("Audio Settings"), QStringLiteral("frmAudioSettings"));
    setWindowTitle(QStringLiteral("Audio Settings"));

    auto* deviceFrame = new QGroupBox(QStringLiteral("Select Audio Device"), this);
    nameWidget(deviceFrame, deviceFrame->title(), QStringLiteral("FrameAudioDevice"));
    m_comRecordDevice = new QPushButton(QStringLiteral("&Sound Settings..."), deviceFrame);
    nameWidget(m_comRecordDevice, QStringLiteral("Sound Settings"),
               QStringLiteral("ComRecordDevice"));
    if (!m_programs.soundSettingsCommand()) {
        m_comRecordDevice->setEnabled(false);
        m_comRecordDevice->setToolTip(
            QStringLiteral("No sound settings program (such as pavucontrol) is installed."));
    }
    auto* deviceLayout = new QVBoxLayout(deviceFrame);
    deviceLayout->addWidget(m_comRecordDevice);

    m_mono = new QRadioButton(QStringLiteral("&Mono"), this);
    nameWidget(m_mono, QStringLiteral("Mono"), QStringLiteral("OptMonoStereo0"));
    m_stereo = new QRadioButton(QStringLiteral("S&tereo"), this);
    nameWidget(m_stereo, QStringLiteral("Stereo"), QStringLiteral("OptMonoStereo1"));
    auto* channelGroup = new QButtonGroup(this);
    channelGroup->addButton(m_mono, 0);
    channelGroup->addButton(m_stereo, 1);
    auto* channels = new QHBoxLayout;
    channels->addWidget(m_mono);
    channels->addWidget(m_stereo);

    m_cmbSampleRate = new QComboBox(this);
    nameWidget(m_cmbSampleRate, QStringLiteral("Sample Rate"), QStringLiteral("cmbSampleRate"));
    m_cmbSampleRate->addItems(AudioRecChoices::SampleRates);
    m_cmbBitrate = new QComboBox(this);
    nameWidget(m_cmbBitrate, QStringLiteral("Bit Rate"), QStringLiteral("cmbBitrate"));
    m_cmbBitrate->addItems(AudioRecChoices::BitRates);

    auto* form = new QFormLayout;
    auto* channelsLabel = new QLabel(QStringLiteral("Channels:"), this);
    form->addRow(channelsLabel, channels);
    auto* sampleRateLabel = new QLabel(QStringLiteral("Sample &Rate:"), this);
    sampleRateLabel->setBuddy(m_cmbSampleRate);
    form->addRow(sampleRateLabel, m_cmbSampleRate);
    auto* bitRateLabel = new QLabel(QStringLiteral("&Bit Rate"), this);
    bitRateLabel->setBuddy(m_cmbBitrate);
    form->addRow(bitRateLabel, m_cmbBitrate);

    auto* note = new QLabel(QStringLiteral("An audio file will be created when you click the Play "
                                           "Button. The file is placed in a directory vesk Audio "
                                           "located on the desktop"),
                            this);
    note->setWordWrap(true);
    nameWidget(note, note->text(), QStringLiteral("LabNote"));

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    nameWidget(ok, QStringLiteral("Ok"), QStringLiteral("ComOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    nameWidget(cancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(deviceFrame);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(m_comRecordDevice, &QPushButton::clicked, this,
            &frmAudioSettings::ComRecordDevice_Click);
    connect(ok, &QPushButton::clicked, this, &frmAudioSettings::ComOk_Click);
    connect(cancel, &QPushButton::clicked, this, &frmAudioSettings::ComCancel_Click);
    Form_Load();
}

void frmAudioSettings::Form_Load()
{
    (AudioRecChoices::isStereo(m_settings) ? m_stereo : m_mono)->setChecked(true);
    selectText(m_cmbSampleRate, m_settings.SampleRate);
    selectText(m_cmbBitrate, m_settings.BitRate);
}

void frmAudioSettings::ComRecordDevice_Click()
{
    m_programs.ComRecordDevice_Click();
}

void frmAudioSettings::ComOk_Click()
{
    AudioRecChoices::apply(m_settings, m_appFolder, m_stereo->isChecked(),
                           m_cmbSampleRate->currentText(), m_cmbBitrate->currentText());
    accept();
}

void frmAudioSettings::ComCancel_Click()
{
    reject();
}
