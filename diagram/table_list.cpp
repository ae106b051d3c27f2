#include "diagram/table_list.h"

#include "catalogue/schema.h"
#include "diagram/draw_table_list.h"

namespace tabulorix {

namespace {

std::unique_ptr<ZMGRowExt> TableListHeader(bool englishKeys, int nameBits, bool flagColumn) {
    auto header = std::make_unique<ZMGRowExt>();
    header->AddItem(englishKeys ? "Type" : "タイプ");
    if (nameBits & 1) header->AddItem(englishKeys ? "TableNameL" : "論理表名");
    if (nameBits & 2) header->AddItem(englishKeys ? "TableNameP" : "物理表名");
    header->AddItem(englishKeys ? "Comments" : "コメント");
    if (flagColumn) header->AddItem(englishKeys ? "Flag" : "フラグ");
    return header;
}

std::unique_ptr<ZMGRowExt> TableListRow(const MGShapeTable& box, bool englishKeys, int nameBits,
                                        bool flagColumn) {
    auto row = std::make_unique<ZMGRowExt>();
    row->AddItem(box.GetTypeName(englishKeys));
    if (nameBits & 1) row->AddItem(box.LogicalName());
    if (nameBits & 2) row->AddItem(box.Name());
    row->AddItem(box.Comment());
    if (flagColumn) row->AddItem(box.Detailed() ? "V" : "E");
    row->SetFlags((box.Kind() & MGShapeField::kKindTable) != 0 ? 4 : 5);
    row->SetDetail(box.Detailed());
    return row;
}

}  // namespace

// The schema's table list: its table and view boxes in diagram order. A box is
// listed when its kind is in kindMask (1 table, 2 view) and, with an empty
// owner filter, it belongs to this schema's number, or, with a filter, its
// owner equals the filter. Columns: type, logical name (name bit 1), physical
// name (name bit 2), comment and, when wanted, "V"/"E" for the detail flag.
std::unique_ptr<ZMGCell> BuildTableList(const MGSchema& schema, bool englishKeys, int nameBits, int kindMask,
                                        const std::string& ownerFilter, bool flagColumn) {
    auto list = std::make_unique<ZMGCell>();
    list->AddRow(TableListHeader(englishKeys, nameBits, flagColumn));
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return list;
    for (int i = 0; i < diagram->Count(); ++i) {
        const MGShapeTable* box = diagram->Item(i);
        if ((box->Kind() & kindMask) == 0) continue;
        const bool mine =
            ownerFilter.empty() ? box->SchemaNumber() == schema.SchemaNumber() : box->Owner() == ownerFilter;
        if (mine) list->AddRow(TableListRow(*box, englishKeys, nameBits, flagColumn));
    }
    return list;
}

}  // namespace tabulorix
