// The worker thread: tasks run one after another, on one other thread, and
// their failures reach whoever waits for them.
#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

using tabulorix::RunOnWorker;

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
