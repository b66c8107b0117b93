#include "setup/widgets/AudioToolsPanel.h"

#include "audio/AudioRecordSwitch.h"
#include "audio/CompanionPrograms.h"
#include "audio/SoundTest.h"
#include "setup/widgets/WidgetNames.h"
#include "setup/widgets/frmAudioSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

// The status text says "Status : Playing 00:01:05"; the name says which status.
const QString kStatusCaption = QStringLiteral("Sound test");

} // namespace

AudioToolsPanel::AudioToolsPanel(SoundTest& soundTest, AudioRecordSwitch& audioRecord,
                                 CompanionPrograms& companions, const QString& appFolder,
                                 AudioRecSettings& recorderSettings, QWidget* window)
    : QObject(window), m_window(window), m_appFolder(appFolder),
      m_recorderSettings(recorderSettings), m_soundTest(&soundTest), m_audioRecord(&audioRecord),
      m_companions(&companions)
{
    m_frameSTest = new QGroupBox(QStringLiteral("Sound Test"), window);
    WidgetNames::set(m_frameSTest, m_frameSTest->title(), QStringLiteral("FrameSTest"));
    m_frameSTest->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_comSPlay = new QPushButton(QStringLiteral("Play / Stop"), m_frameSTest);
    WidgetNames::set(m_comSPlay, QStringLiteral("Play / Stop"), QStringLiteral("ComSPlay"));
    m_labSTStatus = new QLabel(m_frameSTest);
    WidgetNames::set(m_labSTStatus, kStatusCaption, QStringLiteral("labSTStatus"));
    WidgetNames::showData(m_labSTStatus, kStatusCaption, SoundTest::InitialStatus);
    auto* layout = new QHBoxLayout(m_frameSTest);
    layout->addWidget(m_comSPlay);
    layout->addWidget(m_labSTStatus, 1);

    connect(m_comSPlay, &QPushButton::clicked, m_soundTest, &SoundTest::ComSPlay_Click);
}

AudioToolsPanel::~AudioToolsPanel() = default;

void AudioToolsPanel::addToMenu(QMenu* tools)
{
    QMenu* soundMenu = tools->addMenu(QStringLiteral("&Sound Test"));
    soundMenu->setObjectName(QStringLiteral("MnuSoundTest"));
    auto* choices = new QActionGroup(this);
    choices->setExclusive(true);
    for (int i = 0; i < SoundTest::SoundCaptions.size(); ++i) {
        QAction* item = WidgetNames::action(this, SoundTest::SoundCaptions[i],
                                            QStringLiteral("MnuChooseSound%1").arg(i));
        item->setCheckable(true);
        item->setChecked(i == m_soundTest->chosenSound());
        choices->addAction(item);
        soundMenu->addAction(item);
        connect(item, &QAction::triggered, m_soundTest,
                [this, i] { m_soundTest->MnuChooseSound_Click(i); });
        m_mnuChooseSound << item;
    }
    connect(m_soundTest, &SoundTest::chosenSoundChanged, this,
            [this](int index) { m_mnuChooseSound.at(index)->setChecked(true); });
    soundMenu->addSeparator();
    m_mnuSelectMp3 =
        WidgetNames::action(this, QStringLiteral("Choose &Mp3..."), QStringLiteral("MnuSelectMp3"));
    soundMenu->addAction(m_mnuSelectMp3);
    connect(m_mnuSelectMp3, &QAction::triggered, m_soundTest, &SoundTest::MnuSelectMp3_Click);
    m_mnuLoop = WidgetNames::action(this, QStringLiteral("&Loop"), QStringLiteral("MnuLoop"));
    m_mnuLoop->setCheckable(true);
    m_mnuLoop->setChecked(m_soundTest->loop());
    soundMenu->addAction(m_mnuLoop);
    connect(m_mnuLoop, &QAction::triggered, m_soundTest, &SoundTest::MnuLoop_Click);
    connect(m_soundTest, &SoundTest::loopChanged, m_mnuLoop, &QAction::setChecked);

    m_mnuAudioRecord = WidgetNames::action(this, QStringLiteral("Audio &Record"),
                                           QStringLiteral("MnuAudioRecord"));
    m_mnuAudioRecord->setCheckable(true);
    tools->addAction(m_mnuAudioRecord);
    connect(m_mnuAudioRecord, &QAction::triggered, this,
            [this] { m_mnuAudioRecord->setChecked(m_audioRecord->MnuAudioRecord_Click()); });
    m_mnuAudioSettings = WidgetNames::action(this, QStringLiteral("&Audio Settings..."),
                                             QStringLiteral("MnuAudioSettings"));
    tools->addAction(m_mnuAudioSettings);
    connect(m_mnuAudioSettings, &QAction::triggered, this,
            &AudioToolsPanel::MnuAudioSettings_Click);
    m_mnuCapture =
        WidgetNames::action(this, QStringLiteral("vesk &Capture"), QStringLiteral("MnuCapture"));
    tools->addAction(m_mnuCapture);
    connect(m_mnuCapture, &QAction::triggered, this, [this] { m_companions->MnuCapture_Click(); });

    connect(tools, &QMenu::aboutToShow, this, &AudioToolsPanel::MnuUtilities_Show);
    MnuUtilities_Show();
}

void AudioToolsPanel::Timer1_Timer()
{
    WidgetNames::showData(m_labSTStatus, kStatusCaption, m_soundTest->statusText());
}

void AudioToolsPanel::MnuUtilities_Show()
{
    m_mnuCapture->setEnabled(m_companions->captureAvailable());
    m_mnuAudioRecord->setChecked(m_audioRecord->isOn());
}

void AudioToolsPanel::MnuAudioSettings_Click()
{
    if (!m_settingsWindow) {
        m_settingsWindow =
            new frmAudioSettings(m_recorderSettings, m_appFolder, *m_companions, m_window);
        m_settingsWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_settingsWindow->show();
    m_settingsWindow->raise();
    m_settingsWindow->activateWindow();
}
