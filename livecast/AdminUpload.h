#pragma once

#include "livecast/UploadSequence.h"

class LiveCastSettings;

// "Upload Slides": the LiveCast folder's files (holding slide, pop-ups, rolling slides,
// "status.inf") go into the event's folder on the webcast server, each subfolder into a folder
// of the same name with blanks turned to "_". A previous upload is cleaned away first, all but
// "status.inf" and "creator.INI"; a first upload creates the event's folder and sends the
// status record before anything else, writing the default one when the LiveCast folder has
// none. At most MaxFolders subfolders are taken. The audience's web page goes last, into the
// event's folder "player".
class AdminUpload : public UploadSequence
{
    Q_OBJECT

public:
    static constexpr int MaxFolders = 51;

    // marks: the LiveCast menu's check marks, for a default status record. Everything passed in
    // must outlive the upload.
    AdminUpload(TransferService& transfers, MessageService& messages,
                const WebcastServerSettings& settings, const LiveCastSettings& marks,
                const QString& liveCastFolder, QObject* parent = nullptr);

    // Where the audience's web page is installed (see PlayerPage): it goes into the event's
    // folder "player" after everything else. Empty: no page is sent.
    void setPlayerSource(const QString& webFolder) { m_playerSource = webFolder; }

    // The ten lines of a status record for a player that has seen nothing yet.
    static QStringList defaultStatusLines(const LiveCastSettings& marks);

protected:
    void run() override;

private:
    void cleanUp(const QString& listing);
    void removeFolders();
    void createEventFolder();
    void sendAdminFiles();
    void createFolders(int index);
    void sendFolders(int index);
    void sendPlayer();

    const LiveCastSettings& m_marks;
    QString m_listing;       // the event folder's, worked off
    QString m_folder;        // the one being removed, with its "/"
    QString m_folderListing; // its files, worked off
    QStringList m_subfolders;
    QString m_playerSource;
};
