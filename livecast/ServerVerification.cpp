#include "livecast/ServerVerification.h"

#include "document/Event.h"
#include "document/LiveCastFileNames.h"
#include "livecast/FtpListingText.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/PresentationApp.h"

#include <QDir>
#include <QFileInfo>

ServerVerification::Items ServerVerification::Items::of(const Event& event)
{
    Items items;
    items.holdingShown = event.hasHoldingSlide();
    items.HoldingTimeCode = event.HoldingTimeCode;
    for (size_t slot = 0; slot < event.PopUps.size(); ++slot)
        items.popUpShown[slot] = event.PopUps[slot].isUsed();
    items.PopUpsTimeCode = event.PopUpsTimeCode;
    items.QuickLaunchFile = event.QuickLaunchFile;
    items.QuickLaunchTimeCode = event.QuickLaunchTimeCode;
    for (const SpeakerRecord& speaker : event.Speakers)
        items.speakers.append(speaker);
    return items;
}

ServerVerification::ServerVerification(TransferService& transfers, MessageService& messages,
                                       PresentationApp& exports,
                                       const WebcastServerSettings& settings, Items items,
                                       Place place, QObject* parent)
    : QObject(parent), m_exports(exports), m_settings(settings), m_items(std::move(items)),
      m_place(std::move(place)), m_ftp(transfers, messages, settings.ftpAccount())
{
    connect(&m_ftp, &FtpSteps::failed, this, &ServerVerification::end);
}

namespace {

// The player reads the Flash files.
QString flash(const QString& name)
{
    return name + QStringLiteral(".swf");
}

} // namespace

void ServerVerification::TimDelay_Timer()
{
    m_frame = (m_frame + 1) % AnimationFrames;
    emit frameChanged(m_frame);
}

void ServerVerification::ComCancel_Click()
{
    if (m_caption != QLatin1String("Cancel")) {
        end();
        return;
    }
    if (!m_cancelEnabled)
        return;
    m_cancelEnabled = false;
    emit changed();
}

bool ServerVerification::cancelled() const
{
    return m_caption == QLatin1String("Cancel") && !m_cancelEnabled;
}

bool ServerVerification::closedOnCancel()
{
    if (!cancelled())
        return false;
    end();
    return true;
}

QString ServerVerification::eventPath() const
{
    return m_settings.WebcastUploadDir + m_settings.WebcastEventFolder;
}

bool ServerVerification::exists(const QString& listing, const QString& folder,
                                const QString& name) const
{
    if (!m_place.localhost)
        return FtpListingText::fileExists(listing, name) == QLatin1String("True");
    return !folder.isEmpty() && QFileInfo::exists(folder + QLatin1Char('/') + name);
}

void ServerVerification::setStatus(const QString& status)
{
    m_status = status;
    emit changed();
}

void ServerVerification::timVerify_Timer()
{
    if (m_started)
        return;
    m_started = true;
    if (m_place.localhost) {
        if (!m_place.folder.isEmpty())
            QDir().mkpath(m_place.folder);
        checkAdminFiles();
        return;
    }
    const auto listEvent = [this] {
        m_ftp.dir(eventPath() + QLatin1Char('/'), [this](const QString& listing) {
            m_listing = listing;
            if (!closedOnCancel())
                checkAdminFiles();
        });
    };
    m_ftp.dir(m_settings.WebcastUploadDir, [this, listEvent](const QString& listing) {
        if (FtpListingText::folderExists(listing, m_settings.WebcastEventFolder))
            listEvent();
        else
            m_ftp.makeDir(eventPath(), [listEvent](const QString&) { listEvent(); });
    });
}

void ServerVerification::checkAdminFiles()
{
    setStatus(QStringLiteral("Verifying Admin Files...."));
    if (m_items.holdingShown &&
        !exists(m_listing, m_place.folder,
                flash(LiveCastFileNames::holding(m_items.HoldingTimeCode)))) {
        m_list << HoldingMissing;
        emit changed();
    }
    if (closedOnCancel())
        return;
    for (int slot = 0; slot < int(m_items.popUpShown.size()); ++slot) {
        if (m_items.popUpShown[size_t(slot)] &&
            !exists(m_listing, m_place.folder,
                    flash(LiveCastFileNames::popUp(slot, m_items.PopUpsTimeCode)))) {
            m_list << PopUpsMissing;
            emit changed();
            break;
        }
    }
    if (closedOnCancel())
        return;
    checkRolling();
}

void ServerVerification::checkRolling()
{
    const auto speakers = [this] {
        if (!closedOnCancel())
            checkSpeaker(0);
    };
    if (m_items.QuickLaunchFile.isEmpty()) {
        speakers();
        return;
    }
    countSlides(m_items.QuickLaunchFile, [this, speakers](int slides) {
        for (int slide = 1; slide <= slides; ++slide) {
            if (!exists(m_listing, m_place.folder,
                        flash(LiveCastFileNames::rolling(slide, m_items.QuickLaunchTimeCode)))) {
                m_list << RollingMissing;
                emit changed();
                break;
            }
        }
        speakers();
    });
}

void ServerVerification::checkSpeaker(int index)
{
    if (index >= std::min(int(m_items.speakers.size()), MaxSpeakers)) {
        finish();
        return;
    }
    const SpeakerRecord& speaker = m_items.speakers.at(index);
    setStatus(QStringLiteral("Verfying ") + speaker.Name);
    const auto next = [this, index](const QString& line) {
        if (!line.isEmpty()) {
            m_list << line;
            emit changed();
        }
        if (!closedOnCancel())
            checkSpeaker(index + 1);
    };
    const QString folderName = LiveCastFileNames::speakerFolder(speaker.Name);
    const QString localFolder =
        m_place.folder.isEmpty() ? QString() : m_place.folder + QLatin1Char('/') + folderName;
    const bool uploaded = m_place.localhost
                              ? !localFolder.isEmpty() && QFileInfo(localFolder).isDir()
                              : FtpListingText::folderExists(m_listing, folderName);
    if (!uploaded) {
        next(speaker.Name + Missing);
        return;
    }
    // Each slide of the presentation as it is now must be there under the last export's name.
    const auto compare = [this, speaker, localFolder, next](const QString& listing) {
        countSlides(speaker.FilePath, [this, speaker, localFolder, listing, next](int slides) {
            for (int slide = 1; slide <= slides; ++slide) {
                if (!exists(listing, localFolder,
                            flash(LiveCastFileNames::speakerSlide(slide, speaker.TimeCode)))) {
                    next(speaker.Name + OutDated);
                    return;
                }
            }
            next(QString());
        });
    };
    if (m_place.localhost)
        compare(QString());
    else
        m_ftp.dir(eventPath() + QLatin1Char('/') + folderName + QLatin1Char('/'), compare);
}

void ServerVerification::countSlides(const QString& path, std::function<void(int)> then)
{
    // A presentation the program cannot open (gone, or no presentation at all, as a Flash
    // Quick Launch file) has nothing to compare: its slides are not reported.
    m_jobs.start<int>(
        [&app = m_exports, path](const JobRunner::Control&) {
            const auto opened = app.open(path, PresentationApp::Visibility::Hidden);
            if (!opened.ok())
                return -1;
            const std::shared_ptr<PresentationDocument> document = opened.value();
            const PresentationResult<int> count = document->slideCount();
            document->close();
            return count.ok() ? count.value() : -1;
        },
        [this, then = std::move(then)](int slides) {
            if (!m_ended)
                then(slides);
        });
}

void ServerVerification::finish()
{
    if (m_list.isEmpty()) {
        setStatus(QString());
        end();
        return;
    }
    m_reported = true;
    m_caption = QStringLiteral("Ok");
    m_cancelEnabled = true;
    setStatus(ErrorsReported);
}

void ServerVerification::end()
{
    if (m_ended)
        return;
    m_ended = true;
    emit closeRequested();
}
