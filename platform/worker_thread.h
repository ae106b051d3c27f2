// A second thread for work that can run beside the main thread's (the
// loaders hand it parts of a design that touch other data than what the main
// thread works on meanwhile). It is one thread kept for the whole program:
// tasks run one after another in the order given, and the thread's
// allocator memory stays warm from one design to the next.
#pragma once

#include <functional>
#include <future>

namespace tabulorix {

// Queues the task; the future is ready when it has run and hands on what it
// threw. A task given by a task on the worker runs at once.
std::future<void> RunOnWorker(std::function<void()> task);

}  // namespace tabulorix
