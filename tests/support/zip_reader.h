// Reads a zip archive (a .docx) back with libzip, for tests that check what
// we packed.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tabulorix::testing {

struct ZipEntries {
    std::vector<std::pair<std::string, std::string>> entries;  // name, content, in archive order
    std::optional<std::string> Find(const std::string& name) const;
    std::vector<std::string> Names() const;
};

// The entries of the archive held in bytes; nothing when it is not a
// readable zip archive.
std::optional<ZipEntries> ReadZip(const std::string& bytes);

// Number of non-overlapping occurrences of needle in text.
int CountOccurrences(const std::string& text, const std::string& needle);

}  // namespace tabulorix::testing
