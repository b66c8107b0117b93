#include "platform/libreoffice/LibreOfficeApp.h"

#include "platform/libreoffice/LibreOfficeDocument.h"
#include "platform/libreoffice/LibreOfficeProfile.h"
#include "platform/libreoffice/LibreOfficeSeparateShow.h"
#include "platform/libreoffice/LibreOfficeSession.h"
#include "platform/libreoffice/LibreOfficeWorker.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {

constexpr int kQueryBoundMs = 5000;
// Opening may have to start the office first: seconds with a new profile.
constexpr int kOpenBoundMs = 90000;
// Ending is not waited for by anyone; past this bound the office is killed instead.
constexpr int kQuitBoundMs = 10000;
// Ending what crashed copies left behind waits a few seconds at most for each of them.
constexpr int kCleanUpBoundMs = 30000;

QString defaultProfileFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vesk-stagor/lo-profile");
}

} // namespace

LibreOfficeApp::LibreOfficeApp(const QString& configuredBinary, const QString& profileFolder,
                               Display display)
    : m_profile(std::make_shared<LibreOfficeProfile>(
          profileFolder.isEmpty() ? defaultProfileFolder() : profileFolder))
{
    QString configured = configuredBinary;
    if (configured.isEmpty())
        configured = qEnvironmentVariable("STAGOR_SOFFICE");
    m_binary = findBinary(configured, qEnvironmentVariable("PATH"));
    m_session = std::make_shared<LibreOfficeSession>(m_binary, m_profile->folder(),
                                                     display == Display::Headless);
    // A call that runs out of time has an office that hangs: ending it frees the worker, and
    // the next call starts a fresh one.
    m_worker =
        std::make_shared<LibreOfficeWorker>([weak = std::weak_ptr<LibreOfficeSession>(m_session)] {
            if (auto session = weak.lock())
                session->kill();
        });
    m_worker->post(kCleanUpBoundMs, [profile = m_profile] { profile->removeLeftoverFolders(); });
}

LibreOfficeApp::~LibreOfficeApp()
{
    quit();
    // The profile is given up once the office on it has ended.
    m_worker->post(kQuitBoundMs, [profile = std::move(m_profile)]() mutable { profile.reset(); });
}

QString LibreOfficeApp::findBinary(const QString& configuredBinary, const QString& pathVariable)
{
    auto executable = [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    // A configured path that does not work is not silently replaced by another LibreOffice:
    // the operator asked for that one.
    if (!configuredBinary.isEmpty())
        return executable(configuredBinary) ? QFileInfo(configuredBinary).absoluteFilePath()
                                            : QString();
    const QStringList dirs = pathVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs) {
        const QString candidate = dir + QStringLiteral("/soffice");
        if (executable(candidate))
            return candidate;
    }
    return QString();
}

void LibreOfficeApp::startInBackground()
{
    m_worker->post(kOpenBoundMs, [session = m_session] { session->ensureRunning(); });
}

bool LibreOfficeApp::isRunning()
{
    return m_worker
        ->call<bool>(
            kQueryBoundMs,
            [session = m_session] { return PresentationResult<bool>(session->isRunning()); })
        .valueOr(false);
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::documentFor(const PresentationResult<int>& id, const QString& path, int generation)
{
    if (!id.ok())
        return PresentationResult<std::shared_ptr<PresentationDocument>>::failure(id.error());
    return std::shared_ptr<PresentationDocument>(std::make_shared<LibreOfficeDocument>(
        m_worker, m_session, id.value(), path, m_officeGeneration, generation));
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::open(const QString& path, Visibility visibility)
{
    const bool hidden = visibility == Visibility::Hidden;
    const int generation = m_officeGeneration->load();
    const PresentationResult<int> id = m_worker->call<int>(
        kOpenBoundMs, [session = m_session, path, hidden] { return session->open(path, hidden); });
    return documentFor(id, QFileInfo(path).absoluteFilePath(), generation);
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::buildFromPictures(const QStringList& picturePaths, Visibility visibility)
{
    const bool hidden = visibility == Visibility::Hidden;
    const int generation = m_officeGeneration->load();
    const PresentationResult<int> id =
        m_worker->call<int>(kOpenBoundMs, [session = m_session, picturePaths, hidden] {
            return session->buildFromPictures(picturePaths, hidden);
        });
    return documentFor(id, QString(), generation);
}

PresentationResult<int> LibreOfficeApp::openPresentationCount()
{
    return m_worker->call<int>(kQueryBoundMs,
                               [session = m_session] { return session->openPresentationCount(); });
}

PresentationStatus LibreOfficeApp::closeAll()
{
    return m_worker->call<std::monostate>(kOpenBoundMs,
                                          [session = m_session] { return session->closeAll(); });
}

PresentationStatus LibreOfficeApp::saveAndCloseAll(const QString& untitledFolder)
{
    return m_worker->call<std::monostate>(kOpenBoundMs, [session = m_session, untitledFolder] {
        return session->saveAndCloseAll(untitledFolder);
    });
}

PresentationStatus LibreOfficeApp::quit()
{
    // Whoever still waits for the old office, on whatever thread, is answered now: the setup
    // window comes back at once even from an office that hangs, and the end runs on the worker.
    ++*m_officeGeneration;
    m_worker->abandonCalls(QStringLiteral("The presentation program is being ended"));
    m_worker->post(kQuitBoundMs, [session = m_session] { session->quit(); });
    return presentationOk();
}

void LibreOfficeApp::setShowScreen(const QRect& geometry)
{
    m_session->setShowScreen(geometry);
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::showInOwnProcess(const QString& path)
{
    // Its own office, with a new profile: seconds more than a warm start.
    return LibreOfficeSeparateShow::start(m_binary, path, m_session->showScreen(), kOpenBoundMs);
}

qint64 LibreOfficeApp::officeProcessId() const
{
    return m_session->officePid();
}
