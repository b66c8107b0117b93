#include "show/LaunchController.h"

#include "document/EventDocument.h"
#include "document/FileKind.h"
#include "document/SpeakerTable.h"
#include "platform/PresentationDocument.h"
#include "show/LiveCastHooks.h"
#include "show/ShowClock.h"
#include "show/ShowLogFiles.h"
#include "show/SpeakerNavigation.h"

#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcShow, "stagor.show", QtInfoMsg)

namespace {

// The value that leaves an option of the live status empty.
const QString Null = QStringLiteral("null");

} // namespace

LaunchController::LaunchController(EventDocument& doc, ShowPort& port, const ShowClock& clock,
                                   LiveCastHooks& liveCast, const TimingsSetting& timings,
                                   QObject* parent)
    : QObject(parent), m_doc(doc), m_port(port), m_clock(clock), m_liveCast(liveCast),
      m_timings(timings)
{
    m_currentSpeaker = -1;
    setSpeakerName(SpeakerNavigation::NextSpeaker(m_doc.Speakers, m_currentSpeaker));
    if (m_currentSpeaker < 0)
        m_labSName = QStringLiteral("No Speaker");
    rebuildMenu();
    m_labTimings = m_timings.Checked ? QStringLiteral("Timings Log - ON")
                                     : QStringLiteral("Timings Log - OFF");
    // The player's options as the audience had them last; the controls show when the setup
    // window's item says so.
    m_liveCast.beginActivation();
    m_playerOptions = m_liveCast.restorePlayerOptions(LiveCastHooks::PlayerOptions());
    m_liveCastControlsShown = m_liveCast.controlsChecked();
    m_liveCast.endActivation();
    // The first idle tick of the watcher tells the audience that the holding slide is up.
    m_livePresenter = QStringLiteral("Activate");
}

bool LaunchController::liveCastModeOn() const
{
    return m_liveCast.liveCastModeOn();
}

void LaunchController::ComboViewLC_Click(int view)
{
    m_playerOptions.view = view;
    m_liveCast.publishPlayerOptions(QString::number(view), Null, Null);
    emit changed();
}

void LaunchController::HScrollLC_Change(int scale)
{
    m_playerOptions.scale = scale;
    m_liveCast.publishPlayerOptions(Null, QString::number(scale), Null);
    emit changed();
}

void LaunchController::ChkRolling_Click(bool rolling)
{
    m_playerOptions.rolling = rolling;
    m_liveCast.publishPlayerOptions(Null, Null,
                                    rolling ? QStringLiteral("true") : QStringLiteral("false"));
    emit changed();
}

QString LaunchController::LabAutoRun() const
{
    switch (m_autoRun) {
    case AutoRun::Off:
        return QStringLiteral("Auto Run - OFF");
    case AutoRun::On:
        return QStringLiteral("Auto Run - ON / Loop - OFF");
    case AutoRun::Looping:
        break;
    }
    return QStringLiteral("Auto Run - ON / Loop - ON");
}

void LaunchController::Form_KeyDown(int keyCode, int shift)
{
    if (m_blanked && keyCode != KeyS) {
        restoreScreen();
        emit changed();
        return;
    }
    const LaunchKeyMap::Entry key = LaunchKeyMap::commandFor(keyCode);
    switch (key.command) {
    case LaunchCommand::Next:
        next();
        break;
    case LaunchCommand::Back:
        back();
        break;
    case LaunchCommand::Blank:
        blank();
        break;
    case LaunchCommand::HoldingSlide:
        if (m_title != HoldingTitle) {
            m_title = HoldingTitle;
            m_liveCast.publishStatus(m_livePresenter, QLatin1Char('h') + m_doc.HoldingTimeCode);
        }
        break;
    case LaunchCommand::QuickLaunch:
        quickLaunch();
        break;
    case LaunchCommand::LiveCastControls:
        toggleLiveCastControls();
        break;
    case LaunchCommand::SpeakerName:
        flash(&Overlays::speakerName);
        break;
    case LaunchCommand::Resolution:
        m_labResolution = QString::number(m_screenSize.width()) + QStringLiteral(" x ") +
                          QString::number(m_screenSize.height());
        flash(&Overlays::resolution);
        break;
    case LaunchCommand::TimeMark:
        timeMark();
        break;
    case LaunchCommand::SyncRecord:
        emit syncRecordRequested();
        break;
    case LaunchCommand::AutoRun:
        if (shift != 0)
            stepAutoRun();
        flash(&Overlays::autoRun);
        break;
    case LaunchCommand::Timings:
        if (shift != 0 && m_timings.Enabled)
            toggleTimings();
        flash(&Overlays::timings);
        break;
    case LaunchCommand::HideLauncherMenu:
        m_menu.presentationsVisible = false;
        m_menu.titleSlideVisible = false;
        m_menu.popUpsVisible = false;
        m_menu.promoVisible = false;
        m_menu.blankScreenVisible = false;
        break;
    case LaunchCommand::PreviousSpeaker:
        setSpeakerName(SpeakerNavigation::PreviousSpeaker(m_doc.Speakers, m_currentSpeaker));
        flash(&Overlays::speakerName);
        switchAutoRunOff();
        break;
    case LaunchCommand::NextSpeaker:
        setSpeakerName(SpeakerNavigation::NextSpeaker(m_doc.Speakers, m_currentSpeaker));
        flash(&Overlays::speakerName);
        switchAutoRunOff();
        break;
    case LaunchCommand::FirstSpeaker:
        m_currentSpeaker = -1;
        setSpeakerName(SpeakerNavigation::NextSpeaker(m_doc.Speakers, m_currentSpeaker));
        flash(&Overlays::speakerName);
        break;
    case LaunchCommand::LastSpeaker:
        setSpeakerName(SpeakerNavigation::SelectLastSpeaker(m_doc.Speakers, m_currentSpeaker));
        flash(&Overlays::speakerName);
        break;
    case LaunchCommand::LauncherMenu:
        emit launcherMenuRequested();
        break;
    case LaunchCommand::Beep:
        emit beepRequested();
        break;
    case LaunchCommand::Exit:
        emit exitRequested();
        break;
    case LaunchCommand::InternetConnect:
        m_liveCast.internetConnect(keyCode);
        break;
    case LaunchCommand::PopUp:
        showTitle(key.slot);
        break;
    case LaunchCommand::None:
        break;
    }
    // The loading picture stays while a presentation is still on its way.
    if (!m_launching)
        m_loadingPicture = NoLoadingPicture;
    emit changed();
}

void LaunchController::MnuSpeaker_Click(int index)
{
    if (index < 0 || index >= m_doc.Speakers.count())
        return;
    m_currentSpeaker = index;
    Form_KeyDown(KeyEnter, 0);
}

void LaunchController::MnuPopUp_Click(int slot)
{
    Form_KeyDown(LaunchKeyMap::popUpKey(slot), 0);
}

bool LaunchController::currentFileExists() const
{
    const QString& path = m_doc.Speakers[size_t(m_currentSpeaker)].FilePath;
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void LaunchController::next()
{
    if (m_currentSpeaker < 0 || showComesFirst())
        return;
    // A speaker whose presentation has gone is passed over, once round the list at most.
    for (int tries = 0; !currentFileExists() && tries < m_doc.Speakers.count(); ++tries) {
        setSpeakerName(SpeakerNavigation::NextSpeaker(m_doc.Speakers, m_currentSpeaker));
        if (m_currentSpeaker < 0)
            return;
    }
    if (!currentFileExists())
        return;
    // A launch whose record is still due (its show never came up) is written before the next.
    if (m_slideTimings.recordDue())
        noShowLeft();
    const SpeakerRecord& speaker = m_doc.Speakers[size_t(m_currentSpeaker)];
    if (ShowLogFiles::appendLaunch(m_doc.AppFolder, speaker.Name, speaker.FilePath, m_clock.now()))
        emit launchRecorded();
    m_livePresenter = speaker.Name;
    m_livePresenter.replace(QLatin1Char(' '), QLatin1Char('_'));
    m_liveSlideSet = speaker.TimeCode;
    launchCurrent(ShowPort::StartAt::FirstSlide);
}

bool LaunchController::showComesFirst()
{
    if (m_show)
        m_port.bringToFront(m_show);
    return m_show || m_launching;
}

void LaunchController::back()
{
    if (m_currentSpeaker < 0 || showComesFirst())
        return;
    setSpeakerName(SpeakerNavigation::PreviousSpeaker(m_doc.Speakers, m_currentSpeaker));
    if (m_currentSpeaker < 0 || !currentFileExists())
        return;
    if (m_slideTimings.recordDue())
        noShowLeft();
    launchCurrent(ShowPort::StartAt::LastSlide);
    m_title = HoldingTitle;
}

void LaunchController::launchCurrent(ShowPort::StartAt startAt)
{
    const SpeakerRecord& speaker = m_doc.Speakers[size_t(m_currentSpeaker)];
    m_launchedSpeakerName = speaker.Name;
    m_launchedFilePath = speaker.FilePath;
    m_launchedSpeaker = m_currentSpeaker;
    m_loadingPicture = 0;
    m_launching = true;
    // The launch takes what was prepared; the next idle tick prepares the next talk.
    m_preparedFor.clear();
    // The screen names the following speaker from now on (unless this launch fails).
    setSpeakerName(SpeakerNavigation::NextSpeaker(m_doc.Speakers, m_currentSpeaker));
    m_port.launch(m_launchedFilePath, startAt,
                  [this](const ShowPort::Launch& launch) { launched(launch); });
}

void LaunchController::launched(const ShowPort::Launch& launch)
{
    m_launching = false;
    if (launch.document)
        qCInfo(lcShow, "show of %s: %d slides", qPrintable(m_launchedFilePath), launch.slideCount);
    else
        qCWarning(lcShow, "no show of %s: %s", qPrintable(m_launchedFilePath),
                  qPrintable(launch.error));
    // A talk that could not be shown is not passed over: the holding slide stays up, the
    // operator reads why, and the next Page Down tries the same talk again.
    m_statusLine.clear();
    if (!launch.document && m_launchedSpeaker >= 0 && m_launchedSpeaker < m_doc.Speakers.count()) {
        m_statusLine =
            QStringLiteral("%1 could not be shown: %2")
                .arg(m_launchedSpeakerName,
                     launch.error.isEmpty() ? QStringLiteral("unknown error") : launch.error);
        m_currentSpeaker = m_launchedSpeaker;
        m_labSName = m_doc.Speakers[size_t(m_launchedSpeaker)].Name;
        m_title = HoldingTitle;
    }
    m_show = launch.document;
    m_showSlideCount = launch.slideCount;
    m_slideTimings.reset(m_showSlideCount);
    m_loadingPicture = NoLoadingPicture;
    emit changed();
    // The first slide is on screen now: the watcher need not wait for its next tick to see it.
    if (m_show)
        Timer1_Timer();
}

void LaunchController::Timer1_Timer()
{
    if (m_launching || m_polling)
        return;
    if (!m_show) {
        noShowLeft();
        prepareCurrent();
        return;
    }
    m_polling = true;
    const ShowPort::Front front =
        m_launchScreenActive ? ShowPort::Front::BringShowToFront : ShowPort::Front::Leave;
    std::shared_ptr<PresentationDocument> document = m_show;
    m_port.poll(document, front, [this, document](const ShowPort::Poll& poll) {
        m_polling = false;
        polled(document, poll);
    });
}

void LaunchController::polled(const std::shared_ptr<PresentationDocument>& document,
                              const ShowPort::Poll& poll)
{
    if (document != m_show)
        return;
    qCDebug(lcShow, "watcher: running %d, slide %d", int(poll.running), poll.slide);
    if (poll.running) {
        if (poll.slide > 0 && m_slideTimings.slideSeen(poll.slide, m_clock.now())) {
            m_liveCast.publishStatus(m_livePresenter, QString::number(poll.slide) + m_liveSlideSet);
        }
        return;
    }
    m_port.close(m_show);
    m_show.reset();
    noShowLeft();
    emit changed();
}

void LaunchController::prepareCurrent()
{
    if (m_preparing)
        return;
    const QString path = m_currentSpeaker >= 0 && currentFileExists()
                             ? m_doc.Speakers[size_t(m_currentSpeaker)].FilePath
                             : QString();
    if (path == m_preparedFor)
        return;
    m_preparing = true;
    m_preparedFor = path;
    m_port.prepare(path, [this](bool) { m_preparing = false; });
}

void LaunchController::noShowLeft()
{
    if (m_timings.Checked && m_slideTimings.recordDue()) {
        ShowLogFiles::appendSpeakerTiming(m_doc.DesktopFolder, m_clock.now(), m_launchedSpeakerName,
                                          m_launchedFilePath, m_showSlideCount, m_slideTimings);
    }
    m_slideTimings.showEnded();
    if (!m_livePresenter.isEmpty()) {
        m_livePresenter.clear();
        m_liveCast.publishStatus(QString(), QLatin1Char('h') + m_doc.HoldingTimeCode);
    }
}

void LaunchController::TimAutoRun_Timer()
{
    const AutoRun remembered = m_autoRun;
    ++m_autoRunTicks;
    if (m_show || m_launching) {
        m_autoRunTicks = 0;
        return;
    }
    if (m_autoRunTicks < 5)
        return;
    m_autoRunTicks = 0;
    if (m_autoRun != AutoRun::Looping && m_currentSpeaker == m_doc.Speakers.count() - 1) {
        switchAutoRunOff();
        emit changed();
    }
    if (remembered != AutoRun::Off)
        Form_KeyDown(KeyEnter, 0);
}

void LaunchController::TimSpeaker_Timer()
{
    m_overlays = Overlays();
    emit changed();
}

void LaunchController::speakerRemoved(int index)
{
    // The speaker now at the current place (or the one after it) is the next to run.
    m_currentSpeaker -= m_currentSpeaker > index ? 2 : 1;
    setSpeakerName(SpeakerNavigation::NextSpeaker(m_doc.Speakers, m_currentSpeaker));
    if (m_currentSpeaker < 0)
        m_labSName = QStringLiteral("No Speaker");
    rebuildMenu();
    emit changed();
}

void LaunchController::blank()
{
    m_blanked = true;
    m_menu.blankScreenCaption = QStringLiteral("Show Screen");
    setScreenItemsVisible(false);
    m_liveCastControlsShown = false;
}

void LaunchController::setScreenItemsVisible(bool visible)
{
    m_menu.presentationsVisible = visible;
    m_menu.titleSlideVisible = visible;
    m_menu.popUpsVisible = visible;
    m_menu.promoVisible = visible;
    m_menu.liveCastControlsVisible = visible;
    m_menu.toolsVisible = visible;
    m_menu.setupVisible = visible;
}

void LaunchController::restoreScreen()
{
    m_blanked = false;
    m_menu.blankScreenCaption = QStringLiteral("Blank Screen");
    setScreenItemsVisible(true);
    m_liveCastControlsShown = m_liveCast.controlsChecked() && m_liveCast.liveCastModeOn();
}

void LaunchController::showTitle(int slot)
{
    if (!m_doc.PopUps[size_t(slot)].isUsed())
        return;
    m_title = slot;
    m_liveCast.publishStatus(m_livePresenter, QLatin1Char('p') + EventDocument::popUpNumber(slot) +
                                                  m_doc.PopUpsTimeCode);
}

void LaunchController::quickLaunch()
{
    if (m_show || m_launching || m_doc.QuickLaunchFile.isEmpty())
        return;
    const QString& path = m_doc.QuickLaunchFile;
    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::Flash)
        m_liveCast.playFlash(path);
    else if (isPresentationKind(kind))
        m_port.showUntracked(path);
}

void LaunchController::toggleLiveCastControls()
{
    m_liveCastControlsShown = !m_liveCastControlsShown && m_liveCast.liveCastModeOn();
    m_liveCast.setControlsChecked(m_liveCastControlsShown);
}

void LaunchController::stepAutoRun()
{
    m_autoRun = m_autoRun == AutoRun::Off  ? AutoRun::On
                : m_autoRun == AutoRun::On ? AutoRun::Looping
                                           : AutoRun::Off;
}

void LaunchController::switchAutoRunOff()
{
    m_autoRun = AutoRun::Off;
}

void LaunchController::toggleTimings()
{
    m_timings.Checked = !m_timings.Checked;
    m_labTimings = m_timings.Checked ? QStringLiteral("Timings Log - ON")
                                     : QStringLiteral("Timings Log - OFF");
    TimingsSetting::save(m_doc.AppFolder, m_timings.Checked);
}

void LaunchController::timeMark()
{
    ShowLogFiles::appendTimeMark(m_doc.DesktopFolder, m_clock.now());
    m_overlays.recordIcon = true;
    emit overlayFlashed();
}

void LaunchController::rebuildMenu()
{
    m_menu.speakers.clear();
    for (int i = 0; i < m_doc.Speakers.count(); ++i) {
        const SpeakerRecord& speaker = m_doc.Speakers[size_t(i)];
        m_menu.speakers << LauncherMenuState::Item{speaker.Name, !speaker.FilePath.isEmpty()};
    }
    m_menu.presentationsEnabled = m_currentSpeaker >= 0;
    m_menu.popUps.clear();
    m_menu.popUpsEnabled = false;
    for (int slot = 0; slot < EventDocument::PopUpSlotCount; ++slot) {
        const PopUpSlot& popUp = m_doc.PopUps[size_t(slot)];
        m_menu.popUps << LauncherMenuState::Item{
            EventDocument::popUpNumber(slot) + QStringLiteral(" - ") + popUp.Name, popUp.isUsed()};
        m_menu.popUpsEnabled = m_menu.popUpsEnabled || popUp.isUsed();
    }
    m_menu.promoEnabled = !m_doc.QuickLaunchFile.isEmpty();
}

void LaunchController::setSpeakerName(const std::optional<QString>& name)
{
    if (name)
        m_labSName = *name;
}

void LaunchController::flash(bool Overlays::*label)
{
    m_overlays.*label = true;
    emit overlayFlashed();
}
