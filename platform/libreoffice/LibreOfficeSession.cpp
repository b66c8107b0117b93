#include "platform/libreoffice/LibreOfficeSession.h"

#include "platform/libreoffice/LibreOfficeConnection.h"
#include "platform/libreoffice/LibreOfficeProcess.h"
#include "platform/libreoffice/LibreOfficeUno.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

using namespace css;
using namespace LibreOfficeUno;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace {

constexpr int kConnectBoundMs = 40000;
// Ending is not waited for by anyone; past this bound the office is killed instead.
constexpr int kQuitBoundMs = 10000;

} // namespace

LibreOfficeSession::LibreOfficeSession(QString binary, QString profileFolder, bool headless)
    : m_binary(std::move(binary)), m_profileFolder(std::move(profileFolder)), m_headless(headless),
      m_connection(std::make_unique<LibreOfficeConnection>()),
      // Work that runs out of time has an office that hangs: ending it frees the worker, and
      // the next work starts a fresh one.
      m_worker(std::make_unique<LibreOfficeWorker>([this] { kill(); }))
{}

LibreOfficeSession::~LibreOfficeSession()
{
    m_worker.reset();
    // Proxies of a dead bridge must be released before the process object goes.
    m_connection.reset();
    m_process.reset();
}

void LibreOfficeSession::post(int boundMs, std::function<void(LibreOfficeSession&)> work)
{
    m_worker->post(boundMs, [this, work = std::move(work)] { work(*this); });
}

void LibreOfficeSession::startInBackground(int boundMs)
{
    post(boundMs, [](LibreOfficeSession& session) { session.ensureRunning(); });
}

bool LibreOfficeSession::isRunning(int boundMs)
{
    return run<bool>(boundMs,
                     [](LibreOfficeSession& session) {
                         return PresentationResult<bool>(session.isConnected());
                     })
        .valueOr(false);
}

void LibreOfficeSession::quit()
{
    // Whoever still waits for the old office, on whatever thread, is answered now: the setup
    // window comes back at once even from an office that hangs, and the end runs on the worker.
    ++m_generation;
    m_worker->abandonCalls(QStringLiteral("The presentation program is being ended"));
    post(kQuitBoundMs, [](LibreOfficeSession& session) { session.endOffice(); });
}

void LibreOfficeSession::kill()
{
    std::lock_guard lock(m_processMutex);
    if (m_process)
        m_process->kill();
}

pid_t LibreOfficeSession::officePid() const
{
    std::lock_guard lock(m_processMutex);
    return m_process ? m_process->officePid() : 0;
}

void LibreOfficeSession::setShowScreen(const QRect& geometry)
{
    std::lock_guard lock(m_processMutex);
    m_showScreen = geometry;
}

QRect LibreOfficeSession::showScreen() const
{
    std::lock_guard lock(m_processMutex);
    return m_showScreen;
}

QString LibreOfficeSession::closedWithOfficeError()
{
    return QStringLiteral("The presentation was closed with the presentation program");
}

QString LibreOfficeSession::notOpenError()
{
    return QStringLiteral("The presentation is not open");
}

LibreOfficeOpenDocument* LibreOfficeSession::openDocument(int id)
{
    return m_connection->find(id);
}

// With two screens the office would put its Presenter Console on the one the show leaves free,
// which is the operator's.
void LibreOfficeSession::keepPresenterConsoleOff()
{
    try {
        const Reference<lang::XMultiServiceFactory> provider =
            configuration::theDefaultProvider::get(m_connection->remote);
        const Any node(
            property("nodepath", Any(OUString("/org.openoffice.Office.Impress/Misc/Start"))));
        const Reference<beans::XPropertySet> start(
            provider->createInstanceWithArguments(
                "com.sun.star.configuration.ConfigurationUpdateAccess", Sequence<Any>(&node, 1)),
            UNO_QUERY_THROW);
        start->setPropertyValue("EnablePresenterScreen", Any(false));
        Reference<util::XChangesBatch>(start, UNO_QUERY_THROW)->commitChanges();
    } catch (const uno::Exception& e) {
        qCWarning(lcLibreOffice, "could not switch the Presenter Console off: %s",
                  qPrintable(fromUno(e.Message)));
    }
}

void LibreOfficeSession::forgetConnection()
{
    m_connection->forgetOffice();
}

// All work passes through here: exceptions become error texts, and a dead bridge drops the
// connection so that the next work that needs the program starts a new one.
std::optional<QString> LibreOfficeSession::guarded(const std::function<void()>& body)
{
    const QString& died = DiedMessage;
    try {
        body();
        return std::nullopt;
    } catch (const lang::DisposedException& e) {
        // Also thrown by a document that was closed behind our back; only a bridge that no
        // longer answers means the program is gone.
        bool bridgeAlive = false;
        try {
            bridgeAlive = m_connection->desktop.is() && m_connection->desktop->getFrames().is();
        } catch (const uno::Exception&) {
        }
        if (!bridgeAlive) {
            forgetConnection();
            return died;
        }
        return fromUno(e.Message);
    } catch (const uno::Exception& e) {
        if (!isConnected())
            return died;
        return fromUno(e.Message).isEmpty()
                   ? QStringLiteral("The presentation program refused the call")
                   : fromUno(e.Message);
    }
}

bool LibreOfficeSession::isConnected()
{
    if (!m_connection->desktop.is())
        return false;
    // Only this thread replaces m_process, so reading it needs no lock here.
    if (!m_process || !m_process->isAlive()) {
        forgetConnection();
        return false;
    }
    try {
        m_connection->desktop->getFrames();
        return true;
    } catch (const uno::Exception&) {
        forgetConnection();
        return false;
    }
}

PresentationStatus LibreOfficeSession::ensureRunning()
{
    const auto fail = [](const QString& error) { return PresentationStatus::failure(error); };
    if (isConnected())
        return presentationOk();
    if (m_binary.isEmpty())
        return fail(QStringLiteral("The presentation program is not installed"));

    // Pipe names are unique per start across every session of this process.
    static std::atomic<int> starts = 0;
    auto process = std::make_unique<LibreOfficeProcess>(
        m_binary, m_profileFolder,
        QStringLiteral("vesk-stagor-%1-%2").arg(QCoreApplication::applicationPid()).arg(++starts),
        m_headless);
    QElapsedTimer startTimer;
    startTimer.start();
    QString error;
    std::unique_ptr<LibreOfficeProcess> previous;
    {
        std::lock_guard lock(m_processMutex);
        previous = std::move(m_process);
    }
    previous.reset();
    if (!process->start(&error))
        return fail(error);
    {
        std::lock_guard lock(m_processMutex);
        m_process = std::move(process);
    }

    try {
        if (!m_connection->local.is()) {
            // Without it the first remote call crashes; the user's own office setup must not
            // be involved either, so no cppu::bootstrap().
            rtl::Bootstrap::set("URE_BOOTSTRAP",
                                "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc");
            m_connection->local = cppu::defaultBootstrap_InitialComponentContext();
        }
        const Reference<bridge::XUnoUrlResolver> resolver =
            bridge::UnoUrlResolver::create(m_connection->local);
        const OUString url = toUno(m_process->connectUrl());
        QElapsedTimer timer;
        timer.start();
        Reference<uno::XInterface> remote;
        // The pipe appears seconds after the launch (more with a new profile).
        while (!remote.is()) {
            try {
                remote = resolver->resolve(url);
            } catch (const connection::NoConnectException&) {
                if (!m_process->isAlive())
                    return fail(QStringLiteral("The presentation program ended while starting"));
                if (timer.elapsed() > kConnectBoundMs) {
                    kill();
                    return fail(
                        QStringLiteral("The presentation program did not accept a connection"));
                }
                QThread::msleep(100);
            }
        }
        m_connection->remote.set(remote, UNO_QUERY_THROW);
        m_connection->desktop = frame::Desktop::create(m_connection->remote);
        keepPresenterConsoleOff();
        qCInfo(lcLibreOffice, "soffice started and connected in %lld ms",
               qint64(startTimer.elapsed()));
    } catch (const uno::Exception& e) {
        forgetConnection();
        kill();
        return fail(QStringLiteral("Could not connect to the presentation program: ") +
                    fromUno(e.Message));
    }
    return presentationOk();
}

void LibreOfficeSession::endOffice()
{
    if (m_connection->desktop.is()) {
        try {
            m_connection->desktop->terminate();
        } catch (const uno::Exception&) {
            // The bridge goes down with the program; that is what was asked for.
        }
    }
    forgetConnection();
    if (m_process) {
        if (!m_process->waitForExit(kQuitBoundMs)) {
            m_process->kill();
            m_process->waitForExit(kQuitBoundMs);
        }
        std::unique_ptr<LibreOfficeProcess> ended;
        std::lock_guard lock(m_processMutex);
        ended = std::move(m_process);
    }
}
