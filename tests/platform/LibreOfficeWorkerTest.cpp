#include "LibreOfficeWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

// A call stuck in the office must not hold its caller beyond the bound, and the timeout hook
// (which ends the office in the real back end) must free the worker for later calls.
TEST(LibreOfficeWorkerTest, StuckCallTimesOutAndTheHookFreesTheWorker)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> timeouts = 0;
    LibreOfficeWorker worker([&] {
        ++timeouts;
        release.set_value();
    });

    const auto stuck = worker.call<int>(200, [released] {
        released.wait();
        return PresentationResult<int>(1);
    });
    EXPECT_FALSE(stuck.ok());
    EXPECT_FALSE(stuck.error().isEmpty());
    EXPECT_EQ(timeouts.load(), 1);

    const std::thread::id caller = std::this_thread::get_id();
    const auto next = worker.call<bool>(
        5000, [caller] { return PresentationResult<bool>(std::this_thread::get_id() != caller); });
    ASSERT_TRUE(next.ok());
    EXPECT_TRUE(next.value());
    EXPECT_EQ(timeouts.load(), 1);
}

TEST(LibreOfficeWorkerTest, CallsRunInOrderAndFailuresPassThrough)
{
    LibreOfficeWorker worker(nullptr);
    std::vector<int> order;
    for (int i = 0; i < 3; ++i)
        worker.post([&order, i] { order.push_back(i); });
    const auto failed = worker.call<int>(
        5000, [] { return PresentationResult<int>::failure(QStringLiteral("refused")); });
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.error(), "refused");
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}
