#pragma once

#include "platform/PresentationResult.h"
#include "platform/libreoffice/LibreOfficeWorker.h"

#include <QRect>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/types.h>

struct LibreOfficeConnection;
struct LibreOfficeOpenDocument;
class LibreOfficeProcess;

// Our soffice: starting it, noticing that it died, ending it, and the one way to run work
// against it. Work runs on the session's own worker thread, one piece at a time and each within
// a bound (see LibreOfficeWorker), because UNO calls block; UNO objects are touched there only.
// Exceptions from the office become the work's error text.
//
// A soffice that died (its bridge disposed) is noticed by the work that hits it; the next work
// that needs the program starts a new one. Documents opened before that are gone.
class LibreOfficeSession
{
public:
    LibreOfficeSession(QString binary, QString profileFolder, bool headless);
    // Runs what is queued (an office being ended included) before it returns.
    ~LibreOfficeSession();

    LibreOfficeSession(const LibreOfficeSession&) = delete;
    LibreOfficeSession& operator=(const LibreOfficeSession&) = delete;

    // --- Any thread.

    // Runs work on the worker thread and waits for its answer (see LibreOfficeWorker::call).
    // Work may still run after its caller stopped waiting: it captures what it needs by value.
    template <typename T>
    PresentationResult<T> run(int boundMs,
                              std::function<PresentationResult<T>(LibreOfficeSession&)> work);
    // run(), for work on document documentId, opened while generation() was openedInGeneration.
    // Fails at once when that office is being ended, and without running work when the
    // document is no longer open.
    template <typename T>
    PresentationResult<T> runOnDocument(
        int documentId, int openedInGeneration, int boundMs,
        std::function<PresentationResult<T>(LibreOfficeSession&, LibreOfficeOpenDocument&)> work);
    // Queues work without waiting for it.
    void post(int boundMs, std::function<void(LibreOfficeSession&)> work);

    // Starts the office on the worker, so that the first work finds it ready.
    void startInBackground(int boundMs);
    // True while the office runs and answers.
    bool isRunning(int boundMs);
    // Returns at once: everyone still waiting for the office is answered, documents opened so
    // far fail from now on, and the office ends on the worker, where the next work that needs
    // it waits for that end and starts a fresh one.
    void quit();
    // What work answers when the office went away under it.
    static inline const QString DiedMessage = QStringLiteral("The presentation program stopped");

    // Moves on with every quit().
    int generation() const { return m_generation.load(); }
    bool isHeadless() const { return m_headless; }

    // The screen (its geometry on the desktop) that shows run on from now on; an empty one lets
    // the office choose.
    void setShowScreen(const QRect& geometry);
    QRect showScreen() const;
    // Ends soffice at once, which makes work stuck in it return.
    void kill();
    pid_t officePid() const;

    // --- Worker thread only: for work given to run().

    PresentationStatus ensureRunning();
    // True while the office runs and answers; forgets a connection to one that does not.
    bool isConnected();
    LibreOfficeConnection& connection() { return *m_connection; }

private:
    // Runs body; an exception from the office becomes the error text returned, and a dead
    // bridge drops the connection.
    std::optional<QString> guarded(const std::function<void()>& body);
    LibreOfficeOpenDocument* openDocument(int id);
    static QString closedWithOfficeError();
    static QString notOpenError();
    void endOffice();
    void forgetConnection();
    void keepPresenterConsoleOff();

    QString m_binary;
    QString m_profileFolder;
    bool m_headless = false;
    std::unique_ptr<LibreOfficeConnection> m_connection;
    std::atomic<int> m_generation = 0;
    mutable std::mutex m_processMutex;
    std::unique_ptr<LibreOfficeProcess> m_process;
    QRect m_showScreen;
    // Last: a call that runs out of time kills the office (which needs the members above), and
    // the worker is the first to go.
    std::unique_ptr<LibreOfficeWorker> m_worker;
};

template <typename T>
PresentationResult<T>
LibreOfficeSession::run(int boundMs, std::function<PresentationResult<T>(LibreOfficeSession&)> work)
{
    // The worker ends before the session does, so `this` outlives every task.
    return m_worker->call<T>(boundMs, [this, work = std::move(work)]() -> PresentationResult<T> {
        std::optional<PresentationResult<T>> answer;
        const std::optional<QString> error = guarded([&] { answer.emplace(work(*this)); });
        if (error)
            return PresentationResult<T>::failure(*error);
        return std::move(*answer);
    });
}

template <typename T>
PresentationResult<T> LibreOfficeSession::runOnDocument(
    int documentId, int openedInGeneration, int boundMs,
    std::function<PresentationResult<T>(LibreOfficeSession&, LibreOfficeOpenDocument&)> work)
{
    // The office this document lives in is on its way out: asking would only queue behind
    // its end, and whoever asks (a show watcher being torn down) must not wait for that.
    if (openedInGeneration != generation())
        return PresentationResult<T>::failure(closedWithOfficeError());
    return run<T>(
        boundMs,
        [documentId, work = std::move(work)](LibreOfficeSession& session) -> PresentationResult<T> {
            LibreOfficeOpenDocument* document = session.openDocument(documentId);
            if (!document)
                return PresentationResult<T>::failure(notOpenError());
            return work(session, *document);
        });
}
