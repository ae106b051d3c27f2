// A second thread for work that can run beside the main thread's (the
// loaders hand it parts of a design that touch other data than what the main
// thread works on meanwhile). It is one thread kept for the whole program:
// tasks run one after another in the order given, and the thread's
// allocator memory stays warm from one design to the next.
#pragma once

#include <cstddef>
#include <functional>
#include <future>

namespace tabulorix {

// Queues the task; the future is ready when it has run and hands on what it
// threw. A task given by a task on the worker runs at once.
std::future<void> RunOnWorker(std::function<void()> task);

// Work in parts shared by this thread and the worker: the worker starts
// taking parts once it gets to this work (after the tasks queued before it),
// and Finish takes the parts still left on this thread. Each part is taken
// once, by the thread that gets to it first, so the faster (or less busy)
// thread does more; the parts must not depend on one another's order. On
// the worker thread, every part runs there, in Finish.
class SharedWork {
public:
    SharedWork(std::size_t count, std::function<void(std::size_t)> part);
    // Unless finished: no part is started any more, and those under way are
    // waited for (their failures are lost).
    ~SharedWork();
    SharedWork(const SharedWork&) = delete;
    SharedWork& operator=(const SharedWork&) = delete;

    // Runs the parts left on this thread and waits for those under way on
    // the worker; rethrows the first failure (no part is started after it).
    // Does not wait for the worker to get to this work.
    void Finish();

private:
    struct State;
    std::shared_ptr<State> state_;
    bool finished_ = false;
};

// Runs part(k) for every k in [0, count) as SharedWork and finishes it.
void ShareWithWorker(std::size_t count, std::function<void(std::size_t)> part);

}  // namespace tabulorix
