#include "diagram/diagram_build.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/worker_thread.h"
#include "catalogue/column_index.h"
#include "catalogue/row_items.h"
#include "diagram/auto_layout.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_legend.h"
#include "render/draw_box.h"

namespace tabulorix {

namespace {

// Physical column name -> the first column row of that name (null when
// there is none, or when it is not a column row of a table box).
class ColumnFinder {
public:
    ColumnFinder(ZMGCell& columns, const MGColumnPrintBook* book) : columns_(columns), index_(book) {}
    ZMGRowField* Find(const std::string& name) const {
        const int position = index_.Find(columns_, name);
        return position == 0 ? nullptr : dynamic_cast<ZMGRowField*>(&columns_.GetRow(position));
    }

private:
    ZMGCell& columns_;
    mutable MGColumnIndex index_;
};

// Marks every row of a key table (rows 1 .. n) and its columns with the
// flag; the row's position is the constraint number of its columns.
template <typename FlagOf>
void MarkTable(ZMGCell& keys, const ColumnFinder& finder, FlagOf flagOf) {
    for (int r = 1; !keys.IsPastEnd(r); ++r) {
        ZMGRowExt& row = keys.GetRow(r);
        const std::uint32_t flag = flagOf(row);
        row.SetFlags(flag);
        const auto* key = dynamic_cast<const ZMGRowCell*>(&row);
        if (key == nullptr) continue;
        const std::uint32_t columnFlag = flag & kAnyKeyOrIndexFlags;
        const std::string number = std::to_string(r);
        const ZMGCell& columns = key->Child();
        for (int c = 1; !columns.IsPastEnd(c); ++c) {
            if (ZMGRowField* column = finder.Find(columns.GetRow(c).ItemOrEmpty(0)))
                column->AddKeyMark(columnFlag, number);
        }
    }
}

void MarkBox(MGShapeTable& box, const MGColumnPrintBook* book) {
    ZMGCell& columns = box.ColumnRows();
    for (int r = 1; !columns.IsPastEnd(r); ++r) {
        if (auto* field = dynamic_cast<ZMGRowField*>(&columns.GetRow(r))) field->ClearKeyMarks();
    }
    const ColumnFinder finder(columns, book);
    MarkTable(box.PrimaryKeyRows(), finder, [](const ZMGRowExt&) -> std::uint32_t { return kKeyPrimary; });
    MarkTable(box.UniqueRows(), finder, [](const ZMGRowExt&) -> std::uint32_t { return kKeyUnique; });
    MarkTable(box.ForeignKeyRows(), finder, [](const ZMGRowExt& row) -> std::uint32_t {
        const bool cascade = row.ItemOrEmpty(foreign_key_row::kDeleteRule) == "CASCADE";
        return kKeyForeign | (cascade ? kKeyCascade : 0u);
    });
    MarkTable(box.IndexRows(), finder, [](const ZMGRowExt& row) -> std::uint32_t {
        return row.ItemOrEmpty(index_row::kUniqueness) == "UNIQUE" ? kIndexUnique : kIndexNonUnique;
    });
}

}  // namespace

MGShapeLegend& AddLegend(MGDrawTableList& diagram) {
    auto legend = std::make_unique<MGShapeLegend>();
    MGShapeLegend& added = *legend;
    diagram.AddBox(std::move(legend));
    return added;
}

void MarkKeys(MGDrawTableList& diagram, const MGColumnPrintBook* book) {
    // Each box's marks touch only its own rows: the boxes are marked in
    // runs, shared with the worker thread.
    constexpr int kRun = 256;
    const int count = diagram.Count();
    tabulorix::ShareWithWorker(static_cast<std::size_t>((count + kRun - 1) / kRun), [&](std::size_t run) {
        const int first = static_cast<int>(run) * kRun;
        for (int i = first; i < std::min(first + kRun, count); ++i) {
            MGShapeTable* box = diagram.Item(i);
            if (box != nullptr && box->BaseKind() == MGShapeField::kKindTable) MarkBox(*box, book);
        }
    });
}

void RemeasureAll(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode) {
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable* shape = diagram.Item(i);
        if (shape == nullptr) continue;
        shape->Collapse();
        shape->CalcSize(box, displayMode);
    }
}

bool ApplyDiagramFont(MGDrawTableList& diagram, ZMGDrawBox& box, const std::string& fontName,
                      const std::string& fontSize, int displayMode) {
    if (!box.SetDiagramFont(fontName, fontSize)) return false;
    RemeasureAll(diagram, box, displayMode);
    return true;
}

void BuildDiagramAfterReading(MGDrawTableList& diagram, ZMGDrawBox& box, int schemaCount,
                              MGBuildSettings& settings) {
    AddLegend(diagram);
    MarkKeys(diagram);
    diagram.ApplySchemaCount(schemaCount);
    diagram.ApplyDisplayFlags(settings.displayFlags);
    ApplyDiagramFont(diagram, box, settings.fontName, settings.fontSize, settings.displayMode);
    LayoutDiagram(diagram, box, settings.displayMode, {}, settings.pagesAcross, settings.pagesDown);
    box.SetZoom(100, 1);
}

}  // namespace tabulorix
