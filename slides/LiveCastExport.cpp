#include "slides/LiveCastExport.h"

#include "document/Event.h"
#include "document/LiveCastFileNames.h"
#include "document/WholePercent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <future>

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
        for (const Speaker& speaker : m_request.speakers.mid(0, MaxSpeakers))
            m_decks << speaker.filePath;
        if (m_request.wholeEvent && !m_request.rollingPath.isEmpty())
            m_decks << m_request.rollingPath;
        runSteps();
        dropAhead();
        return m_result;
    }

private:
    struct Opened
    {
        Document document;
        QString error;
    };

    void runSteps()
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
                return;
        }
        for (const Speaker& speaker : m_request.speakers.mid(0, MaxSpeakers)) {
            if (!exportSpeaker(speaker))
                return;
        }
        if (m_request.wholeEvent && !m_request.rollingPath.isEmpty())
            exportRolling();
    }

    void failed(const QString& error) { m_result.error = error; }

    // Opens a presentation and has the office do its part of the export ahead; on any thread.
    Opened openDeck(const QString& path)
    {
        const auto opened = m_app.open(path, PresentationApp::Visibility::Hidden);
        if (!opened.ok())
            return {nullptr, opened.error()};
        opened.value()->prepareSlideExport();
        return {opened.value(), {}};
    }
    // The next presentation is opened on a thread of its own while this one's pictures are
    // drawn, when the office takes calls from several threads.
    void openAhead(const QString& path)
    {
        if (path.isEmpty() || !m_app.takesCallsFromSeveralThreads() || stopped())
            return;
        m_aheadPath = path;
        m_ahead = std::async(std::launch::async, [this, path] { return openDeck(path); });
    }
    Opened take(const QString& path)
    {
        if (m_ahead.valid() && m_aheadPath == path)
            return m_ahead.get();
        dropAhead();
        return openDeck(path);
    }
    void dropAhead()
    {
        if (!m_ahead.valid())
            return;
        const Opened opened = m_ahead.get();
        if (opened.document)
            opened.document->close();
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
        const Opened opened = take(path);
        openAhead(m_decks.value(++m_deck + 1));
        if (!opened.document) {
            m_result.conversionErrors << path;
            m_control.post([owner = &m_owner, path, error = opened.error] {
                emit owner->conversionFailed(path, error);
            });
            return true;
        }
        const Document document = opened.document;
        if (stopped()) {
            document->close();
            return false;
        }
        const QString folder = m_request.liveCastFolder + QLatin1Char('/') +
                               (subfolder.isEmpty() ? QString() : subfolder + QLatin1Char('/'));
        // Counted for the percentage only; the export itself counts again.
        const int count = document->slideCount().valueOr(0);
        const auto stem = [&](int slide) { return folder + name(slide); };
        const PresentationStatus exported = document->exportAllSlides(
            [&](int slide) { return stem(slide) + QStringLiteral(".jpg"); },
            PresentationDocument::ImageFormat::Jpeg, WidthPx, HeightPx,
            [&](int slide, const PresentationStatus& written) {
                if (count > 0)
                    percent(WholePercent::of(slide, count));
                if (written.ok()) {
                    finishPicture(stem(slide), subfolder);
                } else {
                    m_result.conversionErrors << stem(slide);
                    m_control.post([owner = &m_owner, stem = stem(slide), error = written.error()] {
                        emit owner->conversionFailed(stem, error);
                    });
                }
                return !stopped();
            });
        if (!exported.ok()) {
            m_result.conversionErrors << path;
            m_control.post([owner = &m_owner, path, error = exported.error()] {
                emit owner->conversionFailed(path, error);
            });
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
    QStringList m_decks; // every presentation of the request, in the order exported
    int m_deck = -1;     // the one being exported
    QString m_aheadPath;
    std::future<Opened> m_ahead;
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
