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

// Runs part(k) for every k in [0, count) on this thread and, once it gets to
// it, the worker thread: each takes the next k not yet taken, so the faster
// (or less busy) thread does more. Returns when every part has run, without
// waiting for the worker to finish the tasks queued before; rethrows the
// first failure (no part is started after it). The parts must not depend on
// one another's order. On the worker thread, every part runs there.
void ShareWithWorker(std::size_t count, const std::function<void(std::size_t)>& part);

}  // namespace tabulorix
