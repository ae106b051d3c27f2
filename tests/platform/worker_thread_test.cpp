// The worker thread: tasks run one after another, on one other thread, and
// their failures reach whoever waits for them; parts shared with it run
// once each.
#include "base/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace tabulorix;

using tabulorix::RunOnWorker;
using tabulorix::SharedWork;
using tabulorix::ShareWithWorker;

namespace {

// Holds the worker busy until Release (at the latest when it goes); the
// worker then runs what was queued behind.
struct HeldWorker {
    std::promise<void> release;
    std::future<void> held = RunOnWorker([gate = release.get_future().share()] { gate.wait(); });
    ~HeldWorker() { Release(); }
    void Release() {
        if (!held.valid()) return;
        release.set_value();
        held.get();
        RunOnWorker([] {}).get();
    }
};

}  // namespace

TEST(WorkerThread, RunsTasksInOrderOnOneOtherThread) {
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::vector<std::future<void>> done;
    for (int i = 0; i < 5; ++i) {
        done.push_back(RunOnWorker([&order, &threads, i] {
            order.push_back(i);
            threads.push_back(std::this_thread::get_id());
        }));
    }
    for (auto& task : done) task.get();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    for (const auto id : threads) {
        EXPECT_EQ(id, threads.front());
        EXPECT_NE(id, std::this_thread::get_id());
    }
}

// A failure reaches the waiter and the next task still runs; a task handed
// on by a task runs at once.
TEST(WorkerThread, AFailureReachesTheWaiterAndTheNextTaskStillRuns) {
    std::future<void> failing = RunOnWorker([] { throw std::runtime_error("broken"); });
    bool ran = false;
    std::future<void> next = RunOnWorker([&ran] { RunOnWorker([&ran] { ran = true; }).get(); });
    EXPECT_THROW(failing.get(), std::runtime_error);
    next.get();
    EXPECT_TRUE(ran);
}

TEST(WorkerThread, SharedPartsRunOnceEachAndABusyWorkerIsNotWaitedFor) {
    std::vector<std::atomic<int>> runs(2000);
    ShareWithWorker(runs.size(), [&runs](std::size_t k) { ++runs[k]; });
    for (const auto& count : runs) EXPECT_EQ(count, 1);

    // With the worker held by an earlier task, this thread runs every part
    // and returns; the worker's share later finds nothing left.
    HeldWorker held;
    std::vector<std::thread::id> threads(50);
    ShareWithWorker(threads.size(), [&threads](std::size_t k) { threads[k] = std::this_thread::get_id(); });
    for (const auto id : threads) EXPECT_EQ(id, std::this_thread::get_id());
    held.Release();

    // Inside a worker task every part runs on the worker.
    RunOnWorker([] {
        std::vector<std::thread::id> inside(20);
        ShareWithWorker(inside.size(), [&inside](std::size_t k) { inside[k] = std::this_thread::get_id(); });
        for (const auto id : inside) EXPECT_EQ(id, std::this_thread::get_id());
    }).get();
}

TEST(WorkerThread, AFailingSharedPartStopsTheRestAndIsRethrown) {
    // With the worker held, this thread takes the parts in order: after the
    // failing sixth part no other starts.
    HeldWorker held;
    int started = 0;
    EXPECT_THROW(ShareWithWorker(100,
                                 [&started](std::size_t k) {
                                     ++started;
                                     if (k == 5) throw std::runtime_error("part 5");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(started, 6);
    held.Release();  // the worker is free for the next task
}

TEST(WorkerThread, SharedWorkDroppedUnfinishedStartsNoMoreParts) {
    // The worker is held, so no part has started when the work is dropped
    // (as when the step that would finish it fails): none runs afterwards.
    HeldWorker held;
    auto runs = std::make_shared<std::atomic<int>>(0);
    {
        SharedWork dropped(10, [runs](std::size_t) { ++*runs; });
    }
    held.Release();
    EXPECT_EQ(*runs, 0);
}
