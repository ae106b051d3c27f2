// The EMF dialog's page choice as plain values: all pages (0) or one page
// typed by the user, checked against the page grid.
#pragma once

#include <string>

namespace tabulorix {

struct MGEmfPageCheck {
    int result = -1;      // 0 all pages, else the page number; -1 refused
    std::string message;  // why it was refused, empty when accepted
};

// With allPages the result is 0. Otherwise the text must be a whole number
// (blanks around it are allowed): else "ページを数値で入力してください。";
// and lie in 1 .. pageCount: else "ページ番号が範囲外です。".
MGEmfPageCheck CheckEmfPage(bool allPages, const std::string& text, int pageCount);

// The range label: "指定範囲 1 - " followed by the page count.
std::string EmfPageRangeText(int pageCount);

}  // namespace tabulorix
