#include "show/PlayModeController.h"

#include "document/EventDocument.h"
#include "document/TimingsSetting.h"
#include "platform/PresentationApp.h"
#include "show/LiveCastHooks.h"
#include "show/PlayModeStart.h"
#include "show/PowerSupplyStatus.h"

#include <QDir>
#include <QStandardPaths>

PlayModeController::PlayModeController(EventDocument& doc, PresentationApp& shows,
                                       MessageService& messages, TimingsSetting& timings,
                                       LiveCastHooks& liveCast, std::function<void()> stopSound,
                                       QObject* parent)
    : QObject(parent), m_doc(doc), m_shows(shows), m_messages(messages), m_timings(timings),
      m_liveCast(liveCast), m_stopSound(std::move(stopSound))
{}

QString PlayModeController::untitledFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents))
        return documents;
    return QDir::homePath();
}

int PlayModeController::start(const QList<ShowScreenChoice::Screen>& screens, int setupScreen)
{
    if (m_playing)
        return -1;
    m_liveCast.beforePlay();
    if (!PlayModeStart::closeOtherPresentations(m_shows, m_messages, untitledFolder()))
        return -1;
    PlayModeStart::checkPower(PowerSupplyStatus::read(), m_messages);
    if (m_stopSound)
        m_stopSound();
    // The audience's screen: the one the operator picked, else the one the setup window is not
    // on. With one screen the program chooses its own.
    int chosen =
        ShowScreenChoice::choose(screens, setupScreen, ShowScreenChoice::load(m_doc.AppFolder));
    if (chosen < 0)
        chosen = setupScreen;
    m_shows.setShowScreen(screens.size() > 1 ? screens.value(chosen).geometry : QRect());
    m_showScreen = chosen;
    m_playing = true;
    emit playingChanged(true);
    return chosen;
}

void PlayModeController::end(bool timingsLogged)
{
    if (!m_playing)
        return;
    m_timings.Checked = timingsLogged;
    m_shows.quit();
    m_shows.startInBackground();
    m_playing = false;
    emit playingChanged(false);
}
