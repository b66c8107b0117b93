#include "slides/LiveCastExport.h"

#include "document/Event.h"
#include "document/LiveCastFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using Document = std::shared_ptr<PresentationDocument>;
using N = LiveCastFileNames;

// One export on the job runner's thread. It touches nothing of the LiveCastExport but what it
// posts back.
class LiveCastExport::Work
{
public:
    Work(LiveCastExport& owner, PresentationApp& app, const Request& request,
         const JobRunner::Control& control)
        : m_owner(owner), m_app(app), m_request(request), m_control(control)
    {
        m_result.timeCode = N::timeCode(request.startedAt);
    }

    Result run()
    {
        const QString folder = m_request.liveCastFolder;
        // The export empties this folder: never a root or a relative path.
        if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || QDir(folder).isRoot())
            return failed(QStringLiteral("The LiveCast folder is not set"));
        if (!QDir().mkpath(folder))
            return failed(QStringLiteral("Could not create the folder ") + folder);
        if (m_request.wholeEvent) {
            emptyFolder(folder);
            if (!m_request.localCopyFolder.isEmpty()) {
                QDir(m_request.localCopyFolder).removeRecursively();
                QDir().mkpath(m_request.localCopyFolder);
            }
            if (!exportPictures())
                return m_result;
        }
        for (const Speaker& speaker : m_request.speakers.mid(0, MaxSpeakers)) {
            if (!exportSpeaker(speaker))
                return m_result;
        }
        if (m_request.wholeEvent && !m_request.rollingPath.isEmpty())
            exportRolling();
        return m_result;
    }

private:
    Result failed(const QString& error)
    {
        m_result.error = error;
        return m_result;
    }
    bool stopped()
    {
        if (m_control.stopRequested())
            m_result.cancelled = true;
        return m_result.cancelled;
    }
    void status(const QString& text)
    {
        m_control.post([owner = &m_owner, text] { emit owner->statusChanged(text); });
    }
    void percent(int value)
    {
        m_control.postLatest([owner = &m_owner, value] { emit owner->percentChanged(value); });
    }

    static void emptyFolder(const QString& folder)
    {
        const QDir dir(folder);
        for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot)) {
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.absoluteFilePath()).removeRecursively();
            else
                QFile::remove(entry.absoluteFilePath());
        }
    }

    // stem + ".swf" beside stem + ".jpg", then both into the local copy's subfolder.
    void finishPicture(const QString& stem, const QString& subfolder)
    {
        QString error;
        if (!m_owner.m_converter(stem, &error)) {
            m_result.conversionErrors << stem;
            m_control.post(
                [owner = &m_owner, stem, error] { emit owner->conversionFailed(stem, error); });
        }
        if (m_request.localCopyFolder.isEmpty())
            return;
        const QString target = subfolder.isEmpty()
                                   ? m_request.localCopyFolder
                                   : m_request.localCopyFolder + QLatin1Char('/') + subfolder;
        for (const char* extension : {".jpg", ".swf"}) {
            const QString source = stem + QLatin1String(extension);
            const QString copy = target + QLatin1Char('/') + QFileInfo(source).fileName();
            if (!QFileInfo::exists(source))
                continue;
            QFile::remove(copy);
            if (QFile::copy(source, copy))
                QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
        }
    }

    // The holding slide and the pop-ups: each picture is placed on a slide of its own, filling
    // it, and the slide is exported as the picture's JPEG.
    bool exportPictures()
    {
        struct Item
        {
            QString label;
            QString stem;
            QImage picture;
            bool holding;
        };
        QList<Item> items;
        const QString folder = m_request.liveCastFolder + QLatin1Char('/');
        const QString& t = m_result.timeCode;
        if (m_request.holding && !m_request.holding->isNull())
            items.append(
                {QStringLiteral("Holding"), folder + N::holding(t), *m_request.holding, true});
        for (const PopUp& popUp : m_request.popUps) {
            if (!popUp.picture.isNull())
                items.append({QStringLiteral("PopUp") + Event::popUpNumber(popUp.slot),
                              folder + N::popUp(popUp.slot, t), popUp.picture, false});
        }
        if (items.isEmpty())
            return true;

        QStringList saved;
        for (const Item& item : items) {
            const QString jpg = item.stem + QStringLiteral(".jpg");
            if (!item.picture.save(jpg, "JPEG", 90)) {
                m_result.error = QStringLiteral("Could not write ") + jpg;
                return false;
            }
            saved << jpg;
            if (item.holding)
                m_result.holding = true;
            else
                m_result.popUps = true;
        }
        status(groupStatus(items.first().label));
        percent(33);
        const auto built = m_app.buildFromPictures(saved, PresentationApp::Visibility::Hidden,
                                                   PresentationApp::PictureFit::Fill);
        if (!built.ok()) {
            m_result.error = built.error();
            return false;
        }
        const Document slides = built.value();
        for (int i = 0; i < items.size(); ++i) {
            if (stopped())
                break;
            if (i > 0)
                status(groupStatus(items[i].label));
            percent(33);
            const PresentationStatus exported = slides->exportSlide(
                i + 1, saved[i], PresentationDocument::ImageFormat::Jpeg, WidthPx, HeightPx);
            if (!exported.ok()) {
                slides->close();
                m_result.error = exported.error();
                return false;
            }
            percent(66);
            finishPicture(items[i].stem, QString());
            percent(100);
        }
        slides->close();
        return !m_result.cancelled;
    }

    // Every slide of the presentation at path, named by name(slide), into the LiveCast folder's
    // subfolder (empty: the folder itself).
    bool exportSlides(const QString& path, const QString& subfolder,
                      const std::function<QString(int)>& name)
    {
        if (stopped())
            return false;
        const auto opened = m_app.open(path, PresentationApp::Visibility::Hidden);
        if (!opened.ok()) {
            m_result.conversionErrors << path;
            m_control.post([owner = &m_owner, path, error = opened.error()] {
                emit owner->conversionFailed(path, error);
            });
            return true;
        }
        const Document document = opened.value();
        const PresentationResult<int> count = document->slideCount();
        const QString folder = m_request.liveCastFolder + QLatin1Char('/') +
                               (subfolder.isEmpty() ? QString() : subfolder + QLatin1Char('/'));
        for (int slide = 1; count.ok() && slide <= count.value(); ++slide) {
            if (stopped())
                break;
            percent(int(qint64(slide) * 100 / count.value()));
            const QString stem = folder + name(slide);
            const PresentationStatus exported =
                document->exportSlide(slide, stem + QStringLiteral(".jpg"),
                                      PresentationDocument::ImageFormat::Jpeg, WidthPx, HeightPx);
            if (!exported.ok()) {
                m_result.conversionErrors << stem;
                m_control.post([owner = &m_owner, stem, error = exported.error()] {
                    emit owner->conversionFailed(stem, error);
                });
                continue;
            }
            finishPicture(stem, subfolder);
        }
        document->close();
        percent(0);
        return !m_result.cancelled;
    }

    bool exportSpeaker(const Speaker& speaker)
    {
        if (stopped())
            return false;
        const QString subfolder = N::speakerFolder(speaker.name);
        const QString folder = m_request.liveCastFolder + QLatin1Char('/') + subfolder;
        const QString local = m_request.localCopyFolder.isEmpty()
                                  ? QString()
                                  : m_request.localCopyFolder + QLatin1Char('/') + subfolder;
        if (!m_request.wholeEvent) {
            QDir(folder).removeRecursively();
            if (!local.isEmpty())
                QDir(local).removeRecursively();
        }
        m_result.speakers << speaker.index;
        status(groupStatus(speaker.name));
        QDir().mkpath(folder);
        if (!local.isEmpty())
            QDir().mkpath(local);
        const QString& t = m_result.timeCode;
        return exportSlides(speaker.filePath, subfolder,
                            [&t](int slide) { return N::speakerSlide(slide, t); });
    }

    void exportRolling()
    {
        if (stopped())
            return;
        status(groupStatus(QStringLiteral("Rolling Presentation")));
        m_result.rolling = true;
        const QString& t = m_result.timeCode;
        exportSlides(m_request.rollingPath, QString(),
                     [&t](int slide) { return N::rolling(slide, t); });
    }

    LiveCastExport& m_owner;
    PresentationApp& m_app;
    const Request& m_request;
    const JobRunner::Control& m_control;
    Result m_result;
};

LiveCastExport::LiveCastExport(PresentationApp& app, FlashConverter converter, QObject* parent)
    : QObject(parent), m_app(app), m_converter(std::move(converter))
{
    qRegisterMetaType<LiveCastExport::Result>();
}

LiveCastExport::~LiveCastExport() = default;

bool LiveCastExport::start(const Request& request)
{
    if (isBusy())
        return false;
    m_jobs.start<Result>(
        [this, request](const JobRunner::Control& control) {
            return Work(*this, m_app, request, control).run();
        },
        [this](Result result) { emit finished(result); });
    return true;
}
