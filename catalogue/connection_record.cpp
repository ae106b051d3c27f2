#include "catalogue/connection_record.h"

#include <exception>

#include "base/file_io.h"
#include "platform/database.h"

namespace tabulorix {

namespace {

constexpr int kConnectTokens = 5;

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// Removes leading and trailing characters up to U+0020.
std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin])) ++begin;
    while (end > begin && IsTrimmed(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::string UpperCaseName(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string NormalizeServer(const std::string& server) {
    return tabulorix::NamesSnapshotFile(server) ? server : UpperCaseName(server);
}

MGUserInfo MakeUserInfo(const std::string& user, const std::string& password, const std::string& server) {
    MGUserInfo info;
    info.userName = UpperCaseName(user);
    info.password = password;
    info.server = NormalizeServer(server);
    info.displayName = info.userName + " @ " + info.server;
    return info;
}

std::vector<std::string> TokenizeConnectLine(const std::string& line) {
    std::vector<std::string> tokens;
    std::string rest = line;
    for (int i = 0; i < kConnectTokens; ++i) {
        const auto blank = rest.find(' ');
        if (blank == std::string::npos) {
            tokens.push_back(Trim(rest));
            rest.clear();
        } else {
            tokens.push_back(Trim(rest.substr(0, blank)));
            rest = Trim(rest.substr(blank + 1));
        }
    }
    return tokens;
}

std::vector<MGUserInfo> ReadConnectInf(const std::string& path) {
    std::vector<std::string> lines;
    try {
        lines = tabulorix::ReadTextLines(path).lines;
    } catch (const std::exception&) {
        return {};  // a missing or unreadable list is no error
    }
    std::vector<MGUserInfo> records;
    records.reserve(lines.size());
    for (const auto& line : lines) {
        const auto tokens = TokenizeConnectLine(line);
        MGUserInfo info;
        info.displayName = tokens[0];
        info.userName = UpperCaseName(tokens[1]);
        info.password = tokens[2];
        info.server = NormalizeServer(tokens[3]);
        info.extra = tokens[4];
        records.push_back(std::move(info));
    }
    return records;
}

}  // namespace tabulorix
