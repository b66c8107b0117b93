#include "app/LiveCastBridge.h"

#include "show/LaunchKeyMap.h"

#include "document/LiveCastSettings.h"
#include "livecast/ErrorLog.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LiveStatus.h"
#include "livecast/LiveStatusPublisher.h"
#include "livecast/LiveStatusRecord.h"
#include "livecast/LocalhostMode.h"
#include "platform/MessageService.h"

LiveCastBridge::LiveCastBridge(TransferService& transfers, MessageService& messages,
                               LiveCastModes& modes, LiveCastSettings& marks,
                               const WebcastServerSettings& server, QObject* parent)
    : QObject(parent), m_transfers(transfers), m_messages(messages), m_modes(modes), m_marks(marks),
      m_server(server)
{}

LiveCastBridge::~LiveCastBridge()
{
    // The status hands its files to the publisher: it goes first.
    m_status.reset();
    m_publisher.reset();
}

void LiveCastBridge::setFolders(const QString& appFolder, const QString& liveCastFolder)
{
    m_status.reset();
    m_errorLog = std::make_unique<ErrorLog>(appFolder);
    m_publisher = std::make_unique<LiveStatusPublisher>(
        m_transfers, m_server, liveCastFolder + QLatin1Char('/') + LiveStatusRecord::FileName);
    connect(m_publisher.get(), &LiveStatusPublisher::failed, this,
            [this](const QString& error) { m_errorLog->append(error); });
    m_status = std::make_unique<LiveStatus>(liveCastFolder, m_marks, m_modes, m_publisher.get());
    // Localhost mode's player reads the status from the streaming server's folder.
    connect(m_status.get(), &LiveStatus::written, this, [this] {
        if (m_modes.mode() != LiveCastModes::Mode::Localhost || !m_localStreamingFolder)
            return;
        if (!LocalhostMode::publishStatus(m_status->filePath(), m_localStreamingFolder()))
            m_errorLog->append(QStringLiteral("Unable to copy ") + m_status->filePath() +
                               QStringLiteral(" to ") + m_localStreamingFolder());
    });
}

void LiveCastBridge::publishStatus(const QString& presenter, const QString& slideValue)
{
    if (m_status)
        m_status->WriteLiveStatus(presenter, slideValue, LiveStatus::Null, LiveStatus::Null,
                                  LiveStatus::Null);
}

void LiveCastBridge::beforePlay()
{
    if (!m_modes.autoLiveCast())
        return;
    if (liveCastModeOn())
        emit autoLiveCastRequested();
    else
        m_messages.show(QStringLiteral("Neither Webcast Mode or Localhost Mode Enabled"),
                        MsgButtons::Ok, MsgIcon::Exclamation);
}

void LiveCastBridge::beginActivation()
{
    if (m_status)
        m_status->beginActivation();
}

LiveCastHooks::PlayerOptions LiveCastBridge::restorePlayerOptions(const PlayerOptions& initial)
{
    // Webcast mode finds its options in the local file; Localhost mode fetches it from the
    // streaming server's folder first.
    const LiveCastModes::Mode mode = m_modes.mode();
    if (!m_status ||
        (mode != LiveCastModes::Mode::Webcast && mode != LiveCastModes::Mode::Localhost))
        return initial;
    if (mode == LiveCastModes::Mode::Localhost && m_localStreamingFolder)
        LocalhostMode::restoreStatus(m_status->filePath(), m_localStreamingFolder());
    const LiveStatusRecord::PlayerOptions found = m_status->restorePlayerOptions();
    PlayerOptions options = initial;
    options.view = found.view.value_or(initial.view);
    options.scale = found.scale.value_or(initial.scale);
    options.rolling = found.rolling;
    return options;
}

void LiveCastBridge::endActivation()
{
    if (m_status)
        m_status->endActivation();
}

void LiveCastBridge::publishPlayerOptions(const QString& view, const QString& scale,
                                          const QString& rolling)
{
    if (m_status)
        m_status->WriteLiveStatus(LiveStatus::Null, LiveStatus::Null, view, scale, rolling);
}

bool LiveCastBridge::controlsChecked() const
{
    return m_marks.Controls;
}

void LiveCastBridge::setControlsChecked(bool checked)
{
    m_marks.Controls = checked;
}

void LiveCastBridge::internetConnect(int key)
{
    emit internetConnectRequested(key == LaunchKeyMap::KeyI);
}

bool LiveCastBridge::liveCastModeOn() const
{
    return m_modes.mode() == LiveCastModes::Mode::Webcast ||
           m_modes.mode() == LiveCastModes::Mode::Localhost;
}
