// The progress detail "%d行" of walks over many lines or rows (the SQL
// memo, the CSV grid). The walks offer it every 100 lines; it is shown the
// first time and then at most every 25 ms: showing it lets the window
// handle its events, which costs more than walking a hundred lines, and no
// one reads it faster.
#pragma once

#include <chrono>

namespace tabulorix {

class StatusPort;

class MGRowCountProgress {
public:
    explicit MGRowCountProgress(StatusPort& status);
    void Offer(int count);

private:
    StatusPort& status_;
    std::chrono::steady_clock::time_point shown_;
};

}  // namespace tabulorix
