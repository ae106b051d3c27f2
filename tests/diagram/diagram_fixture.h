// Shared set-up of the diagram tests: a drawing box over a recording paint
// box (800 × 600 at 96 dpi) and a 600-dpi printer of 6250 × 6250 pixels, so
// that the paper is 1000 × 1000 world units; a diagram bound to it; and
// helpers that build table boxes with columns, keys and foreign keys the way
// the catalogue reader leaves them.
//
// With the recording canvas a 9-pt text is 12 units high and 6 units per
// character, so every box line is 12 + 8 = 20 units high at zoom 100.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "diagram/diagram_build.h"
#include "diagram/draw_table_list.h"
#include "diagram/relation_lines.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"
#include "render/draw_box.h"
#include "support/catalogue_builder.h"
#include "support/recording_canvas.h"
#include "support/recording_host.h"

namespace tabulorix::diagram_test {

using tabulorix::Rect;
using tabulorix::testing::CanvasCall;

inline constexpr int kLine = 20;  // line height of a 9-pt box
inline constexpr int kChar = 6;   // width of one character

struct Column {
    std::string name;
    bool nullable = false;
};

// A column row: logical and physical name, type, length, nullable,
// default, comment.
inline std::unique_ptr<ZMGRowField> ColumnRow(const std::string& name, bool nullable) {
    auto row = std::make_unique<ZMGRowField>();
    for (const std::string& item : {name, name, std::string("NUMBER"), std::string("10"),
                                    std::string(nullable ? "Y" : "N"), std::string(), std::string()})
        row->AddItem(item);
    return row;
}

template <typename Box>
void AddColumns(Box& box, const std::vector<Column>& columns) {
    auto header = std::make_unique<ZMGRowField>();
    for (const char* caption :
         {"ColumnNameL", "ColumnNameP", "DataType", "DataLength", "Nullable", "DataDefault", "Comments"})
        header->AddItem(caption);
    box.ColumnRows().AddRow(std::move(header));
    for (const Column& column : columns) box.ColumnRows().AddRow(ColumnRow(column.name, column.nullable));
}

inline std::unique_ptr<MGShapeTable> Table(const std::string& owner, const std::string& name,
                                           const std::vector<Column>& columns, int schemaNumber = 1) {
    auto box = std::make_unique<MGShapeTable>(schemaNumber, owner, name, name, "", true);
    AddColumns(*box, columns);
    return box;
}

// Key and index rows as the catalogue reader leaves them, the key numbers
// already resolved (a foreign key's is the number of the key it references).
using tabulorix::testing::Numbered;

inline void AddPrimaryKey(MGShapeTable& box, const std::string& name, int keyNumber,
                          const std::vector<std::string>& columns) {
    tabulorix::testing::AddKey(box.PrimaryKeyRows(), {name, "ENABLED"}, Numbered(columns), keyNumber);
}

inline void AddUnique(MGShapeTable& box, const std::string& name, int keyNumber,
                      const std::vector<std::string>& columns) {
    tabulorix::testing::AddKey(box.UniqueRows(), {name, "ENABLED"}, Numbered(columns), keyNumber);
}

inline void AddForeignKey(MGShapeTable& box, const std::string& name, const std::string& referenceOwner,
                          int keyNumber, const std::vector<std::string>& columns,
                          const std::string& deleteRule = "NO ACTION") {
    tabulorix::testing::AddKey(box.ForeignKeyRows(),
                               {name, name, referenceOwner, "PK", deleteRule, "ENABLED"}, Numbered(columns),
                               keyNumber);
}

inline void AddIndex(MGShapeTable& box, const std::string& name, bool unique,
                     const std::vector<std::string>& columns) {
    tabulorix::testing::AddKey(box.IndexRows(), {name, unique ? "UNIQUE" : "NONUNIQUE"}, Numbered(columns));
}

using Parts = tabulorix::testing::BoxParts<tabulorix::testing::RecordingPrinter>;

class DiagramTest : public ::testing::Test, protected Parts {
protected:
    DiagramTest() : Parts(6250, 6250, 600) { box.SetZoom(100, 1); }

    // Adds a box with numbering and places it at the rectangle (measured
    // size kept as given: the box is not size-dirty).
    template <typename Box>
    Box& Place(std::unique_ptr<Box> shape, const Rect& rect, int lineHeight = kLine) {
        Box& added = *shape;
        diagram.AddBox(std::move(shape));
        added.SetPosition(rect);
        added.SetLineHeight(lineHeight);
        added.SetSizeDirty(0);
        added.SetState(MGShapeRect::kStateNormal);
        return added;
    }

    // EMP (child) left of DEPT (parent), one straight line at world y = 140.
    MGShapeTable& RelatedPair() {
        auto dept = Table("SCOTT", "DEPT", {{"DEPTNO"}});
        AddPrimaryKey(*dept, "PK_DEPT", 1, {"DEPTNO"});
        Place(std::move(dept), {400, 100, 500, 180});
        auto emp = Table("SCOTT", "EMP", {{"DEPTNO"}});
        AddForeignKey(*emp, "FK", "SCOTT", 1, {"DEPTNO"});
        MGShapeTable& child = Place(std::move(emp), {100, 100, 200, 180});
        MarkKeys(diagram);
        BuildRelations(diagram);
        SpreadAttachments(diagram);
        return child;
    }

    Rect Mapped(const Rect& world) { return box.MapRect(world); }
    // A world rectangle or point on the device, as a recorded call has it.
    std::vector<int> Dev(const Rect& world) {
        const Rect d = Mapped(world);
        return {d.left, d.top, d.right, d.bottom};
    }
    std::vector<int> P(int x, int y) { return {box.MapX(x), box.MapY(y)}; }
    // The position of the first text drawn with the text (empty if none).
    std::vector<int> TextAt(const std::string& text) const {
        for (const CanvasCall& call : paintBox.canvas.Calls("TextOut"))
            if (call.text == text) return call.ints;
        return {};
    }

    // The drawing calls recorded on the paint box since the last Clear.
    std::vector<CanvasCall> Drawing() const { return paintBox.canvas.Drawing(); }
    std::vector<CanvasCall> Calls(const char* op) const { return paintBox.canvas.Calls(op); }

    MGDrawTableList diagram{&box};
};

inline std::vector<int> Ints(std::initializer_list<int> values) {
    return std::vector<int>(values);
}

}  // namespace tabulorix::diagram_test
