#pragma once

#include "platform/TransferResult.h"
#include "platform/TransferService.h"

#include <curl/curl.h>

#include <QByteArray>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One thread driving one curl multi handle, so that no transfer ever holds up the thread that
// asks for it. Transfers run side by side (Parallel, each on a handle of its own) or one after
// the other on one reused handle (Serial), whose connection stays open between them.
//
// Every bound is kept here, on the worker: the connect timeout, the stall bound (no byte moved
// and no reply heard for Bounds::stallTimeoutMs ends a transfer with curl's timeout code 28),
// and cancelling, which wakes the worker at once and ends the transfer without waiting for its
// server.
class CurlWorker
{
public:
    enum class Order
    {
        Parallel,
        Serial
    };
    using Id = quint64;

    // What a transfer has of its handle while it runs. Lives on the worker thread.
    struct Context
    {
        CURL* easy = nullptr;
        QByteArray body;      // what the server sent, unless the set-up writes it elsewhere
        QByteArray lastReply; // the server's last reply (FTP) or header line, without line end
        long replies = 0;
        char errorText[CURL_ERROR_SIZE] = {};
        int attempt = 0; // counts the runs of a transfer that asked to be run again
        // Run when the transfer ends, however it ends: they close what the set-up opened.
        std::vector<std::function<void()>> atEnd;

        // curl's error text for code: the handle's own message when it left one.
        QString curlError(CURLcode code) const;
    };

    struct Transfer
    {
        // Sets the request's options on a handle that holds only the worker's own ones. A result
        // ends the transfer there without starting it.
        std::function<std::optional<TransferResult>(Context&)> setUp;
        // The result once curl has finished; nothing means: set up and run again.
        std::function<std::optional<TransferResult>(Context&, CURLcode)> finish;
        // Runs on the worker thread with the transfer's id and result; it hands them over to its
        // own thread itself.
        std::function<void(Id, const TransferResult&)> done;
        // Instead of a request: log out of every connection kept open (Serial only).
        bool closeConnections = false;
    };

    CurlWorker(Order order, const TransferService::Bounds& bounds);
    // Ends every transfer (their done still runs) and waits a short while for the thread; a
    // thread still busy logging out after that finishes on its own.
    ~CurlWorker();

    CurlWorker(const CurlWorker&) = delete;
    CurlWorker& operator=(const CurlWorker&) = delete;

    Id submit(Transfer transfer);
    // The transfer ends with a cancelled result, started or not.
    void cancel(Id id);
    // The same for every transfer submitted so far.
    void cancelAll();

    // How long the worker sleeps at most between looks at its transfers' progress.
    static constexpr int PollMs = 50;
    // How long it sleeps while a transfer runs and curl names nothing to wait on.
    static constexpr int BlindPollMs = 1;
    static constexpr int DestroyWaitMs = 2000;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};
