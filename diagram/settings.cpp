#include "diagram/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "base/ui_ports.h"

namespace tabulorix {

using tabulorix::SettingsReadError;

namespace {

constexpr std::string_view kSectionLine = "[SET ITEM]";

// The keys in the order they are written.
constexpr std::string_view kKeys[] = {
    "PaperX",      "PaperY",   "Notation",        "PagePosition", "PageNoForm", "Shadow",       "TableItem",
    "ForeignName", "PageSize", "PageOrientation", "PageWidth",    "PageHeight", "PixelsPerInch"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A whole decimal number with an optional sign, nothing else.
std::optional<long long> ParseWholeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int> ParseInt(std::string_view text) {
    const auto value = ParseWholeNumber(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
    return static_cast<int>(*value);
}

// The first two blank-separated words of a line.
std::pair<std::string_view, std::string_view> KeyAndValue(std::string_view line) {
    line = Trim(line);
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    const std::string_view key = line.substr(0, end);
    std::string_view rest = Trim(line.substr(end));
    std::size_t valueEnd = 0;
    while (valueEnd < rest.size() && !IsBlank(rest[valueEnd])) ++valueEnd;
    return {key, rest.substr(0, valueEnd)};
}

// Doubles are written as integers, truncated toward zero.
std::string TruncatedText(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.0e18) return "0";
    return std::to_string(static_cast<long long>(std::trunc(value)));
}

std::string Line(const char* key, const std::string& value) {
    return std::string(key) + " " + value;
}

}  // namespace

TSetDlg::TSetDlg(tabulorix::SettingsHost* host) : host_(host) {
    Show();
}

void TSetDlg::StoreValues(const Values& values) {
    values_ = values;
    Show();
}

void TSetDlg::Show() {
    controls_.PaperXCountEdit = std::to_string(values_.PaperX);
    controls_.PaperYCountEdit = std::to_string(values_.PaperY);
    controls_.ComboBoxPagePos = values_.PagePosition;
    controls_.ComboBoxPageNoForm = values_.PageNoForm;
    controls_.ComboBoxNotation = values_.Notation;
    controls_.CheckBoxShadow = values_.Shadow == 1;
    controls_.CheckBoxRelationName = values_.ForeignName == 1;
    controls_.SelectField = values_.TableItem;
}

void TSetDlg::Cancel() {
    Show();
}

int TSetDlg::DisplayFlags() const {
    int flags = 0;
    if (controls_.SelectField == 2) flags |= kTableNameOnly;
    if (controls_.CheckBoxRelationName) flags |= kRelationNames;
    if (controls_.CheckBoxShadow) flags |= kShadow;
    if (controls_.SelectField == 0) flags |= kKeyColumnsOnly;
    switch (values_.Notation) {
        case 1:
            flags |= kIdef1x | kIndexMarks;
            break;
        case 2:
            flags |= kIdef1x | kIndexMarks | kIndexCharMarks;
            break;
        case 3:
            flags |= kIndexMarks | kIndexCharMarks;
            break;
        default:
            flags |= kIdef1x;
            break;
    }
    return flags;
}

void TSetDlg::ApplyDisplayFlags() {
    if (host_ != nullptr) host_->ApplyDisplayFlags(DisplayFlags());
}

bool TSetDlg::ParsePageCount(const std::string& text, const char* caption, int& result) const {
    const auto value = ParseWholeNumber(Trim(text));
    if (!value) {
        tabulorix::ShowMessage(std::string(caption) + "には整数を入力してください: \"" + text + "\"");
        return false;
    }
    if (*value > kMaxPages) {
        tabulorix::ShowMessage(std::string(caption) + "は " + std::to_string(kMaxPages) + " 枚までです: \"" +
                               text + "\"");
        return false;
    }
    // Zero or less stands for "as many as the diagram needs" (raised below).
    result = static_cast<int>(std::max<long long>(*value, 0));
    return true;
}

bool TSetDlg::Apply(bool force) {
    if (host_ == nullptr || !host_->HasDiagram()) return true;
    int x = 0;
    int y = 0;
    if (!ParsePageCount(controls_.PaperXCountEdit, "用紙横方向枚数", x) ||
        !ParsePageCount(controls_.PaperYCountEdit, "用紙縦方向枚数", y)) {
        return false;
    }
    // The page grid never cuts the diagram off.
    const tabulorix::PageGrid needed = host_->PagesNeeded();
    x = std::max({x, needed.across, 1});
    y = std::max({y, needed.down, 1});
    host_->SetPageCount(x, y);

    Values taken = values_;
    taken.PaperX = x;
    taken.PaperY = y;
    taken.PagePosition = controls_.ComboBoxPagePos;
    taken.PageNoForm = controls_.ComboBoxPageNoForm;
    taken.Notation = controls_.ComboBoxNotation;
    taken.Shadow = controls_.CheckBoxShadow ? 1 : 0;
    taken.ForeignName = controls_.CheckBoxRelationName ? 1 : 0;
    taken.TableItem = controls_.SelectField;

    const bool pagesChanged = taken.PaperX != values_.PaperX || taken.PaperY != values_.PaperY;
    const bool changed = taken != values_;
    if (changed) values_ = taken;
    if (changed || force) {
        modified_ = true;
        host_->HandDisplayFlags(DisplayFlags());
        if (pagesChanged) host_->SetWindowZoom();
        ApplyDisplayFlags();
    }
    return true;
}

bool TSetDlg::IsModified() const {
    if (modified_) return true;
    if (host_ == nullptr) return false;
    const tabulorix::PaperInfo paper = host_->GetPaperInfo();
    return paper.sizeCode != values_.PageSize || paper.orientation != values_.PageOrientation;
}

void TSetDlg::ResetToStartValues() {
    const Values start;
    Values reset = start;
    reset.PageSize = values_.PageSize;
    reset.PageOrientation = values_.PageOrientation;
    values_ = reset;
    modified_ = false;
    Show();
}

void TSetDlg::WriteItems(std::vector<std::string>& lines) {
    lines.push_back(Line("PaperX", std::to_string(values_.PaperX)));
    lines.push_back(Line("PaperY", std::to_string(values_.PaperY)));
    lines.push_back(Line("Notation", std::to_string(values_.Notation)));
    lines.push_back(Line("PagePosition", std::to_string(values_.PagePosition)));
    lines.push_back(Line("PageNoForm", std::to_string(values_.PageNoForm)));
    lines.push_back(Line("Shadow", std::to_string(values_.Shadow)));
    lines.push_back(Line("TableItem", std::to_string(values_.TableItem)));
    lines.push_back(Line("ForeignName", std::to_string(values_.ForeignName)));
    // The paper is saved as the printer has it now.
    if (host_ != nullptr) {
        const tabulorix::PaperInfo paper = host_->GetPaperInfo();
        values_.PageSize = paper.sizeCode;
        values_.PageOrientation = paper.orientation;
        values_.PageWidth = paper.pageWidth;
        values_.PageHeight = paper.pageHeight;
        values_.PixelsPerInch = paper.pixelsPerInch;
    }
    lines.push_back(Line("PageSize", std::to_string(values_.PageSize)));
    lines.push_back(Line("PageOrientation", std::to_string(values_.PageOrientation)));
    lines.push_back(Line("PageWidth", TruncatedText(values_.PageWidth)));
    lines.push_back(Line("PageHeight", TruncatedText(values_.PageHeight)));
    lines.push_back(Line("PixelsPerInch", TruncatedText(values_.PixelsPerInch)));
}

// Stores one "[SET ITEM]" value; false for a key that is not a setting.
bool TSetDlg::StoreItem(const std::string& key, int value) {
    const auto pages = [](int v) { return std::clamp(v, 1, kMaxPages); };
    struct IntKey {
        const char* name;
        int Values::*field;
    };
    static constexpr IntKey kIntKeys[] = {
        {"PagePosition", &Values::PagePosition}, {"PageNoForm", &Values::PageNoForm},
        {"Notation", &Values::Notation},         {"Shadow", &Values::Shadow},
        {"TableItem", &Values::TableItem},       {"ForeignName", &Values::ForeignName},
        {"PageSize", &Values::PageSize},         {"PageOrientation", &Values::PageOrientation},
    };
    struct DoubleKey {
        const char* name;
        double Values::*field;
    };
    static constexpr DoubleKey kDoubleKeys[] = {
        {"PageWidth", &Values::PageWidth},
        {"PageHeight", &Values::PageHeight},
        {"PixelsPerInch", &Values::PixelsPerInch},
    };
    if (key == "PaperX") {
        values_.PaperX = pages(value);
        return true;
    }
    if (key == "PaperY") {
        values_.PaperY = pages(value);
        return true;
    }
    for (const IntKey& k : kIntKeys) {
        if (key == k.name) {
            values_.*k.field = value;
            return true;
        }
    }
    for (const DoubleKey& k : kDoubleKeys) {
        if (key == k.name) {
            values_.*k.field = value;
            return true;
        }
    }
    return false;
}

std::optional<SettingsReadError> TSetDlg::ReadItems(const std::vector<std::string>& lines) {
    const auto section = std::find(lines.begin(), lines.end(), kSectionLine);
    if (section == lines.end()) return std::nullopt;

    for (auto it = section + 1; it != lines.end(); ++it) {
        if (it->empty() || it->front() == '[') break;
        const auto [key, valueText] = KeyAndValue(*it);
        const std::string keyText(key);
        // Only the keys of the settings are converted; an unknown key (from
        // another edition, say) is skipped whatever its value.
        if (std::find(std::begin(kKeys), std::end(kKeys), key) == std::end(kKeys)) continue;
        const auto value = ParseInt(valueText);
        if (!value) {
            Show();
            const std::string valueCopy(valueText);
            return SettingsReadError{
                keyText, valueCopy, static_cast<int>(it - lines.begin()),
                "設定項目 " + keyText + " の値 \"" + valueCopy + "\" は整数ではありません"};
        }
        StoreItem(keyText, *value);
    }

    if (host_ != nullptr) {
        // A paper that was never known (0, or -1 when the printer could not be
        // read at save time) is not forced onto the printer.
        if (values_.PageSize > 0 && (values_.PageOrientation == 1 || values_.PageOrientation == 2)) {
            host_->SetPaper(values_.PageSize, values_.PageOrientation);
        }
        host_->SetZoom100();
    }
    Show();
    return std::nullopt;
}

const std::vector<std::string>& TSetDlg::PagePositionItems() {
    static const std::vector<std::string> items = {"下-右",   "下-中央", "下-左", "上-右",
                                                   "上-中央", "上-左",   "なし"};
    return items;
}

const std::vector<std::string>& TSetDlg::PageNoFormItems() {
    static const std::vector<std::string> items = {" - 頁 -", " - 縦-横 -"};
    return items;
}

const std::vector<std::string>& TSetDlg::NotationItems() {
    static const std::vector<std::string> items = {
        "IDEF1X風", "IDEF1X風+索引記号", "IDEF1X風+索引記号+索引文字記号", "キー記号+索引記号+索引文字記号"};
    return items;
}

const std::vector<std::string>& TSetDlg::TableItemItems() {
    static const std::vector<std::string> items = {"表名とキー/索引列", "表名とすべての列", "表名のみ"};
    return items;
}

}  // namespace tabulorix
