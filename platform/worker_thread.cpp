#include "platform/worker_thread.h"

#include <condition_variable>
#include <deque>
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

}  // namespace tabulorix
