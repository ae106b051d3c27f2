#include "session/row_count_progress.h"

#include <string>

#include "base/ui_ports.h"

namespace tabulorix {

namespace {

constexpr auto kInterval = std::chrono::milliseconds(25);

}  // namespace

MGRowCountProgress::MGRowCountProgress(StatusPort& status)
    : status_(status), shown_(std::chrono::steady_clock::now() - kInterval) {}

void MGRowCountProgress::Offer(int count) {
    const auto now = std::chrono::steady_clock::now();
    if (now - shown_ < kInterval) return;
    status_.SetDetailLine(std::to_string(count) + "行");
    shown_ = now;
}

}  // namespace tabulorix
