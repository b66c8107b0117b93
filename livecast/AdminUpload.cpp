#include "livecast/AdminUpload.h"

#include "document/LiveCastSettings.h"
#include "livecast/FtpListingText.h"
#include "livecast/LiveStatusRecord.h"
#include "livecast/PlayerPage.h"
#include "livecast/WebcastServerSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

AdminUpload::AdminUpload(TransferService& transfers, MessageService& messages,
                         const WebcastServerSettings& settings, const LiveCastSettings& marks,
                         const QString& liveCastFolder, QObject* parent)
    : UploadSequence(transfers, messages, settings, liveCastFolder, parent), m_marks(marks)
{}

QStringList AdminUpload::defaultStatusLines(const LiveCastSettings& marks)
{
    LiveStatusRecord::Values values;
    values.dateTime = QStringLiteral("Dummy file");
    values.slide = QStringLiteral("h");
    values.presenterStageLeft = true;
    values.stretchSlides = marks.StretchMode;
    values.ratio43 = false;
    values.hidePlayerControls = marks.PlayerControls;
    return LiveStatusRecord::lines(values);
}

void AdminUpload::run()
{
    QDir().mkpath(liveCastFolder());
    setStatus(QString());
    setBar(0);
    setPercent(0);
    ftp().dir(settings().WebcastUploadDir, [this](const QString& listing) {
        if (FtpListingText::folderExists(listing, settings().WebcastEventFolder))
            ftp().dir(eventPath() + QLatin1Char('/'),
                      [this](const QString& events) { cleanUp(events); });
        else
            createEventFolder();
    });
}

void AdminUpload::cleanUp(const QString& listing)
{
    m_listing = listing;
    if (cancelled()) {
        closeStep();
        return;
    }
    setStatus(QStringLiteral("Removing....Admin Files"));
    deleteFiles(&m_listing, eventPath() + QLatin1Char('/'), true, [this] {
        setStatus(QString());
        setBar(0);
        removeFolders();
    });
}

void AdminUpload::removeFolders()
{
    if (FtpListingText::hasNoFolders(m_listing)) {
        sendAdminFiles();
        return;
    }
    if (cancelled()) {
        closeStep();
        return;
    }
    m_folder = FtpListingText::firstFolder(m_listing);
    setStatus(QStringLiteral("Removing....") + m_folder);
    const QString folderPath = eventPath() + QLatin1Char('/') + m_folder;
    ftp().dir(folderPath, [this, folderPath](const QString& files) {
        m_folderListing = files;
        deleteFiles(&m_folderListing, folderPath, false, [this, folderPath] {
            ftp().removeDir(folderPath, [this](const QString&) {
                setStatus(QString());
                setBar(0);
                const QString rest = FtpListingText::removeLine(m_listing, m_folder);
                if (rest == m_listing) {
                    // Never the case for a folder the listing named; but never loop on it.
                    sendAdminFiles();
                    return;
                }
                m_listing = rest;
                removeFolders();
            });
        });
    });
}

void AdminUpload::createEventFolder()
{
    ftp().makeDir(eventPath(), [this](const QString&) {
        const QString local = liveCastFolder() + QLatin1Char('/') + StatusFile;
        if (!QFileInfo::exists(local)) {
            // A file that cannot be written is not sent either: the server says so.
            QFile file(local);
            if (file.open(QIODevice::WriteOnly)) {
                for (const QString& line : defaultStatusLines(m_marks))
                    file.write(line.toUtf8() + "\r\n");
            }
        }
        ftp().send(local, eventPath() + QLatin1Char('/') + StatusFile,
                   [this](const QString&) { sendAdminFiles(); });
    });
}

void AdminUpload::sendAdminFiles()
{
    setStatus(QString());
    setBar(0);
    setPercent(0);
    setStatus(QStringLiteral("Uploading - Admin files"));
    sendFolder(liveCastFolder(), eventPath() + QLatin1Char('/'), [this] {
        setStatus(QString());
        setBar(0);
        setPercent(0);
        m_subfolders = QDir(liveCastFolder())
                           .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)
                           .mid(0, MaxFolders);
        createFolders(0);
    });
}

void AdminUpload::createFolders(int index)
{
    if (index >= m_subfolders.size()) {
        sendFolders(0);
        return;
    }
    if (cancelled()) {
        closeStep();
        return;
    }
    const QString& name = m_subfolders.at(index);
    setStatus(QStringLiteral("Creating -") + name);
    ftp().makeDir(eventPath() + QLatin1Char('/') + FtpListingText::blanksToUnderscores(name),
                  [this, index](const QString&) { createFolders(index + 1); });
}

void AdminUpload::sendFolders(int index)
{
    if (index >= m_subfolders.size()) {
        sendPlayer();
        return;
    }
    const QString& name = m_subfolders.at(index);
    setStatus(QString());
    setBar(0);
    setStatus(QStringLiteral("Uploading - ") + name);
    sendFolder(liveCastFolder() + QLatin1Char('/') + name,
               eventPath() + QLatin1Char('/') + FtpListingText::blanksToUnderscores(name) +
                   QLatin1Char('/'),
               [this, index] { sendFolders(index + 1); });
}

void AdminUpload::sendPlayer()
{
    const QString source = PlayerPage::sourceFolder(m_playerSource);
    if (source.isEmpty() || cancelled()) {
        closeStep();
        return;
    }
    setStatus(QString());
    setBar(0);
    setStatus(QStringLiteral("Uploading - ") + PlayerPage::FolderName);
    const QString remote = eventPath() + QLatin1Char('/') + PlayerPage::FolderName;
    ftp().makeDir(remote, [this, source, remote](const QString&) {
        sendFolder(source, remote + QLatin1Char('/'), [this] { closeStep(); });
    });
}
