#include "livecast/LocalhostSettings.h"

#include "platform/MessageService.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// Settings file names are matched without regard to letter case.
QString findFile(const QString& folder, const QString& name)
{
    const QStringList found =
        QDir(folder).entryList({name}, QDir::Files | QDir::Readable | QDir::CaseSensitive);
    if (!found.isEmpty())
        return folder + found.constFirst();
    const QStringList any = QDir(folder).entryList({name}, QDir::Files | QDir::Readable);
    return any.isEmpty() ? QString() : folder + any.constFirst();
}

} // namespace

LocalhostSettings::LocalhostSettings(const QString& appFolder, MessageService& messages,
                                     std::function<QStringList()> addressTable, QObject* parent)
    : QObject(parent), m_appFolder(appFolder), m_messages(messages),
      m_addressTable(std::move(addressTable))
{}

void LocalhostSettings::load()
{
    m_ipAddress.clear();
    const QString path = findFile(m_appFolder, FileName);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        m_ipAddress = QString::fromLocal8Bit(file.readLine()).trimmed();
}

bool LocalhostSettings::isLoopback(const QString& address)
{
    return address.startsWith(QLatin1String("127."));
}

bool LocalhostSettings::addressValid() const
{
    if (m_ipAddress.isEmpty() || isLoopback(m_ipAddress))
        return false;
    return m_addressTable().contains(m_ipAddress);
}

void LocalhostSettings::Form_Load()
{
    if (addressValid()) {
        m_serverFrame = true;
        emit populateTimerStop();
    } else {
        m_serverFrame = false;
        emit populateTimerStart();
    }
    emit changed();
}

void LocalhostSettings::TimPopulate_Timer()
{
    m_items.clear();
    for (const QString& address : m_addressTable()) {
        if (!isLoopback(address))
            m_items.append({address, QStringLiteral("NIC IP : ") + address});
    }
    m_selected = m_items.isEmpty() ? -1 : 0;
    emit changed();
}

void LocalhostSettings::ComChangeIP_Click()
{
    m_serverFrame = false;
    emit populateTimerStart();
    emit changed();
}

void LocalhostSettings::LstIPAddress_ItemClick(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    const QString key = m_items.at(index).key;
    if (key == Disconnected) {
        m_messages.show(QStringLiteral("NIC is disconnected."), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    m_ipAddress = key;
    save();
    emit closeRequested();
}

void LocalhostSettings::ComOk_Click()
{
    if (m_items.isEmpty()) {
        emit closeRequested();
        return;
    }
    LstIPAddress_ItemClick(m_selected < 0 ? 0 : m_selected);
}

// The file holds the address as its only line; an older copy under another letter case goes.
void LocalhostSettings::save()
{
    const QString old = findFile(m_appFolder, FileName);
    if (!old.isEmpty() && old != m_appFolder + FileName)
        QFile::remove(old);
    QSaveFile file(m_appFolder + FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_ipAddress.toLocal8Bit() + "\r\n") < 0 ||
        !file.commit())
        m_messages.show(QStringLiteral("Unable to save ") + m_appFolder + FileName, MsgButtons::Ok,
                        MsgIcon::Exclamation);
}
