#pragma once

#include "livecast/UploadSequence.h"

// "Upload" of one speaker: the speaker's folder of the LiveCast folder replaces the folder of
// the same name in the event's folder on the webcast server (creating the event's folder when
// it is missing). The folder name is the speaker's name with blanks turned to "_".
class SpeakerUpload : public UploadSequence
{
    Q_OBJECT

public:
    // Everything passed in must outlive the upload. The status names the server at once.
    SpeakerUpload(TransferService& transfers, MessageService& messages,
                  const WebcastServerSettings& settings, const QString& liveCastFolder,
                  const QString& speakerName, QObject* parent = nullptr);

protected:
    void run() override;

private:
    void replaceFolder();
    void createFolder();

    const QString m_name;
    const QString m_folder;
    QString m_listing;
};
