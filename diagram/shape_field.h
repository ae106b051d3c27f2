// A box with a title line and one line per column: the common part of table,
// view, text and legend boxes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/presentation_handles.h"
#include "catalogue/row_table.h"
#include "diagram/shape_rect.h"

namespace tabulorix {

class MGShapeField : public MGShapeRect {
public:
    // Kinds of box; the red-outline bit may be added to any of them.
    static constexpr int kKindTable = 1;
    static constexpr int kKindView = 2;
    static constexpr int kKindText = 4;
    static constexpr int kKindLegend = 8;
    static constexpr int kKindRedOutline = 0x80;

    MGShapeField();
    ~MGShapeField() override;

    // Slot 1: left, top and right as stored; the bottom counts one line in
    // names-only mode, the key and index columns plus the title in keys-only
    // mode, else every row of the column rows (header included).
    tabulorix::Rect GetRect() const override;
    // Slot 2: measures when needed, then draws by state.
    void Draw(int displayMode, ZMGDrawBox& box) override;

    // Slot 4: measures the box and stores right, bottom and the line height.
    virtual void CalcSize(ZMGDrawBox& box, int displayMode);
    // True when CalcSize measures on every call (not only when the size is
    // due), so that only a call shows whether the size changed.
    virtual bool MeasuresEveryCall() const { return false; }
    // Slot 5: the title line.
    virtual std::string GetTitle(int displayMode) const;
    // Slot 6: extra marks in a column's icon cell (none here).
    virtual void DrawMarkExtra(ZMGDrawBox& box, std::uint32_t keyFlags, const tabulorix::Rect& iconCell);
    // Slot 7: the device rectangle to invalidate for this box.
    virtual tabulorix::Rect GetUpdateRect(ZMGDrawBox& box);
    // Slot 8: the key symbol of a column.
    virtual void DrawKeyIcon(ZMGDrawBox& box, const ZMGRowExt& columnRow, const tabulorix::Rect& iconCell);
    // Slot 9: the index symbol of a column.
    virtual void DrawIndexIcon(ZMGDrawBox& box, const ZMGRowExt& columnRow, const tabulorix::Rect& iconCell);
    // Slot 10: the box itself: outline, title, column lines and marks.
    virtual void DrawBody(int displayMode, ZMGDrawBox& box);

    int LineHeight() const { return lineHeight_; }
    void SetLineHeight(int height) {
        if (lineHeight_ != height) GeometryChanged();
        lineHeight_ = height;
    }
    // The visible flag: false shows the title only, greyed.
    bool Detailed() const { return detailed_; }
    void SetDetailed(bool detailed) {
        if (detailed_ != detailed) GeometryChanged();
        detailed_ = detailed;
    }
    // Row 0 is the header, rows 1 .. n the columns.
    ZMGCell& ColumnRows() { return *columnRows_; }
    const ZMGCell& ColumnRows() const { return *columnRows_; }
    int Kind() const { return kind_; }
    void SetKind(int kind) { kind_ = kind; }
    tabulorix::TreeNodeHandle TreeNode() const { return treeNode_; }
    void SetTreeNode(tabulorix::TreeNodeHandle node) { treeNode_ = node; }
    bool Rounded() const { return rounded_; }
    void SetRounded(bool rounded) {
        if (rounded_ != rounded) GeometryChanged();
        rounded_ = rounded;
    }

    // Number of column rows (header excluded) that carry a key or index flag.
    int KeyColumnCount() const;

    // The kind without the red-outline bit.
    int BaseKind() const { return kind_ & ~kKindRedOutline; }
    bool IsLegend() const { return BaseKind() == kKindLegend; }
    bool IsView() const { return BaseKind() == kKindView; }
    // Icon cells at the left of every column line: 0, 1 or 2.
    int IconCellCount() const;
    // Rows of the column rows taken into account (header counted).
    int ShownRowCount() const;
    // Lines the stored rectangle is high after measuring.
    int StoredLineCount() const;
    // Appends the key and index markers of a column ("  (PK)(FK2)") as the
    // display flags select them.
    void AppendMarkerText(const ZMGRowExt& column, std::string& text) const;
    // The text of a column line, as measured or as drawn.
    const std::string& ColumnText(const ZMGRowExt& column, int displayMode, bool measuring) const;
    // Collapses the right edge onto the left so that the next CalcSize
    // measures the box anew (after a font change).
    void Collapse();

private:
    int lineHeight_ = 0;
    bool detailed_ = true;
    std::unique_ptr<ZMGCell> columnRows_;
    int kind_ = 0;
    tabulorix::TreeNodeHandle treeNode_;  // owned by the window
    bool rounded_ = false;
};

}  // namespace tabulorix
