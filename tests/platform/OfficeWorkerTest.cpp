#include "platform/libreoffice/LibreOfficeWorker.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

// The office as the worker sees it: calls that block until it is ended, the way a call into a
// stopped soffice returns only once the process is killed. A stubborn office outlives the
// first end, as if the kill had not reached it.
class HangingOffice
{
public:
    PresentationResult<int> hang()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ends > m_survivedEnds; });
        return PresentationResult<int>::failure(QStringLiteral("ended"));
    }

    void end()
    {
        {
            std::lock_guard lock(m_mutex);
            ++m_ends;
        }
        m_changed.notify_all();
    }

    void surviveEnds(int count) { m_survivedEnds = count; }
    int ends()
    {
        std::lock_guard lock(m_mutex);
        return m_ends;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_ends = 0;
    int m_survivedEnds = 0;
};

PresentationResult<int> answer(int value)
{
    return PresentationResult<int>(value);
}

// A long export is running when a quick question comes in: the question waits its turn and is
// answered, and nothing is ended, though the export takes four times the question's bound.
TEST(LibreOfficeWorker, AQuickCallWaitsBehindALongOneAndOnlyAHungOneEndsTheOffice)
{
    HangingOffice office;
    LibreOfficeWorker worker([&] { office.end(); });
    std::promise<void> exportStarted;
    auto exported = std::async(std::launch::async, [&] {
        return worker.call<int>(5000, [&] {
            exportStarted.set_value();
            std::this_thread::sleep_for(2s);
            return answer(1);
        });
    });
    exportStarted.get_future().wait();

    QElapsedTimer timer;
    timer.start();
    const PresentationResult<int> polled = worker.call<int>(500, [] { return answer(2); });
    EXPECT_EQ(polled.valueOr(0), 2) << polled.error().toStdString();
    EXPECT_GE(timer.elapsed(), 1000) << "it ran after the export, not beside it";
    EXPECT_TRUE(exported.get().ok());
    EXPECT_EQ(office.ends(), 0);

    // A call that answers nothing for its bound has the office ended, whether its caller waits
    // (then it hears why) or it was posted; the call after it gets its turn.
    timer.restart();
    const PresentationResult<int> hung = worker.call<int>(300, [&] { return office.hang(); });
    EXPECT_FALSE(hung.ok());
    EXPECT_TRUE(hung.error().contains("did not answer within 0.3 s")) << hung.error().toStdString();
    EXPECT_GE(timer.elapsed(), 300);
    EXPECT_EQ(office.ends(), 1);

    HangingOffice posted;
    LibreOfficeWorker unattended([&] { posted.end(); });
    unattended.post(300, [&] { posted.hang(); });
    const PresentationResult<int> next = unattended.call<int>(2000, [] { return answer(3); });
    EXPECT_EQ(next.valueOr(0), 3) << next.error().toStdString();
    EXPECT_EQ(posted.ends(), 1);
}

// An office that cannot even be ended: callers queued behind it still come back, after their
// own bound plus the bound of the hung call, without ending it again; their calls are dropped.
TEST(LibreOfficeWorker, CallersBehindACallThatNeverReturnsGiveUpAndTheirCallsNeverRun)
{
    HangingOffice office;
    office.surviveEnds(1);
    LibreOfficeWorker worker([&] { office.end(); });
    std::promise<void> hangStarted;
    worker.post(300, [&] {
        hangStarted.set_value();
        office.hang();
    });
    hangStarted.get_future().wait();
    std::atomic<bool> ran = false;
    QElapsedTimer timer;
    timer.start();
    const PresentationResult<int> behind = worker.call<int>(200, [&] {
        ran = true;
        return answer(4);
    });
    EXPECT_FALSE(behind.ok());
    EXPECT_GE(timer.elapsed(), 450);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(office.ends(), 1);

    office.end();
    EXPECT_EQ(worker.call<int>(1000, [] { return answer(5); }).valueOr(0), 5);
    EXPECT_FALSE(ran);
}

} // namespace
