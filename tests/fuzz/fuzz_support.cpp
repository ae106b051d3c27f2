#include "fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <stdexcept>

using namespace tabulorix;

namespace tabulorix::fuzzing {

void InitializeProcess() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static const auto app = std::make_unique<QGuiApplication>(argc, argv);
}

MemoryFile::MemoryFile() : fd_(memfd_create("tabulorix-fuzz", 0)) {
    if (fd_ < 0) throw std::runtime_error("memfd_create failed");
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
    close(fd_);
}

void MemoryFile::Write(std::string_view bytes) {
    if (ftruncate(fd_, 0) != 0 ||
        pwrite(fd_, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("writing the memory file failed");
    }
}

}  // namespace tabulorix::fuzzing
