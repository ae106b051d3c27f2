#include "base/main_thread.h"

#include <thread>

namespace tabulorix {

namespace {

// Taken while the program starts, before any thread of ours exists.
const std::thread::id kMainThread = std::this_thread::get_id();

}  // namespace

bool OnMainThread() {
    return std::this_thread::get_id() == kMainThread;
}

}  // namespace tabulorix
