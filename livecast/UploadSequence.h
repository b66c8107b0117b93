#pragma once

#include "livecast/FtpSteps.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class MessageService;
class TransferService;
class WebcastServerSettings;

// What the two upload windows share without their widgets: the status line, the percentage and
// the bar they show, the Cancel button, and the FTP commands of the whole upload on one
// control connection. The window starts TimUpload when it shows and calls TimUpload_Timer on
// its tick, ComCancel_Click on a click, and closes on closeRequested(). Every command is
// awaited through callbacks, so the window keeps painting and Cancel works while one runs.
//
// Cancel only disables itself; the sequence sees it at its next check and goes to its closing
// step ("CLOSE"). A command that fails shows its error and ends the upload without one.
class UploadSequence : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimUploadIntervalMs = 100;
    static inline const QString StatusFile = QStringLiteral("status.inf");

    // Everything passed in must outlive the sequence; liveCastFolder without a trailing "/".
    UploadSequence(TransferService& transfers, MessageService& messages,
                   const WebcastServerSettings& settings, const QString& liveCastFolder,
                   QObject* parent = nullptr);

    // The first tick runs the upload; later ticks do nothing.
    void TimUpload_Timer();
    void ComCancel_Click();

    const QString& LabStatus() const { return m_status; }
    const QString& labPercent() const { return m_percent; }
    // The bar's width in hundredths of PicPercent's.
    int barPercent() const { return m_bar; }
    bool ComCancelEnabled() const { return m_cancelEnabled; }
    // From the first tick until the window is asked to close.
    bool running() const { return m_started && !m_ended; }

signals:
    void changed();
    void closeRequested();

protected:
    virtual void run() = 0;

    bool cancelled() const { return !m_cancelEnabled; }
    // The event's folder on the server: the upload folder followed directly by the event folder.
    QString eventPath() const;
    const WebcastServerSettings& settings() const { return m_settings; }
    const QString& liveCastFolder() const { return m_folder; }
    FtpSteps& ftp() { return m_ftp; }

    void setStatus(const QString& status);
    void setPercent(int percent);
    void setBar(int percent);
    // "The whole part of done / total * 100" and "%", and the bar likewise.
    void setProgress(int done, int total);

    // Deletes every file of *listing from remoteFolder (ending in "/") but creator.INI, and
    // status.inf too when keepStatus; each file's line leaves *listing as it goes, and the
    // percentage follows the files left. then() once none is left.
    void deleteFiles(QString* listing, const QString& remoteFolder, bool keepStatus,
                     std::function<void()> then);
    // Sends each file of localFolder (plain files, by name) to remoteFolder (ending in "/"),
    // checking for Cancel before each one. then() after the last; on Cancel the closing step.
    void sendFolder(const QString& localFolder, const QString& remoteFolder,
                    std::function<void()> then);
    // "CLOSE", and the window closes.
    void closeStep();

    static QStringList filesIn(const QString& folder);

private:
    void deleteNext(QString* listing, int count, const QString& remoteFolder, bool keepStatus,
                    std::function<void()> then);
    void sendNext(const QString& localFolder, const QStringList& files, int index,
                  const QString& remoteFolder, std::function<void()> then);
    void end();

    const WebcastServerSettings& m_settings;
    const QString m_folder;
    FtpSteps m_ftp;
    QString m_status;
    QString m_percent = QStringLiteral("0%");
    int m_bar = 0;
    bool m_cancelEnabled = true;
    bool m_started = false;
    bool m_ended = false;
};
