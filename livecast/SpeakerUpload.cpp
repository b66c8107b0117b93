#include "livecast/SpeakerUpload.h"

#include "livecast/FtpListingText.h"
#include "livecast/WebcastServerSettings.h"

#include <QDir>

SpeakerUpload::SpeakerUpload(TransferService& transfers, MessageService& messages,
                             const WebcastServerSettings& settings, const QString& liveCastFolder,
                             const QString& speakerName, QObject* parent)
    : UploadSequence(transfers, messages, settings, liveCastFolder, parent), m_name(speakerName),
      m_folder(FtpListingText::blanksToUnderscores(speakerName))
{
    setStatus(QStringLiteral("Upload Server : ") + settings.WebcastServerName);
}

void SpeakerUpload::run()
{
    QDir().mkpath(liveCastFolder());
    setStatus(QString());
    setPercent(0);
    ftp().dir(settings().WebcastUploadDir, [this](const QString& listing) {
        if (FtpListingText::folderExists(listing, settings().WebcastEventFolder))
            replaceFolder();
        else
            ftp().makeDir(eventPath(), [this](const QString&) { replaceFolder(); });
    });
}

void SpeakerUpload::replaceFolder()
{
    ftp().dir(eventPath() + QLatin1Char('/'), [this](const QString& listing) {
        if (!FtpListingText::folderExists(listing, m_folder)) {
            createFolder();
            return;
        }
        if (cancelled()) {
            closeStep();
            return;
        }
        setStatus(QStringLiteral("Removing....") + m_folder);
        const QString folderPath = eventPath() + QLatin1Char('/') + m_folder;
        ftp().dir(folderPath + QLatin1Char('/'), [this, folderPath](const QString& files) {
            m_listing = files;
            deleteFiles(&m_listing, folderPath + QLatin1Char('/'), false, [this, folderPath] {
                ftp().removeDir(folderPath, [this](const QString&) {
                    setStatus(QString());
                    createFolder();
                });
            });
        });
    });
}

void SpeakerUpload::createFolder()
{
    setStatus(QString());
    setPercent(0);
    setStatus(QStringLiteral("Creating - ") + m_name);
    const QString folderPath = eventPath() + QLatin1Char('/') + m_folder;
    ftp().makeDir(folderPath, [this, folderPath](const QString&) {
        sendFolder(liveCastFolder() + QLatin1Char('/') + m_folder, folderPath + QLatin1Char('/'),
                   [this] { closeStep(); });
    });
}
