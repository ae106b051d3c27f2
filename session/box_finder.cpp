#include "session/box_finder.h"

#include <algorithm>

#include "catalogue/row_items.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"

namespace tabulorix {

namespace {

char Folded(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string FoldedText(const std::string& text) {
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(), Folded);
    return folded;
}

bool Holds(const std::string& haystack, const std::string& foldedNeedle) {
    const auto found = std::search(haystack.begin(), haystack.end(), foldedNeedle.begin(), foldedNeedle.end(),
                                   [](char a, char b) { return Folded(a) == b; });
    return found != haystack.end();
}

bool IsTableOrView(const MGShapeTable& box) {
    return (box.Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) != 0 && !box.IsLegend();
}

}  // namespace

std::vector<MGFoundBox> FindBoxes(const MGDrawTableList& diagram, const std::string& text, std::size_t limit) {
    std::vector<MGFoundBox> found;
    if (text.empty()) return found;
    const std::string needle = FoldedText(text);
    std::vector<bool> named(static_cast<std::size_t>(diagram.Count()), false);
    for (int i = 0; i < diagram.Count() && found.size() < limit; ++i) {
        MGShapeTable& box = *diagram.Item(i);
        if (!IsTableOrView(box) || !(Holds(box.Name(), needle) || Holds(box.LogicalName(), needle))) continue;
        named[static_cast<std::size_t>(i)] = true;
        found.push_back({&box, {}});
    }
    for (int i = 0; i < diagram.Count() && found.size() < limit; ++i) {
        MGShapeTable& box = *diagram.Item(i);
        if (named[static_cast<std::size_t>(i)] || !IsTableOrView(box)) continue;
        const ZMGCell& columns = box.ColumnRows();
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            const std::string& physical = columns.GetRow(r).ItemOrEmpty(column_row::kColumnNameP);
            const std::string& logical = columns.GetRow(r).ItemOrEmpty(column_row::kColumnNameL);
            if (!Holds(physical, needle) && !Holds(logical, needle)) continue;
            found.push_back({&box, physical});
            break;
        }
    }
    return found;
}

}  // namespace tabulorix
