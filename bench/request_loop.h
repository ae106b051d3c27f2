// The request loop of the benchmark processes bench/run keeps open: one
// request a line on standard input, one answer (seconds) a line on standard
// output, flushed at once, until the input ends.
#pragma once

#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

namespace tabulorix::bench {

inline int AnswerRequests(const std::function<double(const std::string& line)>& answer) {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::printf("%.9f\n", answer(line));
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace tabulorix::bench
