// Expectations kept as text under tests/data: plain lines, or tables of cases
// with one case per line, fields separated by "|", blank lines and lines
// starting with "#" skipped.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tabulorix::testing {

using Fields = std::vector<std::string>;

inline std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The text of tests/data/<name>; a missing file fails the test.
inline std::string DataText(const std::string& name) {
    std::ifstream in(std::string(TABULORIX_SOURCE_DIR) + "/tests/data/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "tests/data/" << name << " is missing";
    return {std::istreambuf_iterator<char>(in), {}};
}

// The lines of tests/data/<name>, as written.
inline std::vector<std::string> DataLines(const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream in(DataText(name));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The trimmed parts of a text between separators ("" gives none).
inline Fields Split(const std::string& text, char separator) {
    Fields parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(Trimmed(part));
    return parts;
}

// The cases of tests/data/<name>, each as its trimmed fields.
inline std::vector<Fields> DataCases(const std::string& name) {
    std::vector<Fields> cases;
    for (const std::string& line : Split(DataText(name), '\n'))
        if (!line.empty() && line[0] != '#') cases.push_back(Split(line, '|'));
    EXPECT_FALSE(cases.empty()) << name;
    return cases;
}

// The whitespace-separated integers of a field (hexadecimal with 0x).
inline std::vector<int> Ints(const std::string& field) {
    std::vector<int> values;
    std::istringstream in(field);
    for (std::string word; in >> word;) values.push_back(static_cast<int>(std::stol(word, nullptr, 0)));
    return values;
}

// The whitespace-separated words of a field.
inline std::vector<std::string> Words(const std::string& field) {
    std::vector<std::string> words;
    std::istringstream in(field);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace tabulorix::testing
