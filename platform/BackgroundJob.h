#pragma once

#include <functional>

// Runs a long job (copying hundreds of megabytes, waiting on the presentation program) on a
// thread of its own while the calling thread keeps handling its events, so that windows keep
// painting and a Cancel button keeps working. Returns once the job has ended.
//
// Everything the job touches must be left alone by the calling thread until then; results go
// back through queued calls or through values read after run() returns.
class BackgroundJob
{
public:
    // stop is called on the calling thread when its event loop is told to end (the program is
    // quitting) while the job still runs; it must make the job end soon, for run() then waits
    // for it without handling events.
    static void run(const std::function<void()>& job, const std::function<void()>& stop);
};
