#include "livecast/LiveCastTransfers.h"

#include "document/EventDocument.h"
#include "document/LiveCastFileNames.h"
#include "livecast/AdminUpload.h"
#include "livecast/LiveCastModes.h"
#include "livecast/ServerVerification.h"
#include "livecast/SpeakerUpload.h"
#include "platform/MessageService.h"

#include <QFileInfo>

std::unique_ptr<AdminUpload> LiveCastTransfers::MnuUploadSlides_Click() const
{
    if (m_parts.modes.mode() == LiveCastModes::Mode::None) {
        m_parts.messages.show(NoModeMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return nullptr;
    }
    auto upload = std::make_unique<AdminUpload>(m_parts.transfers, m_parts.messages, m_parts.server,
                                                m_parts.marks, m_parts.doc.LiveCastFolder);
    upload->setPlayerSource(m_parts.playerSource);
    return upload;
}

std::unique_ptr<SpeakerUpload> LiveCastTransfers::MnuSUpload_Click(int row) const
{
    if (row < 1 || row > m_parts.doc.Speakers.count())
        return nullptr;
    return std::make_unique<SpeakerUpload>(m_parts.transfers, m_parts.messages, m_parts.server,
                                           m_parts.doc.LiveCastFolder,
                                           m_parts.doc.Speakers[size_t(row - 1)].Name);
}

std::unique_ptr<ServerVerification> LiveCastTransfers::MnuVerifyServer_Click() const
{
    ServerVerification::Place place;
    place.localhost = m_parts.modes.mode() == LiveCastModes::Mode::Localhost;
    if (place.localhost)
        place.folder = LiveCastFileNames::localCopyFolder(m_parts.doc.AppFolder);
    return std::make_unique<ServerVerification>(m_parts.transfers, m_parts.messages,
                                                m_parts.exports, m_parts.server,
                                                ServerVerification::Items::of(m_parts.doc), place);
}

QString LiveCastTransfers::speakerFolder(int row) const
{
    if (row < 1 || row > m_parts.doc.Speakers.count() || m_parts.doc.LiveCastFolder.isEmpty())
        return QString();
    return m_parts.doc.LiveCastFolder + QLatin1Char('/') +
           LiveCastFileNames::speakerFolder(m_parts.doc.Speakers[size_t(row - 1)].Name);
}

bool LiveCastTransfers::speakerUploadPossible(int row) const
{
    const QString folder = speakerFolder(row);
    return m_parts.modes.usesWebcastServer() && !folder.isEmpty() && QFileInfo(folder).isDir();
}
