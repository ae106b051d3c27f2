// Hand-written expectations kept under tests/data/outputs: a file of blocks,
// each started by a line "## name" and holding the lines up to the next one.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/data_cases.h"

namespace outputs_test {

inline const std::vector<std::string>& BlockLines(const std::string& file, const std::string& name) {
    static std::map<std::string, std::map<std::string, std::vector<std::string>>> files;
    auto& blocks = files[file];
    if (blocks.empty()) {
        std::vector<std::string>* block = nullptr;
        for (const std::string& line : tabulorix::testing::DataLines("outputs/" + file)) {
            if (line.starts_with("## ")) block = &blocks[line.substr(3)];
            else if (block != nullptr) block->push_back(line);
        }
    }
    static const std::vector<std::string> none;
    const auto it = blocks.find(name);
    EXPECT_NE(it, blocks.end()) << file << ": " << name;
    return it == blocks.end() ? none : it->second;
}

// The block as text, every line ended by a line feed.
inline std::string BlockText(const std::string& file, const std::string& name) {
    std::string text;
    for (const std::string& line : BlockLines(file, name)) text += line + "\n";
    return text;
}

}  // namespace outputs_test
