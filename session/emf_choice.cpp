#include "session/emf_choice.h"

#include <charconv>

namespace tabulorix {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

MGEmfPageCheck CheckEmfPage(bool allPages, const std::string& text, int pageCount) {
    if (allPages) return MGEmfPageCheck{0, {}};
    const std::string number = Trimmed(text);
    const char* begin = number.data();
    if (!number.empty() && *begin == '+') ++begin;
    long long page = 0;
    const auto [end, error] = std::from_chars(begin, number.data() + number.size(), page);
    // A number too large for any page grid is still a number, out of range.
    if (number.empty() || end != number.data() + number.size() ||
        (error != std::errc() && error != std::errc::result_out_of_range))
        return MGEmfPageCheck{-1, "ページを数値で入力してください。"};
    if (error == std::errc::result_out_of_range || page < 1 || page > pageCount)
        return MGEmfPageCheck{-1, "ページ番号が範囲外です。"};
    return MGEmfPageCheck{static_cast<int>(page), {}};
}

std::string EmfPageRangeText(int pageCount) {
    return "指定範囲 1 - " + std::to_string(pageCount);
}

}  // namespace tabulorix
