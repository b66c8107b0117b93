#include "livecast/UploadSequence.h"

#include "document/WholePercent.h"
#include "livecast/FtpListingText.h"
#include "livecast/WebcastServerSettings.h"

#include <QDir>

UploadSequence::UploadSequence(TransferService& transfers, MessageService& messages,
                               const WebcastServerSettings& settings, const QString& liveCastFolder,
                               QObject* parent)
    : QObject(parent), m_settings(settings), m_folder(liveCastFolder),
      m_ftp(transfers, messages, settings.ftpAccount())
{
    connect(&m_ftp, &FtpSteps::failed, this, &UploadSequence::end);
}

void UploadSequence::TimUpload_Timer()
{
    if (m_started)
        return;
    m_started = true;
    run();
}

void UploadSequence::ComCancel_Click()
{
    if (!m_cancelEnabled)
        return;
    m_cancelEnabled = false;
    emit changed();
}

QString UploadSequence::eventPath() const
{
    return m_settings.WebcastUploadDir + m_settings.WebcastEventFolder;
}

void UploadSequence::setStatus(const QString& status)
{
    m_status = status;
    emit changed();
}

void UploadSequence::setPercent(int percent)
{
    m_percent = QString::number(percent) + QLatin1Char('%');
    emit changed();
}

void UploadSequence::setBar(int percent)
{
    m_bar = percent;
    emit changed();
}

void UploadSequence::setProgress(int done, int total)
{
    const int percent = WholePercent::of(done, total);
    m_percent = QString::number(percent) + QLatin1Char('%');
    m_bar = percent;
    emit changed();
}

void UploadSequence::deleteFiles(QString* listing, const QString& remoteFolder, bool keepStatus,
                                 std::function<void()> then)
{
    deleteNext(listing, FtpListingText::countFiles(*listing), remoteFolder, keepStatus,
               std::move(then));
}

void UploadSequence::deleteNext(QString* listing, int count, const QString& remoteFolder,
                                bool keepStatus, std::function<void()> then)
{
    while (true) {
        const QString file = FtpListingText::firstFile(*listing);
        const QString rest = FtpListingText::removeLine(*listing, file);
        if (file.isEmpty() || rest == *listing) {
            then();
            return;
        }
        const auto removed = [this, listing, rest, count] {
            *listing = rest;
            setProgress(count - FtpListingText::countFiles(rest), count);
        };
        if (keepStatus && file == StatusFile) {
            removed();
            continue;
        }
        m_ftp.remove(remoteFolder + file, [=, this, then = std::move(then)](const QString&) {
            removed();
            deleteNext(listing, count, remoteFolder, keepStatus, then);
        });
        return;
    }
}

QStringList UploadSequence::filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void UploadSequence::sendFolder(const QString& localFolder, const QString& remoteFolder,
                                std::function<void()> then)
{
    sendNext(localFolder, filesIn(localFolder), 0, remoteFolder, std::move(then));
}

void UploadSequence::sendNext(const QString& localFolder, const QStringList& files, int index,
                              const QString& remoteFolder, std::function<void()> then)
{
    if (index >= files.size()) {
        then();
        return;
    }
    if (cancelled()) {
        closeStep();
        return;
    }
    setProgress(index + 1, int(files.size()));
    const QString& file = files.at(index);
    m_ftp.send(localFolder + QLatin1Char('/') + file, remoteFolder + file,
               [=, this, then = std::move(then)](const QString&) {
                   sendNext(localFolder, files, index + 1, remoteFolder, then);
               });
}

void UploadSequence::closeStep()
{
    m_ftp.close([this](const QString&) { end(); });
}

void UploadSequence::end()
{
    if (m_ended)
        return;
    m_ended = true;
    emit closeRequested();
}
