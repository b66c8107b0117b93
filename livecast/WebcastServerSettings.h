#pragma once

#include "platform/FtpAccount.h"

#include <QString>

// The webcast server this installation uploads to and the encoder settings that go with it,
// as the web service (or the connect server) last named them. They stay for the rest of the
// run, also after the mode is switched off; nothing of them is saved.
class WebcastServerSettings
{
public:
    QString WebcastFtpUrl; // "ftp://" + server
    QString WebcastServerName;
    QString WebcastUserName;
    QString WebcastPassword;
    QString WebcastUploadDir; // empty, or "/" + folder
    QString WebcastEventFolder;
    QString EncoderFmsUrl;
    QString EncoderStreamName;

    // The event's folder on the server: the product identifier's first six characters, "VKT"
    // and its last three.
    static QString eventFolderFor(const QString& productId);
    // Every value from an answer whose test code was "OK".
    void fillFrom(const QString& answer, const QString& productId);

    FtpAccount ftpAccount() const { return {WebcastFtpUrl, WebcastUserName, WebcastPassword}; }
    // Where a file of the event goes: the upload folder, the event folder, "/" and the name.
    QString remotePath(const QString& fileName) const
    {
        return WebcastUploadDir + WebcastEventFolder + QLatin1Char('/') + fileName;
    }
};
