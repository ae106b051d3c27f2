#include "catalogue/row_table.h"

#include <algorithm>
#include <initializer_list>

#include "catalogue/csv_lines.h"

namespace tabulorix {

// ---- ZMGCell ----------------------------------------------------------------

ZMGCell::~ZMGCell() = default;

void ZMGCell::ShowListView(bool visible) {
    if (listView_ == nullptr || listView_->IsVisible() == visible) return;
    listView_->FillParent();
    listView_->SetVisible(visible);
}

void ZMGCell::SetListView(tabulorix::ListViewControl* listView) {
    listView_ = listView;
}

std::unique_ptr<ZMGRowExt> ZMGCell::NewTemplateRow(int /*kind*/) const {
    return nullptr;
}

void ZMGCell::CopyRowsAsExt(const ZMGCell& other) {
    // The copies are made before the old rows go, so copying a table onto
    // itself keeps its rows.
    std::vector<std::unique_ptr<ZMGRowExt>> copies;
    copies.reserve(other.rows_.size());
    for (const auto& source : other.rows_) {
        auto row = std::make_unique<ZMGRowExt>();
        row->SetFlags(source->GetFlags());
        row->CopyRow(*source);
        copies.push_back(std::move(row));
    }
    rows_ = std::move(copies);
}

void ZMGCell::CopyRowsAsCell(const ZMGCell& other) {
    std::vector<std::unique_ptr<ZMGRowExt>> copies;
    copies.reserve(other.rows_.size());
    for (const auto& source : other.rows_) {
        auto row = std::make_unique<ZMGRowCell>();
        row->CopyRow(*source);
        copies.push_back(std::move(row));
    }
    rows_ = std::move(copies);
}

int ZMGCell::ColumnCount() const {
    return rows_.empty() ? 0 : rows_.front()->ItemCount();
}

void ZMGCell::AddRow(std::unique_ptr<ZMGRowExt> row) {
    if (row) rows_.push_back(std::move(row));
}

void ZMGCell::ThrowRange() {
    throw ZMGRangeError();
}

void ZMGCell::TakeRows(ZMGCell& other) {
    if (rows_.empty()) {
        rows_.swap(other.rows_);
        return;
    }
    rows_.reserve(rows_.size() + other.rows_.size());
    for (auto& row : other.rows_) rows_.push_back(std::move(row));
    other.rows_.clear();
}

void ZMGCell::ClearRows(int from) {
    if (from < 0) from = 0;
    if (static_cast<std::size_t>(from) < rows_.size()) rows_.resize(static_cast<std::size_t>(from));
}

int ZMGCell::MaxKeyNumber() const {
    int largest = -1;
    bool first = true;
    for (const auto& row : rows_) {
        if (first || row->KeyNumber() > largest) largest = row->KeyNumber();
        first = false;
    }
    return largest;
}

int ZMGCell::NextSerial(int start) const {
    int largest = start - 1;
    for (const auto& row : rows_) largest = std::max(largest, row->Serial());
    return largest + 1;
}

bool ZMGCell::HasName(const std::string& text) const {
    return std::find(names_.begin(), names_.end(), text) != names_.end();
}

void ZMGCell::WriteCsvLines(std::vector<std::string>& target) const {
    tabulorix::WriteCsvLines(*this, target);
}

// ---- list-view kinds --------------------------------------------------------

namespace {

// A header row of captions (kind 0) or a row of empty value/name pairs.
template <typename Row>
std::unique_ptr<ZMGRowExt> TemplateRow(int kind, std::initializer_list<const char*> captions,
                                       int blankPairs) {
    auto row = std::make_unique<Row>();
    if (kind == 0) {
        for (const char* caption : captions) row->AddItem(std::string(caption), std::string());
    } else {
        for (int i = 0; i < blankPairs; ++i) row->AddItem(std::string(), std::string());
    }
    return row;
}

}  // namespace

ZMGCellFieldTable::~ZMGCellFieldTable() = default;

std::unique_ptr<ZMGRowExt> ZMGCellFieldTable::NewTemplateRow(int kind) const {
    return TemplateRow<ZMGRowField>(
        kind, {"ColumnNameL", "ColumnNameP", "DataType", "DataLength", "Nullable", "DataDefault", "Comments"},
        8);
}

ZMGCellFieldKey::~ZMGCellFieldKey() = default;

std::unique_ptr<ZMGRowExt> ZMGCellFieldKey::NewTemplateRow(int kind) const {
    if (form_ == ZMGHeaderForm::A)
        return TemplateRow<ZMGRowKey>(kind, {"物理列名", "位置", "制約名", "状態"}, 4);
    return TemplateRow<ZMGRowKey>(kind, {"制約名", "状態", "物理列名", "位置"}, 4);
}

ZMGCellFieldForeignKey::~ZMGCellFieldForeignKey() = default;

std::unique_ptr<ZMGRowExt> ZMGCellFieldForeignKey::NewTemplateRow(int kind) const {
    if (form_ == ZMGHeaderForm::A) {
        return TemplateRow<ZMGRowKey>(
            kind,
            {"物理列名", "位置", "制約名", "動詞句", "参照先オーナー", "参照先制約名", "削除規則", "状態"},
            8);
    }
    return TemplateRow<ZMGRowKey>(
        kind, {"制約名", "動詞句", "参照先オーナー", "参照先制約名", "削除規則", "状態", "物理列名", "位置"},
        8);
}

ZMGCellFieldIndex::~ZMGCellFieldIndex() = default;

std::unique_ptr<ZMGRowExt> ZMGCellFieldIndex::NewTemplateRow(int kind) const {
    if (form_ == ZMGHeaderForm::A)
        return TemplateRow<ZMGRowIndex>(kind, {"物理列名", "位置", "索引名", "一意性"}, 4);
    return TemplateRow<ZMGRowIndex>(kind, {"索引名", "一意性", "物理列名", "位置"}, 4);
}

ZMGCellFieldCondition::~ZMGCellFieldCondition() = default;

std::unique_ptr<ZMGRowExt> ZMGCellFieldCondition::NewTemplateRow(int kind) const {
    return TemplateRow<ZMGRowExt>(kind, {"制約名", "状態", "物理列名", "条件"}, 4);
}

}  // namespace tabulorix
