// Measuring and drawing of table, view and legend boxes: the title line, one
// line per column with its icon cells, key and index symbols and markers,
// the shadow, and the moving outline of a dragged box.
#include <algorithm>
#include <array>
#include <cmath>

#include "diagram/shape_field.h"
#include "render/draw_box.h"

namespace tabulorix {

using tabulorix::BrushStyle;
using tabulorix::PenMode;
using tabulorix::PenStyle;
using tabulorix::Rect;

namespace {

// Spare room around texts inside a box and added to every line.
constexpr int kTextInset = 4;
constexpr int kLinePadding = 8;

// Rows shown by the legend without and in names-only mode (header counted).
constexpr int kLegendRowsPlain = 9;
constexpr int kLegendRowsNamesOnly = 5;
// Lines a names-only box is stored high.
constexpr int kNamesOnlyLines = 3;

int At(int origin, double fraction, int size) {
    return static_cast<int>(std::trunc(origin + fraction * size));
}

struct MarkerKind {
    std::uint32_t flag;
    int displayBit;
    const char* prefix;
};

constexpr std::array<MarkerKind, 5> kMarkerKinds = {{
    {kKeyPrimary, MGShapeRect::kFlagKeyMarkers, "(PK)"},
    {kKeyUnique, MGShapeRect::kFlagKeyMarkers, "(AK"},
    {kKeyForeign, MGShapeRect::kFlagKeyMarkers, "(FK"},
    {kIndexUnique, MGShapeRect::kFlagIndexMarkers, "(UI"},
    {kIndexNonUnique, MGShapeRect::kFlagIndexMarkers, "(NI"},
}};

const std::vector<std::string>& NumbersOf(const ZMGRowExt& column, std::uint32_t kind) {
    static const std::vector<std::string> kNone;
    const auto* field = dynamic_cast<const ZMGRowField*>(&column);
    return field == nullptr ? kNone : field->KeyNumbers(kind);
}

}  // namespace

// ---- what a box shows -------------------------------------------------------

int MGShapeField::IconCellCount() const {
    if (IsLegend()) return 1;
    if (!Detailed() || IsView() || (DisplayFlags() & kFlagNamesOnly) != 0) return 0;
    return (DisplayFlags() & kFlagIndexIcons) != 0 ? 2 : 1;
}

int MGShapeField::ShownRowCount() const {
    if (!IsLegend()) return ColumnRows().RowCount();
    if ((DisplayFlags() & kFlagNamesOnly) != 0) return kLegendRowsNamesOnly;
    if ((DisplayFlags() & kFlagIndexIcons) != 0) return ColumnRows().RowCount();
    return kLegendRowsPlain;
}

int MGShapeField::StoredLineCount() const {
    if (BaseKind() == kKindText || !Detailed()) return 1;
    const int flags = DisplayFlags();
    if ((flags & kFlagNamesOnly) != 0) return IsLegend() ? kLegendRowsNamesOnly : kNamesOnlyLines;
    if (IsLegend()) return (flags & kFlagIndexIcons) != 0 ? ColumnRows().RowCount() : kLegendRowsPlain;
    if ((flags & kFlagKeysOnly) != 0) return KeyColumnCount() + 1;
    return ColumnRows().RowCount();
}

void MGShapeField::AppendMarkerText(const ZMGRowExt& column, std::string& text) const {
    bool prefixWritten = false;
    const std::uint32_t flags = column.GetFlags();
    for (const MarkerKind& kind : kMarkerKinds) {
        if ((DisplayFlags() & kind.displayBit) == 0 || (flags & kind.flag) == 0) continue;
        if (!prefixWritten) {
            text += "  ";
            prefixWritten = true;
        }
        for (const std::string& number : NumbersOf(column, kind.flag)) {
            text += kind.prefix;
            if (kind.flag != kKeyPrimary) text += number + ")";
        }
    }
}

const std::string& MGShapeField::ColumnText(const ZMGRowExt& column, int displayMode, bool measuring) const {
    // Logical name at position 0, physical at 1.
    const bool physical = measuring ? (displayMode & 0x1) == 0 : (displayMode & 0x2) != 0;
    return column.ItemOrEmpty(physical ? 1 : 0);
}

void MGShapeField::Collapse() {
    tabulorix::Rect collapsed = Position();
    collapsed.right = collapsed.left;
    SetPosition(collapsed);
}

// ---- measuring --------------------------------------------------------------

void MGShapeField::CalcSize(ZMGDrawBox& box, int displayMode) {
    if (SizeDirty() == 0 && Position().right - Position().left > 0) return;
    SetSizeDirty(0);
    int wt = 0;
    int ht = 0;
    box.TextExtentWorld(GetTitle(displayMode), wt, ht);
    int maxW = 0;
    int maxH = ht;
    const int cells = IconCellCount();
    const bool namesOnly = (DisplayFlags() & kFlagNamesOnly) != 0;
    if ((Detailed() && !namesOnly) || IsLegend()) {
        const int rows = std::min(ShownRowCount(), ColumnRows().RowCount());
        for (int i = 1; i < rows; ++i) {
            const ZMGRowExt& column = ColumnRows().GetRow(i);
            int w = 0;
            int h = 0;
            box.TextExtentWorld(ColumnText(column, displayMode, true), w, h);
            std::string marker;
            AppendMarkerText(column, marker);
            if (!marker.empty()) {
                int mw = 0;
                int mh = 0;
                box.TextExtentWorld(marker, mw, mh);
                w += mw;
            }
            maxW = std::max(maxW, w);
            maxH = std::max(maxH, h);
        }
    }
    const int lh = maxH + kLinePadding;
    SetLineHeight(lh);
    int width = wt;
    if (wt < lh * cells + maxW) width = maxW + lh * cells;
    width += kLinePadding;
    tabulorix::Rect measured = Position();
    measured.right = measured.left + width;
    measured.bottom = measured.top + lh * StoredLineCount();
    SetPosition(measured);
}

// ---- drawing ----------------------------------------------------------------

void MGShapeField::Draw(int displayMode, ZMGDrawBox& box) {
    CalcSize(box, displayMode);
    switch (State()) {
        case kStateNormal:
        case kStateSelected:
            DrawBody(displayMode, box);
            break;
        case kStateDragged:
            box.SetPenMode(PenMode::Not);
            box.SetPenStyle(PenStyle::Dot);
            box.SetBrushStyle(BrushStyle::Clear);
            box.Rectangle(Outline(), true);
            break;
        default:
            break;  // not placed, or deleted
    }
}

tabulorix::Rect MGShapeField::GetUpdateRect(ZMGDrawBox& box) {
    Rect rect = State() == kStateNormal ? Position() : Outline();
    rect.right += LineHeight();
    rect.bottom += LineHeight();
    return box.MapRect(rect);
}

void MGShapeField::DrawBody(int displayMode, ZMGDrawBox& box) {
    if (!Detailed() && box.IsPrinting()) return;
    const int flags = DisplayFlags();
    const bool selected = State() == kStateSelected;
    const bool shadowPass = (flags & kFlagShadowPass) != 0;
    const int lh = LineHeight();
    const Rect& pos = Position();
    tabulorix::Color textColor = tabulorix::kBlack;

    box.SetPenMode(PenMode::Copy);
    box.SetBrushColor(tabulorix::kWhite);
    box.SetPenStyle(PenStyle::Solid);
    if (!Detailed()) {
        if (selected) {
            box.SetPenColor(tabulorix::kBlack);
            box.SetPenWidth(2);
            box.SetPenStyle(PenStyle::Solid);
        } else {
            box.SetPenColor(tabulorix::kLightGrey);
            box.SetPenWidth(1);
            box.SetPenStyle(PenStyle::Dash);
        }
        textColor = tabulorix::kLightGrey;
    } else {
        box.SetPenColor((Kind() & kKindRedOutline) != 0 ? tabulorix::kRed : tabulorix::kBlack);
        if (selected && !shadowPass) {
            box.SetPenWidth(2);
        } else {
            box.SetPenWidth(1);
            box.SetPenStyle(IsView() ? PenStyle::Dot : PenStyle::Solid);
        }
        if (!IsLegend() && (flags & kFlagShadow) != 0 && shadowPass) {
            const int o = lh / 2;
            box.SetPenColor(tabulorix::kLightGrey);
            box.SetPenStyle(PenStyle::Solid);
            box.SetBrushColor(tabulorix::kLightGrey);
            const Rect shadow{pos.left + o, pos.top + o, pos.right + o, pos.bottom + o};
            if (Rounded()) {
                box.RoundRect(shadow.left, shadow.top, shadow.right, shadow.bottom, o, o);
            } else {
                box.Rectangle(shadow, true);
            }
            return;
        }
    }
    if (Rounded()) {
        box.RoundRect(pos.left, pos.top, pos.right, pos.bottom, lh / 2, lh / 2);
    } else {
        box.Rectangle(pos, true);
    }

    box.SetPenWidth(1);
    const int cells = IconCellCount();
    for (int k = 1; k <= cells; ++k) {
        box.MoveTo(pos.left + k * lh, pos.top + lh);
        box.LineTo(pos.left + k * lh, pos.bottom);
    }
    box.SetBrushStyle(BrushStyle::Clear);
    box.DrawText(pos.left + kTextInset, pos.top + kTextInset, GetTitle(displayMode), textColor);

    if (!Detailed() || ((flags & kFlagNamesOnly) != 0 && !IsLegend())) return;
    const bool keysOnly = (flags & kFlagKeysOnly) != 0 && !IsLegend();
    const int rows = std::min(ShownRowCount(), ColumnRows().RowCount());
    int y = pos.top + lh;
    for (int i = 1; i < rows; ++i) {
        const ZMGRowExt& column = ColumnRows().GetRow(i);
        if (keysOnly && (column.GetFlags() & kAnyKeyOrIndexFlags) == 0) continue;
        box.MoveTo(pos.left, y);
        box.LineTo(pos.right, y);
        // The icons of the previous line leave a solid brush behind; texts
        // are drawn on a clear brush so that no cell is filled behind them.
        box.SetBrushStyle(BrushStyle::Clear);
        box.DrawText(pos.left + lh * cells + kTextInset, y + kTextInset,
                     ColumnText(column, displayMode, false), tabulorix::kBlack);
        std::string marker;
        AppendMarkerText(column, marker);
        if (!marker.empty()) {
            int mw = 0;
            int mh = 0;
            box.TextExtentWorld(marker, mw, mh);
            box.DrawText(pos.right - mw - kTextInset, y + kTextInset, marker, tabulorix::kBlack);
        }
        if (cells > 0) {
            const Rect first{pos.left, y, pos.left + lh, y + lh + 1};
            DrawKeyIcon(box, column, first);
            if (cells == 2) {
                DrawIndexIcon(box, column, Rect{pos.left + lh, y, pos.left + 2 * lh, y + lh + 1});
            } else if (IsLegend()) {
                DrawIndexIcon(box, column, first);
            }
        }
        y += lh;
    }
}

void MGShapeField::DrawKeyIcon(ZMGDrawBox& box, const ZMGRowExt& columnRow, const Rect& cell) {
    const int w = cell.right - cell.left;
    const int h = cell.bottom - cell.top;
    const int l = cell.left;
    const int t = cell.top;
    box.SetPenMode(PenMode::Copy);
    box.SetBrushColor(tabulorix::kWhite);
    box.SetPenStyle(PenStyle::Solid);
    box.SetPenColor(tabulorix::kBlack);
    if ((columnRow.GetFlags() & kAnyKeyFlags) != 0) {
        box.SetPenColor(tabulorix::kGrey);
        box.SetBrushColor(tabulorix::kYellow);
        // The tooth, the shaft and the bow of the key.
        box.Rectangle(Rect{At(l, 0.65, w), At(t, 0.50, h), At(l, 0.85, w), At(t, 0.60, h)}, true);
        box.Rectangle(Rect{At(l, 0.40, w), At(t, 0.45, h), At(l, 0.90, w), At(t, 0.55, h)}, true);
        box.Ellipse(Rect{At(l, 0.20, w), At(t, 0.30, h), At(l, 0.50, w), At(t, 0.70, h)}, true);
        box.SetPenColor(tabulorix::kBlack);
    }
    DrawMarkExtra(box, columnRow.GetFlags(), cell);
}

void MGShapeField::DrawIndexIcon(ZMGDrawBox& box, const ZMGRowExt& columnRow, const Rect& cell) {
    const int w = cell.right - cell.left;
    const int l = cell.left;
    const int t = cell.top;
    const std::uint32_t flags = columnRow.GetFlags();
    box.SetBrushStyle(BrushStyle::Solid);
    box.SetPenStyle(PenStyle::Solid);
    box.SetPenColor(tabulorix::kBlack);
    const Rect outer{At(l, 0.30, w), At(t, 0.30, w), At(l, 0.70, w), At(t, 0.70, w)};
    if ((flags & kIndexNonUnique) != 0) {
        box.SetBrushColor(tabulorix::kWhite);
        box.Ellipse(outer, true);
        if ((flags & kIndexUnique) != 0) {
            box.SetBrushColor(tabulorix::kBlack);
            box.Ellipse(Rect{At(l, 0.40, w), At(t, 0.40, w), At(l, 0.60, w), At(t, 0.60, w)}, true);
        }
    } else if ((flags & kIndexUnique) != 0) {
        box.SetBrushColor(tabulorix::kBlack);
        box.Ellipse(outer, true);
    }
}

void MGShapeField::DrawMarkExtra(ZMGDrawBox& /*box*/, std::uint32_t /*keyFlags*/, const Rect& /*iconCell*/) {
    // Ordinary boxes have no extra marks; the legend draws its line marks.
}

}  // namespace tabulorix
