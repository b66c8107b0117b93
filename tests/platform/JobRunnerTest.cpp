#include "platform/JobRunner.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// A door a job waits at until the test opens it.
struct Gate
{
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;

    void pass()
    {
        std::unique_lock<std::mutex> lock(mutex);
        opened.wait(lock, [this] { return open; });
    }
    void release()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        open = true;
        opened.notify_all();
    }
};

} // namespace

TEST(JobRunnerTest, ResultsComeBackInOrderOnTheOwnersThreadAndCancelAndTheDestructorAreBounded)
{
    JobRunner runner;
    QSignalSpy busy(&runner, &JobRunner::busyChanged);
    Gate gate;
    QStringList heard;
    QThread* const owner = QThread::currentThread();
    runner.start<int>(
        [&](const JobRunner::Control& control) {
            control.post([&] { heard << "report"; });
            gate.pass();
            return 7;
        },
        [&](int result) {
            EXPECT_EQ(QThread::currentThread(), owner);
            heard << QString("first %1").arg(result);
        });
    runner.start<QString>([](const JobRunner::Control&) { return QString("second"); },
                          [&](QString result) { heard << result + " done"; });
    EXPECT_TRUE(runner.isBusy());

    // The owner's timers fire while the job is held.
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticked && heard.contains("report"); }, 2000));
    EXPECT_EQ(heard, QStringList{"report"});
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !runner.isBusy(); }, 2000));
    EXPECT_EQ(heard, (QStringList{"report", "first 7", "second done"}));
    // One busy span for both jobs.
    EXPECT_EQ(busy.size(), 2);

    // Progress faster than the owner: while the owner is held up, a thousand reports of which
    // only the newest counts reach it as one, still ahead of the result.
    Gate posted;
    QList<int> progress;
    runner.start<int>(
        [&](const JobRunner::Control& control) {
            for (int i = 1; i <= 1000; ++i)
                control.postLatest([&progress, i] { progress << i; });
            posted.release();
            return -1;
        },
        [&](int result) { progress << result; });
    posted.pass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !runner.isBusy(); }, 2000));
    EXPECT_EQ(progress, (QList<int>{1000, -1}));

    // Cancel reaches the running job.
    bool stopped = false;
    runner.start<bool>(
        [](const JobRunner::Control& control) {
            while (!control.stopRequested())
                QThread::msleep(1);
            return true;
        },
        [&](bool result) { stopped = result; });
    runner.cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stopped; }, 2000));

    // A job that ignores the stop request and never ends holds the destructor for its bound only.
    auto stuck = std::make_shared<Gate>();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    bool doneRan = false;
    QElapsedTimer clock;
    {
        auto bounded = std::make_unique<JobRunner>(nullptr, 100);
        bounded->start(
            [stuck, ended](const JobRunner::Control&) {
                stuck->pass();
                *ended = true;
            },
            [&] { doneRan = true; });
        clock.start();
    }
    EXPECT_LT(clock.elapsed(), 1000);
    stuck->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended->load(); }, 2000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(doneRan);
}
