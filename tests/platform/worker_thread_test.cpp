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

TEST(WorkerThread, AFailureReachesTheWaiterAndTheNextTaskStillRuns) {
    std::future<void> failing = RunOnWorker([] { throw std::runtime_error("broken"); });
    bool ran = false;
    std::future<void> next = RunOnWorker([&ran] { ran = true; });
    EXPECT_THROW(failing.get(), std::runtime_error);
    next.get();
    EXPECT_TRUE(ran);
}

TEST(WorkerThread, ATaskHandedOnByATaskRunsAtOnce) {
    bool inner = false;
    RunOnWorker([&inner] { RunOnWorker([&inner] { inner = true; }).get(); }).get();
    EXPECT_TRUE(inner);
}

TEST(WorkerThread, SharedPartsRunOnceEachAndABusyWorkerIsNotWaitedFor) {
    std::vector<std::atomic<int>> runs(2000);
    ShareWithWorker(runs.size(), [&runs](std::size_t k) { ++runs[k]; });
    for (const auto& count : runs) EXPECT_EQ(count, 1);

    // With the worker held by an earlier task, this thread runs every part
    // and returns; the worker's share later finds nothing left.
    std::promise<void> release;
    std::future<void> held = RunOnWorker([gate = release.get_future().share()] { gate.wait(); });
    std::vector<std::thread::id> threads(50);
    ShareWithWorker(threads.size(), [&threads](std::size_t k) { threads[k] = std::this_thread::get_id(); });
    for (const auto id : threads) EXPECT_EQ(id, std::this_thread::get_id());
    release.set_value();
    held.get();
    RunOnWorker([] {}).get();

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
    std::promise<void> release;
    std::future<void> held = RunOnWorker([gate = release.get_future().share()] { gate.wait(); });
    int started = 0;
    EXPECT_THROW(ShareWithWorker(100,
                                 [&started](std::size_t k) {
                                     ++started;
                                     if (k == 5) throw std::runtime_error("part 5");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(started, 6);
    release.set_value();
    held.get();
    // The worker is free for the next task.
    RunOnWorker([] {}).get();
}

TEST(WorkerThread, SharedWorkDroppedUnfinishedStartsNoMoreParts) {
    // The worker is held, so no part has started when the work is dropped
    // (as when the step that would finish it fails): none runs afterwards.
    std::promise<void> release;
    std::future<void> held = RunOnWorker([gate = release.get_future().share()] { gate.wait(); });
    auto runs = std::make_shared<std::atomic<int>>(0);
    { SharedWork dropped(10, [runs](std::size_t) { ++*runs; }); }
    release.set_value();
    held.get();
    RunOnWorker([] {}).get();
    EXPECT_EQ(*runs, 0);
}
