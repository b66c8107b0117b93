#include "livecast/LocalhostServiceStart.h"

#include "livecast/LiveCastModes.h"
#include "platform/StreamingServerService.h"

LocalhostServiceStart::LocalhostServiceStart(StreamingServerService& service, LiveCastModes& modes,
                                             QObject* parent)
    : QObject(parent), m_service(service), m_modes(modes)
{}

void LocalhostServiceStart::Timer1_Timer()
{
    if (m_started)
        return;
    m_started = true;
    m_status = QStringLiteral("Starting Flash Media Server");
    emit changed();
    connect(&m_service, &StreamingServerService::restartFinished, this,
            &LocalhostServiceStart::closeRequested, Qt::SingleShotConnection);
    m_service.restart();
}

void LocalhostServiceStart::TimDelay_Timer()
{
    m_frame = (m_frame + 1) % FrameCount;
    emit changed();
}

void LocalhostServiceStart::ComCancel_Click()
{
    m_modes.uncheck(LiveCastModes::Mode::Localhost);
    m_modes.setLocalhostSettingsEnabled(false);
    emit closeRequested();
}
