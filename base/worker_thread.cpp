#include "base/worker_thread.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace tabulorix {

namespace {

// Set on the worker thread: a task it runs that hands on work of its own
// runs that work at once instead of waiting for itself.
thread_local bool onWorker = false;

class Worker {
public:
    ~Worker() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        if (thread_.joinable()) thread_.join();
    }

    std::future<void> Add(std::function<void()> task) {
        std::packaged_task<void()> packaged(std::move(task));
        std::future<void> done = packaged.get_future();
        if (onWorker) {
            packaged();
            return done;
        }
        {
            const std::lock_guard lock(mutex_);
            queue_.push_back(std::move(packaged));
            if (!thread_.joinable()) thread_ = std::thread([this] { Work(); });
        }
        wake_.notify_one();
        return done;
    }

private:
    // Runs what is queued; at the end of the program the rest first.
    void Work() {
        onWorker = true;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            std::packaged_task<void()> task = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<void()>> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace

std::future<void> RunOnWorker(std::function<void()> task) {
    static Worker worker;
    return worker.Add(std::move(task));
}

// Every part is claimed once, by one thread, and counted as finished when
// it has run (or was skipped after a failure or by a SharedWork destroyed
// unfinished). The worker's share may start after the work is finished or
// gone: it then claims nothing and only touches this state, which it keeps
// alive.
struct SharedWork::State {
    State(std::size_t partCount, std::function<void(std::size_t)> partToRun)
        : count(partCount), part(std::move(partToRun)) {}

    void Take() {
        for (std::size_t k = next++; k < count; k = next++) {
            if (!stopped) Run(k);
            if (++finished == count) finished.notify_all();
        }
    }

    void Run(std::size_t k) {
        try {
            part(k);
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            if (!failure) failure = std::current_exception();
            stopped = true;
        }
    }

    void WaitForAll() {
        for (std::size_t seen = finished; seen != count; seen = finished) finished.wait(seen);
    }

    const std::size_t count;
    const std::function<void(std::size_t)> part;  // called only until every part is claimed
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> finished{0};
    std::atomic<bool> stopped{false};
    std::mutex failureMutex;
    std::exception_ptr failure;
};

SharedWork::SharedWork(std::size_t count, std::function<void(std::size_t)> part)
    : state_(std::make_shared<State>(count, std::move(part))) {
    if (!onWorker && count > 1) RunOnWorker([state = state_] { state->Take(); });
}

SharedWork::~SharedWork() {
    if (finished_) return;
    state_->stopped = true;
    state_->Take();
    state_->WaitForAll();
}

void SharedWork::Finish() {
    finished_ = true;
    state_->Take();
    state_->WaitForAll();
    if (state_->failure) std::rethrow_exception(state_->failure);
}

void ShareWithWorker(std::size_t count, std::function<void(std::size_t)> part) {
    SharedWork(count, std::move(part)).Finish();
}

}  // namespace tabulorix
