// The rows each table or view box contributes to a design-file section or a
// CSV list: header row (English keys or Japanese captions) when the target
// is still empty, then the data rows of the section kind.
#include "catalogue/row_items.h"
#include "diagram/box_script.h"
#include "diagram/referenced_keys.h"
#include "diagram/section_kinds.h"
#include "diagram/shape_table.h"
#include "diagram/shape_view.h"

namespace tabulorix {

using namespace section_kinds;

namespace {

// The values DataType .. Comments of a column row.
constexpr int kColumnValueCount = 5;

class RowWriter {
public:
    RowWriter(const MGShapeTable& box, std::uint32_t kind, ZMGCell& target, bool english)
        : box_(box), kind_(kind), target_(target), english_(english) {}

    bool Logical() const { return (kind_ & kLogicalNames) != 0; }
    bool Physical() const { return (kind_ & kPhysicalNames) != 0; }
    bool TableNames() const { return Logical() || Physical(); }

    // A header row built by the kind's own function, when the target is empty.
    template <typename F>
    void Header(F build) {
        if (target_.RowCount() != 0) return;
        Row header;
        build(header);
        target_.AddRow(std::move(header.row));
    }

    struct Row {
        std::unique_ptr<ZMGRowExt> row = std::make_unique<ZMGRowExt>();
        void Add(const std::string& value) { row->AddItem(value); }
    };

    void Caption(Row& row, const char* key, const char* caption) const { row.Add(english_ ? key : caption); }

    void TableCaptions(Row& row) const {
        if (Logical()) Caption(row, "TableNameL", "論理表名");
        if (Physical()) Caption(row, "TableNameP", "物理表名");
    }
    void ColumnCaptions(Row& row) const {
        if (Logical()) Caption(row, "ColumnNameL", "論理列名");
        if (Physical()) Caption(row, "ColumnNameP", "物理列名");
    }
    void TableValues(Row& row) const {
        if (Logical()) row.Add(box_.LogicalName());
        if (Physical()) row.Add(box_.Name());
    }
    // The logical name of the box's column with this physical name.
    void ColumnValues(Row& row, const MGShapeTable& box, const std::string& physical) const {
        if (Logical()) row.Add(LogicalColumnName(box, physical));
        if (Physical()) row.Add(physical);
    }
    static std::string LogicalColumnName(const MGShapeTable& box, const std::string& physical) {
        const ZMGCell& columns = box.ColumnRows();
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            const ZMGRowExt& column = columns.GetRow(r);
            if (column.ItemOrEmpty(column_row::kColumnNameP) == physical)
                return column.ItemOrEmpty(column_row::kColumnNameL);
        }
        return std::string();
    }

    void Columns() {
        const bool keyColumn = !english_ && (kind_ & kKeyColumn) != 0;
        Header([&](Row& h) {
            Caption(h, "Type", "タイプ");
            TableCaptions(h);
            ColumnCaptions(h);
            if (keyColumn) h.Add("キー");
            static constexpr const char* kKeys[] = {"DataType", "DataLength", "Nullable", "DataDefault",
                                                    "Comments"};
            static constexpr const char* kCaptions[] = {"型", "桁数", "NULL可", "省略時値", "コメント"};
            for (int i = 0; i < kColumnValueCount; ++i) Caption(h, kKeys[i], kCaptions[i]);
        });
        const ZMGCell& columns = box_.ColumnRows();
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            const ZMGRowExt& column = columns.GetRow(r);
            Row row;
            row.Add(box_.GetTypeName(english_));
            TableValues(row);
            if (Logical()) row.Add(column.ItemOrEmpty(column_row::kColumnNameL));
            if (Physical()) row.Add(column.ItemOrEmpty(column_row::kColumnNameP));
            if (keyColumn) {
                std::string marks;
                box_.AppendMarkerText(column, marks);
                row.Add(marks);
            }
            for (int i = 0; i < kColumnValueCount; ++i)
                row.Add(column.ItemOrEmpty(column_row::kDataType + i));
            target_.AddRow(std::move(row.row));
        }
    }

    // Primary keys (flag 1) and unique constraints (flag 2).
    void Keys(const ZMGCell& keys, std::uint32_t firstRowFlag) {
        if (TableNames() && keys.RowCount() <= 1) return;
        Header([&](Row& h) {
            if (TableNames()) TableCaptions(h);
            Caption(h, "PKName", "制約名");
            Caption(h, "PKStatus", "状態");
            ColumnCaptions(h);
            Caption(h, "Position", "位置");
        });
        ForEachKeyColumn(keys, [&](const ZMGRowExt& key, const ZMGRowExt& column, bool first) {
            Row row;
            if (TableNames()) TableValues(row);
            row.Add(key.ItemOrEmpty(0));
            row.Add(key.ItemOrEmpty(1));
            ColumnValues(row, box_, column.ItemOrEmpty(0));
            row.Add(column.ItemOrEmpty(1));
            if (first) row.row->SetFlags(firstRowFlag);
            target_.AddRow(std::move(row.row));
        });
    }

    void ForeignKeys() {
        const ZMGCell& keys = box_.ForeignKeyRows();
        if (TableNames() && keys.RowCount() <= 1) return;
        const bool verb = (kind_ & kVerbPhrase) != 0;
        const bool references = (kind_ & kNoReferencedNames) == 0;
        Header([&](Row& h) {
            if (TableNames()) TableCaptions(h);
            Caption(h, "FKName", "制約名");
            if (verb) Caption(h, "VerbPhrase", "動詞句");
            Caption(h, "ReferenceOwner", "参照先オーナー");
            Caption(h, "ReferenceName", "参照先制約名");
            Caption(h, "DeleteRule", "削除規則");
            Caption(h, "FKStatus", "状態");
            if (references) {
                if (Logical()) Caption(h, "ReferenceTableL", "参照先論理表名");
                if (Physical()) Caption(h, "ReferenceTableP", "参照先物理表名");
                if (Logical()) Caption(h, "ReferenceColumnL", "参照先論理列名");
                if (Physical()) Caption(h, "ReferenceColumnP", "参照先物理列名");
            }
            ColumnCaptions(h);
            Caption(h, "FKPosition", "位置");
        });
        for (int k = 1; !keys.IsPastEnd(k); ++k) {
            const ZMGRowExt& key = keys.GetRow(k);
            const MGReferencedKey target = references ? FindReferencedKey(box_, key) : MGReferencedKey{};
            ForEachColumnOf(key, [&](const ZMGRowExt& column, int position) {
                Row row;
                if (TableNames()) TableValues(row);
                row.Add(key.ItemOrEmpty(0));
                if (verb) row.Add(key.ItemOrEmpty(1));
                for (int i = foreign_key_row::kReferenceOwner; i <= foreign_key_row::kStatus; ++i)
                    row.Add(key.ItemOrEmpty(i));
                if (references) ReferenceValues(row, target, position);
                ColumnValues(row, box_, column.ItemOrEmpty(0));
                row.Add(column.ItemOrEmpty(1));
                target_.AddRow(std::move(row.row));
            });
        }
    }

    // The referenced table's names and the referenced key's column at the
    // same position as the foreign-key column; empty without a link.
    void ReferenceValues(Row& row, const MGReferencedKey& target, int position) const {
        std::string physicalColumn;
        if (target.key != nullptr && !target.key->Child().IsPastEnd(position)) {
            physicalColumn = target.key->Child().GetRow(position).ItemOrEmpty(0);
        }
        const bool linked = target.box != nullptr;
        if (Logical()) row.Add(linked ? target.box->LogicalName() : std::string());
        if (Physical()) row.Add(linked ? target.box->Name() : std::string());
        if (Logical()) row.Add(linked ? LogicalColumnName(*target.box, physicalColumn) : std::string());
        if (Physical()) row.Add(physicalColumn);
    }

    void Conditions() {
        const ZMGCell& conditions = box_.ConditionRows();
        if (TableNames() && conditions.RowCount() <= 1) return;
        Header([&](Row& h) {
            if (TableNames()) TableCaptions(h);
            Caption(h, "CDName", "制約名");
            Caption(h, "CDStatus", "状態");
            ColumnCaptions(h);
            Caption(h, "Condition", "条件");
        });
        for (int r = 1; !conditions.IsPastEnd(r); ++r) {
            const ZMGRowExt& condition = conditions.GetRow(r);
            Row row;
            if (TableNames()) TableValues(row);
            row.Add(condition.ItemOrEmpty(0));
            row.Add(condition.ItemOrEmpty(1));
            ColumnValues(row, box_, condition.ItemOrEmpty(condition_row::kColumnNameP));
            row.Add(condition.ItemOrEmpty(condition_row::kCondition));
            target_.AddRow(std::move(row.row));
        }
    }

    void Indexes() {
        const ZMGCell& indexes = box_.IndexRows();
        if (TableNames() && indexes.RowCount() <= 1) return;
        Header([&](Row& h) {
            if (TableNames()) TableCaptions(h);
            Caption(h, "IxName", "索引名");
            Caption(h, "Uniqueness", "一意性");
            ColumnCaptions(h);
            Caption(h, "IxPosition", "位置");
        });
        ForEachKeyColumn(indexes, [&](const ZMGRowExt& index, const ZMGRowExt& column, bool) {
            Row row;
            if (TableNames()) TableValues(row);
            row.Add(index.ItemOrEmpty(0));
            row.Add(index.ItemOrEmpty(1));
            ColumnValues(row, box_, column.ItemOrEmpty(0));
            row.Add(column.ItemOrEmpty(1));
            target_.AddRow(std::move(row.row));
        });
    }

    void Privileges() {
        const ZMGCell& privileges = box_.PrivilegeRows();
        if (privileges.RowCount() == 0) return;
        Header([&](Row& h) {
            TableCaptions(h);
            Caption(h, "Grantee", "権限受領者");
            Caption(h, "Grantor", "権限付与者");
            Caption(h, "Privilege", "権限名");
        });
        for (int r = 0; !privileges.IsPastEnd(r); ++r) {
            const ZMGRowExt& privilege = privileges.GetRow(r);
            Row row;
            TableValues(row);
            for (int i = 1; i <= 3; ++i) row.Add(privilege.ItemOrEmpty(i));
            target_.AddRow(std::move(row.row));
        }
    }

    void ViewSource(const std::string& source) {
        Header([&](Row& h) {
            TableCaptions(h);
            Caption(h, "ViewSource", "ビューソース");
        });
        Row row;
        TableValues(row);
        row.Add(source);
        target_.AddRow(std::move(row.row));
    }

private:
    template <typename F>
    static void ForEachColumnOf(const ZMGRowExt& key, F visit) {
        const auto* cell = dynamic_cast<const ZMGRowCell*>(&key);
        if (cell == nullptr) return;
        for (int c = 1; !cell->Child().IsPastEnd(c); ++c) visit(cell->Child().GetRow(c), c);
    }

    template <typename F>
    static void ForEachKeyColumn(const ZMGCell& keys, F visit) {
        for (int k = 1; !keys.IsPastEnd(k); ++k) {
            const ZMGRowExt& key = keys.GetRow(k);
            ForEachColumnOf(key, [&](const ZMGRowExt& column, int c) { visit(key, column, c == 1); });
        }
    }

    const MGShapeTable& box_;
    std::uint32_t kind_;
    ZMGCell& target_;
    bool english_;
};

}  // namespace

bool MGShapeTable::WriteBoxRows(std::uint32_t sectionKind, ZMGCell& target, bool englishKeys) {
    RowWriter writer(*this, sectionKind, target, englishKeys);
    if ((sectionKind & kColumns) != 0) writer.Columns();
    if ((sectionKind & kPrimaryKeys) != 0) writer.Keys(PrimaryKeyRows(), 1);
    if ((sectionKind & kUniqueKeys) != 0) writer.Keys(UniqueRows(), 2);
    if ((sectionKind & kForeignKeys) != 0) writer.ForeignKeys();
    if ((sectionKind & kConditions) != 0) writer.Conditions();
    if ((sectionKind & kIndexes) != 0) writer.Indexes();
    if ((sectionKind & kPrivileges) != 0) writer.Privileges();
    return true;
}

bool MGShapeView::WriteBoxRows(std::uint32_t sectionKind, ZMGCell& target, bool englishKeys) {
    RowWriter writer(*this, sectionKind, target, englishKeys);
    if ((sectionKind & kColumns) != 0) writer.Columns();
    if ((sectionKind & kPrivileges) != 0) writer.Privileges();
    if ((sectionKind & kViewSources) != 0) writer.ViewSource(ViewSource());
    return true;
}

}  // namespace tabulorix
