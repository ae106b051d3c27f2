// Shared pieces of the fuzz targets: a quiet process set-up (offscreen Qt,
// fixed locale) and a file in memory that the real file readers can open by
// path, so the targets go through the same code as a user's file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulorix::fuzzing {

// Once per process: offscreen Qt with a QGuiApplication (fonts), C.UTF-8.
void InitializeProcess();

// A file that lives in memory (memfd); Path() names it for open(2).
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    // Replaces the content.
    void Write(std::string_view bytes);
    const std::string& Path() const { return path_; }

private:
    int fd_;
    std::string path_;
};

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tabulorix::fuzzing
