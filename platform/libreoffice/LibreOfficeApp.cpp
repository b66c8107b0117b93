#include "platform/libreoffice/LibreOfficeApp.h"

#include "platform/libreoffice/LibreOfficeDocument.h"
#include "platform/libreoffice/LibreOfficeFiles.h"
#include "platform/libreoffice/LibreOfficeProfile.h"
#include "platform/libreoffice/LibreOfficeSeparateShow.h"
#include "platform/libreoffice/LibreOfficeSession.h"
#include "platform/libreoffice/LibreOfficeUno.h"

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
    m_session->post(kCleanUpBoundMs, [profile = m_profile](LibreOfficeSession&) {
        profile->removeLeftoverFolders();
    });
}

LibreOfficeApp::~LibreOfficeApp()
{
    quit();
    // The profile is given up once the office on it has ended.
    m_session->post(kQuitBoundMs, [profile = std::move(m_profile)](LibreOfficeSession&) mutable {
        profile.reset();
    });
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
    m_session->startInBackground(kOpenBoundMs);
}

bool LibreOfficeApp::isRunning()
{
    return m_session->isRunning(kQueryBoundMs);
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::documentFor(const PresentationResult<int>& id, const QString& path, int generation)
{
    if (!id.ok())
        return PresentationResult<std::shared_ptr<PresentationDocument>>::failure(id.error());
    return std::shared_ptr<PresentationDocument>(
        std::make_shared<LibreOfficeDocument>(m_session, id.value(), path, generation));
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::open(const QString& path, Visibility visibility)
{
    const bool hidden = visibility == Visibility::Hidden;
    const auto load = [this, path, hidden] {
        return m_session->run<int>(kOpenBoundMs, [path, hidden](LibreOfficeSession& session) {
            return LibreOfficeFiles(session).open(path, hidden);
        });
    };
    int generation = m_session->generation();
    PresentationResult<int> id = load();
    // LibreOffice 7.4's GTK front end can abort while it still tears down a document closed a
    // moment before, and the load under way goes down with it. A fresh office gets one more
    // try; a file that brings the office down itself fails again.
    if (!id.ok() && id.error() == LibreOfficeSession::DiedMessage) {
        qCWarning(lcLibreOffice, "the office stopped while opening %s; trying a fresh one",
                  qPrintable(path));
        generation = m_session->generation();
        id = load();
    }
    return documentFor(id, QFileInfo(path).absoluteFilePath(), generation);
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeApp::buildFromPictures(const QStringList& picturePaths, Visibility visibility,
                                  PictureFit fit)
{
    const bool hidden = visibility == Visibility::Hidden;
    const int generation = m_session->generation();
    const PresentationResult<int> id =
        m_session->run<int>(kOpenBoundMs, [picturePaths, hidden, fit](LibreOfficeSession& session) {
            return LibreOfficeFiles(session).buildFromPictures(picturePaths, hidden, fit);
        });
    return documentFor(id, QString(), generation);
}

PresentationResult<int> LibreOfficeApp::openPresentationCount()
{
    return m_session->run<int>(kQueryBoundMs, [](LibreOfficeSession& session) {
        return LibreOfficeFiles(session).openPresentationCount();
    });
}

PresentationStatus LibreOfficeApp::closeAll()
{
    return m_session->run<std::monostate>(kOpenBoundMs, [](LibreOfficeSession& session) {
        return LibreOfficeFiles(session).closeAll();
    });
}

PresentationStatus LibreOfficeApp::saveAndCloseAll(const QString& untitledFolder)
{
    return m_session->run<std::monostate>(
        kOpenBoundMs, [untitledFolder](LibreOfficeSession& session) {
            return LibreOfficeFiles(session).saveAndCloseAll(untitledFolder);
        });
}

PresentationStatus LibreOfficeApp::quit()
{
    m_session->quit();
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
