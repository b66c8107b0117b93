#include "platform/curl/CurlWorker.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <sys/select.h>

namespace {

using Clock = std::chrono::steady_clock;

// An answer or listing is a few kilobytes; more than this is no server of ours.
constexpr qsizetype MaxBodyBytes = 64 * 1024 * 1024;

size_t writeBody(char* data, size_t size, size_t count, void* userData)
{
    auto* context = static_cast<CurlWorker::Context*>(userData);
    const size_t bytes = size * count;
    if (context->body.size() + qsizetype(bytes) > MaxBodyBytes)
        return 0;
    context->body.append(data, qsizetype(bytes));
    return bytes;
}

size_t keepReply(char* data, size_t size, size_t count, void* userData)
{
    auto* context = static_cast<CurlWorker::Context*>(userData);
    const size_t bytes = size * count;
    const QByteArray line = QByteArray(data, qsizetype(bytes)).trimmed();
    if (!line.isEmpty()) {
        context->lastReply = line;
        ++context->replies;
    }
    return bytes;
}

// Whether curl names a socket to wait on. During an FTP upload curl (7.88) at times has neither
// a socket nor a timer to wait on though the transfer goes on; sleeping the whole poll then cost
// some files of an upload 50 ms each (curl's own tool sleeps a second there).
bool waitsOnSocket(CURLM* multi)
{
    fd_set read, write, error;
    FD_ZERO(&read);
    FD_ZERO(&write);
    FD_ZERO(&error);
    int highest = -1;
    return curl_multi_fdset(multi, &read, &write, &error, &highest) == CURLM_OK && highest >= 0;
}

CURLM* newMulti()
{
    CURLM* multi = curl_multi_init();
    // Enough for one job's connection; a Parallel worker's queries do not reuse theirs.
    curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS, 4L);
    return multi;
}

} // namespace

QString CurlWorker::Context::curlError(CURLcode code) const
{
    return errorText[0] ? QString::fromUtf8(errorText)
                        : QString::fromUtf8(curl_easy_strerror(code));
}

struct CurlWorker::Shared
{
    struct Running
    {
        Id id = 0;
        Transfer transfer;
        std::unique_ptr<Context> context;
        bool added = false;
        Clock::time_point lastProgress;
        curl_off_t lastBytes = -1;
        long lastReplies = -1;
    };

    Shared(Order order, const TransferService::Bounds& bounds) : order(order), bounds(bounds) {}

    const Order order;
    const TransferService::Bounds bounds;

    // Shared with the owner's thread, under the lock.
    std::mutex mutex;
    std::condition_variable exitedChanged;
    std::deque<Running> inbox;
    std::vector<Id> cancelRequests;
    Id cancelUpTo = 0;
    Id lastId = 0;
    bool stopping = false;
    bool exited = false;
    // Woken from other threads under the lock only; swapped under it when connections close.
    CURLM* multi = nullptr;
    std::thread thread;

    // The worker's own.
    std::deque<Running> waiting;
    std::vector<Running> active;
    CURL* reusable = nullptr;

    void wake()
    {
        if (multi)
            curl_multi_wakeup(multi);
    }

    void run();
    void takeOrders(bool& stop);
    void startWaiting();
    bool start(Running& running);
    void collectFinished();
    void checkStalls();
    void end(Running& running, const TransferResult& result);
    void closeConnections();
    void shutDown();
};

void CurlWorker::Shared::run()
{
    for (;;) {
        bool stop = false;
        takeOrders(stop);
        if (stop)
            break;
        startWaiting();
        int stillRunning = 0;
        curl_multi_perform(multi, &stillRunning);
        collectFinished();
        checkStalls();
        if (active.empty() && !waiting.empty())
            continue;
        const bool blind = !active.empty() && !waitsOnSocket(multi);
        curl_multi_poll(multi, nullptr, 0, blind ? BlindPollMs : PollMs, nullptr);
    }
    shutDown();
}

void CurlWorker::Shared::takeOrders(bool& stop)
{
    std::vector<Id> cancels;
    Id upTo = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stop = stopping;
        while (!inbox.empty()) {
            waiting.push_back(std::move(inbox.front()));
            inbox.pop_front();
        }
        cancels.swap(cancelRequests);
        upTo = std::exchange(cancelUpTo, 0);
    }
    if (cancels.empty() && upTo == 0)
        return;
    auto cancelled = [&](Id id) {
        return id <= upTo || std::find(cancels.begin(), cancels.end(), id) != cancels.end();
    };
    // Active ones first: in Serial order the next waiting one must not start before its
    // predecessor has ended.
    for (std::size_t i = 0; i < active.size();) {
        if (cancelled(active[i].id)) {
            Running running = std::move(active[i]);
            active.erase(active.begin() + qsizetype(i));
            end(running, TransferResult::cancellation());
        } else {
            ++i;
        }
    }
    for (auto it = waiting.begin(); it != waiting.end();) {
        if (cancelled(it->id)) {
            Running running = std::move(*it);
            it = waiting.erase(it);
            end(running, TransferResult::cancellation());
        } else {
            ++it;
        }
    }
}

void CurlWorker::Shared::startWaiting()
{
    while (!waiting.empty() && (order == Order::Parallel || active.empty())) {
        Running running = std::move(waiting.front());
        waiting.pop_front();
        if (running.transfer.closeConnections) {
            closeConnections();
            end(running, TransferResult::completedWith());
            continue;
        }
        if (start(running))
            active.push_back(std::move(running));
    }
}

bool CurlWorker::Shared::start(Running& running)
{
    if (!running.context)
        running.context = std::make_unique<Context>();
    Context& context = *running.context;
    CURL* easy = context.easy;
    if (!easy) {
        if (order == Order::Serial) {
            if (!reusable)
                reusable = curl_easy_init();
            easy = reusable;
        } else {
            easy = curl_easy_init();
        }
        context.easy = easy;
    }
    // A reset keeps the connections; it only forgets the last request's options.
    curl_easy_reset(easy);
    context.body.clear();
    context.lastReply.clear();
    context.errorText[0] = 0;
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, context.errorText);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(bounds.connectTimeoutMs));
    // Also bounds the wait for the server's goodbye when connections are closed.
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     long(std::max(1, (bounds.stallTimeoutMs + 999) / 1000)));
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &context);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, keepReply);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &context);
    if (const std::optional<TransferResult> early = running.transfer.setUp(context)) {
        end(running, *early);
        return false;
    }
    running.lastProgress = Clock::now();
    running.lastBytes = -1;
    running.lastReplies = -1;
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
        end(running,
            TransferResult::failure(CURLE_FAILED_INIT,
                                    QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT))));
        return false;
    }
    running.added = true;
    return true;
}

void CurlWorker::Shared::collectFinished()
{
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        auto it = std::find_if(active.begin(), active.end(), [&](const Running& running) {
            return running.context->easy == message->easy_handle;
        });
        if (it == active.end())
            continue;
        const CURLcode code = message->data.result;
        curl_multi_remove_handle(multi, it->context->easy);
        it->added = false;
        const std::optional<TransferResult> result = it->transfer.finish(*it->context, code);
        if (result) {
            Running running = std::move(*it);
            active.erase(it);
            end(running, *result);
            continue;
        }
        ++it->context->attempt;
        if (!start(*it))
            active.erase(it);
    }
}

void CurlWorker::Shared::checkStalls()
{
    const Clock::time_point now = Clock::now();
    for (std::size_t i = 0; i < active.size();) {
        Running& running = active[i];
        curl_off_t down = 0;
        curl_off_t up = 0;
        curl_easy_getinfo(running.context->easy, CURLINFO_SIZE_DOWNLOAD_T, &down);
        curl_easy_getinfo(running.context->easy, CURLINFO_SIZE_UPLOAD_T, &up);
        if (down + up != running.lastBytes || running.context->replies != running.lastReplies) {
            running.lastBytes = down + up;
            running.lastReplies = running.context->replies;
            running.lastProgress = now;
        }
        if (now - running.lastProgress < std::chrono::milliseconds(bounds.stallTimeoutMs)) {
            ++i;
            continue;
        }
        Running stalled = std::move(running);
        active.erase(active.begin() + qsizetype(i));
        end(stalled, TransferResult::failure(
                         CURLE_OPERATION_TIMEDOUT,
                         QString::fromUtf8(curl_easy_strerror(CURLE_OPERATION_TIMEDOUT)) +
                             QStringLiteral(": no progress for %1 ms").arg(bounds.stallTimeoutMs)));
    }
}

void CurlWorker::Shared::end(Running& running, const TransferResult& result)
{
    if (running.context) {
        Context& context = *running.context;
        // Taken out before its server has answered: curl drops the connection rather than
        // wait for it.
        if (running.added)
            curl_multi_remove_handle(multi, context.easy);
        running.added = false;
        for (const std::function<void()>& close : context.atEnd)
            close();
        context.atEnd.clear();
        if (context.easy && context.easy != reusable)
            curl_easy_cleanup(context.easy);
        context.easy = nullptr;
    }
    if (running.transfer.done)
        running.transfer.done(running.id, result);
}

void CurlWorker::Shared::closeConnections()
{
    CURLM* old = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        old = std::exchange(multi, nullptr);
    }
    // Sends QUIT on every kept connection and waits for the reply, at most the stall bound.
    curl_multi_cleanup(old);
    CURLM* fresh = newMulti();
    const std::lock_guard<std::mutex> lock(mutex);
    multi = fresh;
}

void CurlWorker::Shared::shutDown()
{
    while (!active.empty()) {
        Running running = std::move(active.back());
        active.pop_back();
        end(running, TransferResult::cancellation());
    }
    while (!waiting.empty()) {
        Running running = std::move(waiting.front());
        waiting.pop_front();
        end(running, TransferResult::cancellation());
    }
    CURLM* old = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        old = std::exchange(multi, nullptr);
    }
    curl_multi_cleanup(old);
    if (reusable)
        curl_easy_cleanup(reusable);
    reusable = nullptr;
    const std::lock_guard<std::mutex> lock(mutex);
    exited = true;
    exitedChanged.notify_all();
}

CurlWorker::CurlWorker(Order order, const TransferService::Bounds& bounds)
    : m_shared(std::make_shared<Shared>(order, bounds))
{
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_shared->multi = newMulti();
    m_shared->thread = std::thread([shared = m_shared] { shared->run(); });
}

CurlWorker::~CurlWorker()
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->wake();
    const bool exited = m_shared->exitedChanged.wait_for(
        lock, std::chrono::milliseconds(DestroyWaitMs), [this] { return m_shared->exited; });
    std::thread thread = std::move(m_shared->thread);
    lock.unlock();
    // A thread still saying goodbye to a slow server keeps the shared state through its own
    // reference.
    if (exited)
        thread.join();
    else
        thread.detach();
}

CurlWorker::Id CurlWorker::submit(Transfer transfer)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    Shared::Running running;
    running.id = ++m_shared->lastId;
    running.transfer = std::move(transfer);
    m_shared->inbox.push_back(std::move(running));
    m_shared->wake();
    return m_shared->lastId;
}

void CurlWorker::cancel(Id id)
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->cancelRequests.push_back(id);
    m_shared->wake();
}

void CurlWorker::cancelAll()
{
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->cancelUpTo = m_shared->lastId;
    m_shared->wake();
}
