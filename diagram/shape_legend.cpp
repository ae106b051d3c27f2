#include "diagram/shape_legend.h"

#include "render/draw_box.h"

#include <array>
#include <memory>

namespace tabulorix {

namespace {

struct LegendEntry {
    std::uint32_t flags;
    const char* text;
};

constexpr std::array<LegendEntry, 12> kLegendRows = {{
    {0, " "},
    {MGShapeLegend::kMarkChildEnd, "外部参照側の子表"},
    {MGShapeLegend::kMarkNullable, "NULL可"},
    {MGShapeLegend::kMarkNotNull, "NULL不可"},
    {MGShapeLegend::kMarkCascade, "親表の削除により子表も削除"},
    {0, "\u3000"},
    {kKeyPrimary, "(PK) 主キー制約"},
    {kKeyUnique, "(AKn) 一意制約"},
    {kKeyForeign, "(FKn) 外部キー制約"},
    {kIndexUnique, "(UIn) 索引(一意)"},
    {kIndexNonUnique, "(NIn) 索引(重複可)"},
    {kIndexUnique | kIndexNonUnique, "(UIn)(NIn) 索引(一意/重複可)"},
}};

// A column row with the text as logical and physical column name and the
// remaining five column items empty.
std::unique_ptr<ZMGRowField> LegendRow(const LegendEntry& entry) {
    auto row = std::make_unique<ZMGRowField>();
    row->AddItem(entry.text);
    row->AddItem(entry.text);
    for (int i = 0; i < 5; ++i) row->AddItem(std::string());
    row->SetFlags(entry.flags);
    return row;
}

}  // namespace

MGShapeLegend::MGShapeLegend() {
    SetKind(kKindLegend);
    SetName("Legend");
    SetLogicalName("Legend");
    SetOwner("//");
    SetDetailed(true);
    for (const LegendEntry& entry : kLegendRows) ColumnRows().AddRow(LegendRow(entry));
}

MGShapeLegend::~MGShapeLegend() = default;

std::string MGShapeLegend::GetTitle(int /*displayMode*/) const {
    return "\u3000凡例";
}

void MGShapeLegend::DrawMarkExtra(ZMGDrawBox& box, std::uint32_t keyFlags, const tabulorix::Rect& iconCell) {
    const int l = iconCell.left;
    const int t = iconCell.top;
    const int r = iconCell.right;
    const int b = iconCell.bottom;
    const int w = r - l;
    const int h = b - t;
    // The square of the child-end dot and of the cascade mark.
    const int markTop = t + 2 * h / 6;
    const int markBottom = b - h / 3;
    const int s = markBottom - markTop;
    const tabulorix::Rect mark{l + w / 2, markTop, l + w / 2 + s, markBottom};
    const int lineY = t + h / 2;
    auto shortLine = [&] {
        box.MoveTo(l + w / 6, lineY);
        box.LineTo(l + w / 2, lineY);
    };
    auto longLine = [&] {
        box.MoveTo(l + w / 6, lineY);
        box.LineTo(r - w / 6, lineY);
    };
    box.SetPenColor(tabulorix::kBlack);
    switch (keyFlags) {
        case kMarkChildEnd:
            box.SetPenStyle(tabulorix::PenStyle::Solid);
            box.SetBrushColor(tabulorix::kBlack);
            box.Ellipse(mark, true);
            shortLine();
            break;
        case kMarkNullable:
            box.SetPenStyle(tabulorix::PenStyle::Dot);
            longLine();
            box.SetPenStyle(tabulorix::PenStyle::Solid);
            break;
        case kMarkNotNull:
            box.SetPenStyle(tabulorix::PenStyle::Solid);
            longLine();
            break;
        case kMarkCascade:
            box.SetBrushColor(tabulorix::kWhite);
            box.SetPenStyle(tabulorix::PenStyle::Solid);
            box.Rectangle(mark, true);
            shortLine();
            break;
        default:
            break;
    }
}

}  // namespace tabulorix
