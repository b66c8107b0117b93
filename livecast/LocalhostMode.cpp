#include "livecast/LocalhostMode.h"

#include "livecast/LiveCastModes.h"
#include "livecast/LocalhostSettings.h"
#include "livecast/PlayerPage.h"
#include "platform/MessageService.h"
#include "platform/StreamingServerService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>

namespace {

using Mode = LiveCastModes::Mode;

// Copied beside the target and renamed over it: a player that reads meanwhile gets the old
// status or the new one, never half of one.
bool replaceWithCopy(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    if (target.write(source.readAll()) < 0)
        return false;
    return target.commit();
}

} // namespace

LocalhostMode::LocalhostMode(const QString& appFolder, LiveCastModes& modes,
                             MessageService& messages, LocalhostSettings& settings,
                             StreamingServerService& service, Windows windows, QObject* parent)
    : QObject(parent), m_appFolder(appFolder), m_modes(modes), m_messages(messages),
      m_settings(settings), m_service(service), m_windows(std::move(windows))
{}

void LocalhostMode::MnuLocalHost_Click()
{
    const Mode mode = m_modes.mode();
    if (mode == Mode::Localhost) {
        m_modes.uncheck(Mode::Localhost);
        m_modes.setLocalhostSettingsEnabled(false);
        return;
    }
    m_modes.setLocalhostSettingsEnabled(true);
    if (mode != Mode::Webcast && mode != Mode::Connect) {
        m_modes.setMode(Mode::Localhost);
        enter();
        return;
    }
    const QString question =
        mode == Mode::Webcast ? QStringLiteral("Webcast Mode enabled, switch to Localhost Mode.")
                              : QStringLiteral("Connect Mode enabled, switch to Localhost Mode.");
    m_messages.ask(question, MsgButtons::YesNo, MsgIcon::Question,
                   [self = QPointer<LocalhostMode>(this)](MsgAnswer answer) {
                       if (!self)
                           return;
                       if (answer != MsgAnswer::Yes) {
                           self->m_modes.setLocalhostSettingsEnabled(false);
                           return;
                       }
                       // One mode at a time: this one replaces the other.
                       self->m_modes.setMode(Mode::Localhost);
                       self->enter();
                   });
}

void LocalhostMode::enter()
{
    QFile ini(m_appFolder + QStringLiteral("FMS.ini"));
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(QStringLiteral("Flash Media Server not detected"));
        return;
    }
    const QString named = QString::fromLocal8Bit(ini.readLine()).trimmed();
    m_folder = named.isEmpty() ? QString() : QDir::cleanPath(named);
    if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir()) {
        m_folder.clear();
        fail(QStringLiteral("Flash Media Server not installed"));
        return;
    }

    m_settings.load();
    if (!m_settings.addressValid()) {
        if (m_windows.settings)
            m_windows.settings();
        if (!m_settings.addressValid()) {
            fail(QString());
            return;
        }
    }

    if (!m_service.running()) {
        if (m_windows.serviceStart)
            m_windows.serviceStart();
        // Cancel in the start window has given the mode up already.
        if (m_modes.mode() != Mode::Localhost)
            return;
        if (!m_service.running()) {
            fail(QStringLiteral("Unable to Start Flash Media Server"));
            return;
        }
    }
    if (!writeConnectFile())
        m_messages.show(QStringLiteral("Unable to write ") + m_folder + QLatin1Char('/') +
                            ConnectFile,
                        MsgButtons::Ok, MsgIcon::Exclamation);
    // A newer program brings a newer page: it replaces the one a previous run left there.
    if (!m_playerSource.isEmpty() && !PlayerPage::copyInto(m_playerSource, m_folder))
        m_messages.show(QStringLiteral("Unable to write ") + m_folder + QLatin1Char('/') +
                            PlayerPage::FolderName,
                        MsgButtons::Ok, MsgIcon::Exclamation);
}

void LocalhostMode::fail(const QString& message)
{
    m_modes.uncheck(Mode::Localhost);
    m_modes.setLocalhostSettingsEnabled(false);
    if (!message.isEmpty())
        m_messages.show(message, MsgButtons::Ok, MsgIcon::Exclamation);
}

QStringList LocalhostMode::connectLines(const QString& ipAddress)
{
    return {QStringLiteral("&info1=rtmp://") + ipAddress + QStringLiteral("/live/& sFMSURL; "),
            QStringLiteral("&info2=") + StreamName + QStringLiteral("& sStreamName")};
}

bool LocalhostMode::writeConnectFile()
{
    QByteArray bytes;
    for (const QString& line : connectLines(m_settings.ipAddress()))
        bytes += line.toLocal8Bit() + "\r\n";
    QSaveFile file(m_folder + QLatin1Char('/') + ConnectFile);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void LocalhostMode::MnuLHSettings_Click()
{
    m_settings.load();
    // The folder beside the application folder's, as a streaming server installed with the
    // program would have it; entering the mode again reads the real one.
    QString parent = m_appFolder;
    if (parent.endsWith(QLatin1Char('/')))
        parent.chop(1);
    m_folder = parent.left(parent.lastIndexOf(QLatin1Char('/')) + 1) + QStringLiteral("Red5/");
    if (m_windows.settings)
        m_windows.settings();
    if (m_modes.mode() == Mode::Localhost) {
        MnuLocalHost_Click();
        MnuLocalHost_Click();
    }
}

bool LocalhostMode::publishStatus(const QString& statusFile, const QString& streamingFolder)
{
    if (streamingFolder.isEmpty() || !QFileInfo(streamingFolder).isDir())
        return false;
    return replaceWithCopy(statusFile,
                           streamingFolder + QLatin1Char('/') + QFileInfo(statusFile).fileName());
}

bool LocalhostMode::restoreStatus(const QString& statusFile, const QString& streamingFolder)
{
    const QString published = streamingFolder + QLatin1Char('/') + QFileInfo(statusFile).fileName();
    if (streamingFolder.isEmpty() || !QFileInfo::exists(published))
        return false;
    return replaceWithCopy(published, statusFile);
}
