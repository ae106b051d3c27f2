#include "diagram/layout_lines.h"

#include <charconv>
#include <memory>
#include <optional>
#include <string_view>

#include "base/ui_ports.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_text.h"

namespace tabulorix {

namespace {

constexpr const char* kSectionHeader = "[TABLE LAYOUT]";
constexpr const char* kTextOwner = "/";
constexpr const char* kLegendOwner = "//";

bool IsText(const MGShapeTable& box) {
    return box.BaseKind() == MGShapeField::kKindText;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Splits off the first blank-separated field; the rest follows the blank.
std::string_view TakeField(std::string_view& rest) {
    const auto blank = rest.find(' ');
    std::string_view field = blank == std::string_view::npos ? rest : rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view{} : Trim(rest.substr(blank + 1));
    return Trim(field);
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (text.empty() || error != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

// A layout position: a whole number within kMaxLayoutPosition, so that the
// box's far edge (and every page and zoom computed from it) stays an int.
std::optional<int> LayoutPosition(std::string_view text) {
    const std::optional<int> value = WholeNumber(text);
    if (!value || *value > kMaxLayoutPosition || *value < -kMaxLayoutPosition) return std::nullopt;
    return value;
}

std::string StyleLetters(int style) {
    std::string letters;
    if ((style & tabulorix::kFontBold) != 0) letters += "B";
    if ((style & tabulorix::kFontItalic) != 0) letters += "I";
    if ((style & tabulorix::kFontUnderline) != 0) letters += "U";
    return letters;
}

// Reads one layout line; false when it cannot be read.
bool ReadLine(MGDrawTableList& diagram, std::string_view line) {
    if (line.empty()) return false;
    std::string_view rest = Trim(line);
    const std::string owner(TakeField(rest));
    const std::string name(TakeField(rest));
    MGShapeTable* box = diagram.FindBox(owner, name);
    if (box == nullptr) return true;
    const std::optional<int> left = LayoutPosition(TakeField(rest));
    const std::optional<int> top = LayoutPosition(TakeField(rest));
    if (!left || !top) return false;
    const tabulorix::Rect& p = box->Position();
    box->SetPosition(tabulorix::Rect{*left, *top, *left + (p.right - p.left), *top + (p.bottom - p.top)});
    box->SetState(MGShapeRect::kStateNormal);
    if (IsText(*box)) {
        box->SetOwner(kTextOwner);
        box->SetName(kTextOwner);
    }
    return true;
}

}  // namespace

void NameTextsAndLegend(MGDrawTableList& diagram) {
    int number = 1;
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable* box = diagram.Item(i);
        if (box == nullptr) continue;
        if (IsText(*box)) {
            box->SetOwner(kTextOwner);
            box->SetName(std::string(kTextOwner) + std::to_string(number++));
        } else if (box->IsLegend()) {
            box->SetOwner(kLegendOwner);
        }
    }
}

void WriteLayoutLines(MGDrawTableList& diagram, std::vector<std::string>& lines) {
    NameTextsAndLegend(diagram);
    for (int i = 0; i < diagram.Count(); ++i) {
        const MGShapeTable* box = diagram.Item(i);
        if (box == nullptr) continue;
        lines.push_back(box->Owner() + " " + box->Name() + " " + std::to_string(box->Position().left) + " " +
                        std::to_string(box->Position().top));
    }
}

void WriteTextRows(MGDrawTableList& diagram, ZMGCell& target) {
    NameTextsAndLegend(diagram);
    for (int i = 0; i < diagram.Count(); ++i) {
        const auto* text = dynamic_cast<const MGShapeText*>(diagram.Item(i));
        if (text == nullptr || !IsText(*text)) continue;
        auto row = std::make_unique<ZMGRowExt>();
        row->AddItem(text->Name());
        row->AddItem(text->Text());
        row->AddItem(text->FontName());
        row->AddItem(std::to_string(text->FontSize()));
        row->AddItem(StyleLetters(text->FontStyle()));
        target.AddRow(std::move(row));
    }
}

bool ReadLayoutLines(MGDrawTableList& diagram, const std::vector<std::string>& lines) {
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != kSectionHeader) ++i;
    // A line that cannot be read is reported once; the lines after it still
    // place their boxes, so one damaged line costs only its own box.
    bool readable = true;
    for (++i; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!line.empty() && line.front() == '[') break;
        if (!ReadLine(diagram, line) && readable) {
            tabulorix::ShowMessage(kLayoutReadError);
            readable = false;
        }
    }
    return readable;
}

}  // namespace tabulorix
