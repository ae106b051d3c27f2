#include "reading/detail_distribution.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/column_index.h"
#include "catalogue/row_items.h"
#include "catalogue/schema.h"
#include "diagram/draw_table_list.h"

namespace tabulorix {

namespace {

// Where the items of a result row go, by kind.
struct KindLayout {
    int nameColumn;                // the constraint or index name, groups the rows
    std::vector<int> keyItems;     // items of the key (or condition) row
    std::vector<int> columnItems;  // items of a column row of the key; empty for conditions
};

const KindLayout& Layout(DetailKind kind) {
    static const KindLayout kKey{1, {1, 2}, {3, 4}};
    static const KindLayout kForeignKey{1, {1, 2, 3, 4, 5, 6}, {7, 8}};
    static const KindLayout kCondition{1, {1, 2, 3, 4}, {}};
    switch (kind) {
        case DetailKind::ForeignKey:
            return kForeignKey;
        case DetailKind::Condition:
            return kCondition;
        default:
            return kKey;
    }
}

ZMGCell& TargetTable(MGShapeTable& box, DetailKind kind) {
    switch (kind) {
        case DetailKind::Index:
            return box.IndexRows();
        case DetailKind::PrimaryKey:
            return box.PrimaryKeyRows();
        case DetailKind::UniqueKey:
            return box.UniqueRows();
        case DetailKind::ForeignKey:
            return box.ForeignKeyRows();
        case DetailKind::Condition:
            return box.ConditionRows();
    }
    return box.ConditionRows();
}

bool IsTableOrView(const MGShapeTable& box) {
    return (box.Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) != 0;
}

void CopyItems(const ZMGRowExt& from, const std::vector<int>& positions, ZMGRowExt& to) {
    to.ReserveItems(to.ItemCount() + static_cast<int>(positions.size()));
    for (const int position : positions) to.AddItem(from.ItemOrEmpty(position));
}

// CopyItems from a row that is dropped afterwards: the values are moved.
void TakeItems(ZMGRowExt& from, const std::vector<int>& positions, ZMGRowExt& to) {
    to.ReserveItems(to.ItemCount() + static_cast<int>(positions.size()));
    for (const int position : positions) to.AddItem(from.TakeItem(position));
}

// The largest key number of the primary-key and unique-key tables of every
// box of the diagram; empty tables and header rows count as 0.
int LargestKeyNumberOf(const MGDrawTableList& diagram) {
    int largest = 0;
    for (int i = 0; i < diagram.Count(); ++i) {
        const MGShapeTable* box = diagram.Item(i);
        if (box->PrimaryKeyRows().RowCount() > 0)
            largest = std::max(largest, box->PrimaryKeyRows().MaxKeyNumber());
        if (box->UniqueRows().RowCount() > 0) largest = std::max(largest, box->UniqueRows().MaxKeyNumber());
    }
    return largest;
}

class Distributor {
public:
    // The holder's data rows are emptied as they are handed over: their
    // values are moved into the boxes' rows.
    Distributor(const MGDetailTargets& targets, ZMGCell& holder, DetailKind kind)
        : result_(holder),
          kind_(kind),
          layout_(Layout(kind)),
          targets_(targets),
          columnIndex_(targets.Book()) {}

    void Run() {
        if (result_.RowCount() == 0) return;
        if (NumbersKeys()) largestKey_ = targets_.LargestKeyNumber();
        HandRows();
        if (NumbersKeys()) targets_.NoteLargestKeyNumber(largestKey_);
    }

private:
    bool NumbersKeys() const { return kind_ == DetailKind::PrimaryKey || kind_ == DetailKind::UniqueKey; }

    void HandRows() {
        const ZMGRowExt& header = result_.GetRow(0);
        template_ = std::make_unique<ZMGRowExt>();
        CopyItems(header, layout_.columnItems, *template_);
        template_->SetSerial(0);
        for (MGShapeTable* box : targets_.Boxes()) AddHeaderRow(*box, header);
        previousTable_.clear();
        previousName_.clear();
        for (int r = 1; !result_.IsPastEnd(r); ++r) {
            ZMGRowExt& row = result_.GetRow(r);
            const std::span<MGShapeTable* const> named = targets_.Named(row.ItemOrEmpty(0));
            // Boxes of the same name each get the row; the last takes it.
            for (MGShapeTable* box : named) Hand(*box, row, box == named.back());
        }
    }

    void AddHeaderRow(MGShapeTable& box, const ZMGRowExt& header) {
        ZMGCell& table = TargetTable(box, kind_);
        if (kind_ == DetailKind::Condition) {
            auto row = std::make_unique<ZMGRowExt>();
            CopyItems(header, layout_.keyItems, *row);
            row->SetSerial(ColumnSerial(box, header.ItemOrEmpty(condition_query::kColumnNameP)));
            table.AddRow(std::move(row));
            return;
        }
        auto row = std::make_unique<ZMGRowCell>();
        CopyItems(header, layout_.keyItems, *row);
        if (kind_ == DetailKind::Index) row->SetSerial(NextIndexSerial(box));
        AddTemplateCopy(row->Child());
        table.AddRow(std::move(row));
    }

    void Hand(MGShapeTable& box, ZMGRowExt& row, bool take) {
        ZMGCell& table = TargetTable(box, kind_);
        if (kind_ == DetailKind::Condition) {
            auto condition = std::make_unique<ZMGRowExt>();
            condition->SetSerial(ColumnSerial(box, row.ItemOrEmpty(condition_query::kColumnNameP)));
            HandItems(row, take, layout_.keyItems, *condition);
            table.AddRow(std::move(condition));
            return;
        }
        const std::string& tableName = row.ItemOrEmpty(0);
        const std::string& name = row.ItemOrEmpty(layout_.nameColumn);
        if (tableName != previousTable_ || name != previousName_) {
            previousTable_ = tableName;
            previousName_ = name;
            table.AddRow(NewKeyRow(box, row, take));
        }
        auto* key = dynamic_cast<ZMGRowCell*>(&table.GetRow(table.RowCount() - 1));
        if (key == nullptr) return;
        ZMGCell& columns = key->Child();
        if (columns.RowCount() == 0) AddTemplateCopy(columns);
        auto column = std::make_unique<ZMGRowExt>();
        HandItems(row, take, layout_.columnItems, *column);
        column->SetSerial(ColumnSerial(box, column->ItemOrEmpty(0)));
        columns.AddRow(std::move(column));
    }

    // Moves the items when the row is taken, else copies them.
    static void HandItems(ZMGRowExt& row, bool take, const std::vector<int>& positions, ZMGRowExt& to) {
        if (take)
            TakeItems(row, positions, to);
        else
            CopyItems(row, positions, to);
    }

    std::unique_ptr<ZMGRowCell> NewKeyRow(MGShapeTable& box, ZMGRowExt& row, bool take) {
        auto key = std::make_unique<ZMGRowCell>();
        HandItems(row, take, layout_.keyItems, *key);
        switch (kind_) {
            case DetailKind::PrimaryKey:
            case DetailKind::UniqueKey:
                key->SetKeyNumber(++largestKey_);
                break;
            case DetailKind::Index:
                key->SetSerial(NextIndexSerial(box));
                break;
            default:
                break;  // foreign keys are resolved once every owner is read
        }
        return key;
    }

    void AddTemplateCopy(ZMGCell& columns) const {
        auto copy = std::make_unique<ZMGRowExt>();
        copy->CopyRow(*template_);
        columns.AddRow(std::move(copy));
    }

    // NextSerial(0) of the box's index table, kept as a running value.
    int NextIndexSerial(MGShapeTable& box) {
        auto [entry, added] = indexSerials_.try_emplace(&box, 0);
        if (added) entry->second = box.IndexRows().NextSerial(0);
        return entry->second++;
    }

    // The serial of the first column row of the box with this physical
    // column name, -1 when there is none.
    int ColumnSerial(MGShapeTable& box, const std::string& columnName) {
        const ZMGCell& columns = box.ColumnRows();
        const int position = columnIndex_.Find(columns, columnName);
        return position == 0 ? -1 : columns.GetRow(position).Serial();
    }

    ZMGCell& result_;
    DetailKind kind_;
    const KindLayout& layout_;
    const MGDetailTargets& targets_;
    MGColumnIndex columnIndex_;
    std::unordered_map<const MGShapeTable*, int> indexSerials_;
    std::unique_ptr<ZMGRowExt> template_;
    int largestKey_ = 0;
    // The previous table and constraint (or index) name, shared by all boxes.
    std::string previousTable_;
    std::string previousName_;
};

}  // namespace

MGDetailTargets::MGDetailTargets(const MGSchema& schema, MGColumnPrintBook* book,
                                 std::optional<int>* largestKeyNumber)
    : book_(book), largestKeyNumber_(largestKeyNumber) {
    const MGDrawTableList& diagram = MGDrawTableList::EnsureCurrent();
    std::vector<const ZMGCell*> columnTables;
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable* box = diagram.Item(i);
        if (box->SchemaNumber() != schema.SchemaNumber() || !IsTableOrView(*box)) continue;
        boxes_.push_back(box);
        byName_[box->Name()].push_back(box);
        columnTables.push_back(&box->ColumnRows());
    }
    if (book != nullptr) book->Add(columnTables);
}

std::span<MGShapeTable* const> MGDetailTargets::Named(std::string_view name) const {
    const auto found = byName_.find(name);
    if (found == byName_.end()) return {};
    return found->second;
}

int MGDetailTargets::LargestKeyNumber() const {
    if (largestKeyNumber_ != nullptr && largestKeyNumber_->has_value()) return **largestKeyNumber_;
    return LargestKeyNumberOf(MGDrawTableList::EnsureCurrent());
}

void MGDetailTargets::NoteLargestKeyNumber(int number) const {
    if (largestKeyNumber_ != nullptr) *largestKeyNumber_ = number;
}

void HandDetailsToBoxes(const MGDetailTargets& targets, ZMGCell& holder, DetailKind kind) {
    Distributor(targets, holder, kind).Run();
    MGSchema::ReleaseDistributedRows(holder);
}

void HandDetailsToBoxes(const MGSchema& schema, ZMGCell& holder, DetailKind kind) {
    HandDetailsToBoxes(MGDetailTargets(schema), holder, kind);
}

}  // namespace tabulorix
