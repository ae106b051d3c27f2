// The row table: an ordered, owning list of rows of text cells. Row 0 is the
// header row with the column names or captions; data rows start at 1.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/presentation_handles.h"
#include "catalogue/rows.h"

namespace tabulorix {

// Raised by ZMGCell::GetRow for a position that has no row.
class ZMGRangeError : public std::out_of_range {
public:
    ZMGRangeError() : std::out_of_range("Error of range") {}
};

class ZMGCell {
public:
    ZMGCell() = default;
    virtual ~ZMGCell();
    ZMGCell(const ZMGCell&) = delete;
    ZMGCell& operator=(const ZMGCell&) = delete;

    // If a list view is attached and its visibility differs from the
    // requested one, makes it fill its parent, then sets its visibility.
    virtual void ShowListView(bool visible);
    virtual void SetListView(tabulorix::ListViewControl* listView);
    // A new template row for this kind of table: with kind 0 a header row of
    // captions, otherwise a row of empty value/name pairs. The base kind has
    // no template and returns nothing.
    virtual std::unique_ptr<ZMGRowExt> NewTemplateRow(int kind) const;
    // Replaces the rows by ZMGRowExt copies of other's rows, flags included.
    virtual void CopyRowsAsExt(const ZMGCell& other);
    // Replaces the rows by ZMGRowCell copies of other's rows; flags stay 0.
    virtual void CopyRowsAsCell(const ZMGCell& other);

    tabulorix::ListViewControl* ListView() const { return listView_; }

    // Number of rows, header included.
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // 0 without rows, else the item count of the header row.
    int ColumnCount() const;
    // Appends a row; the table takes ownership. A null row is ignored.
    void AddRow(std::unique_ptr<ZMGRowExt> row);
    // The row at a position (0 is the header); throws ZMGRangeError.
    ZMGRowExt& GetRow(int position) {
        if (position < 0 || IsPastEnd(position)) ThrowRange();
        return *rows_[static_cast<std::size_t>(position)];
    }
    const ZMGRowExt& GetRow(int position) const {
        if (position < 0 || IsPastEnd(position)) ThrowRange();
        return *rows_[static_cast<std::size_t>(position)];
    }
    // True when position > RowCount() - 1.
    bool IsPastEnd(int position) const { return position > RowCount() - 1; }
    // Destroys the rows at positions from, from + 1, ...
    void ClearRows(int from);
    // Appends the rows of other, which is left without rows.
    void TakeRows(ZMGCell& other);

    // Largest key number over all rows; -1 (the key number of a row that
    // belongs to no key) for a table without rows.
    int MaxKeyNumber() const;
    // max(start - 1, largest serial) + 1; start for a table without rows.
    int NextSerial(int start) const;

    // Leading columns blanked when repeated (CSV output and list views).
    int GroupColumns() const { return groupColumns_; }
    void SetGroupColumns(int count) { groupColumns_ = count; }

    // Captions of columns that list views hide.
    bool HasName(const std::string& text) const;
    void AddName(const std::string& text) { names_.push_back(text); }
    const std::vector<std::string>& Names() const { return names_; }

    // Appends one comma-separated line per row (header included) to target.
    void WriteCsvLines(std::vector<std::string>& target) const;

private:
    [[noreturn]] static void ThrowRange();

    tabulorix::ListViewControl* listView_ = nullptr;  // not owned
    int groupColumns_ = 0;
    std::vector<std::string> names_;
    std::vector<std::unique_ptr<ZMGRowExt>> rows_;
};

// Which of the two header forms a key, foreign-key or index list shows:
// form A starts with the column, form B with the constraint or index.
enum class ZMGHeaderForm { A, B };

// List-view row tables of a table's details. They differ from the plain row
// table only in their template rows.
class ZMGCellFieldTable : public ZMGCell {
public:
    ~ZMGCellFieldTable() override;
    std::unique_ptr<ZMGRowExt> NewTemplateRow(int kind) const override;
};

class ZMGCellFieldKey : public ZMGCell {
public:
    explicit ZMGCellFieldKey(ZMGHeaderForm form = ZMGHeaderForm::A) : form_(form) {}
    ~ZMGCellFieldKey() override;
    std::unique_ptr<ZMGRowExt> NewTemplateRow(int kind) const override;

private:
    ZMGHeaderForm form_;
};

class ZMGCellFieldForeignKey : public ZMGCell {
public:
    explicit ZMGCellFieldForeignKey(ZMGHeaderForm form = ZMGHeaderForm::A) : form_(form) {}
    ~ZMGCellFieldForeignKey() override;
    std::unique_ptr<ZMGRowExt> NewTemplateRow(int kind) const override;

private:
    ZMGHeaderForm form_;
};

class ZMGCellFieldIndex : public ZMGCell {
public:
    explicit ZMGCellFieldIndex(ZMGHeaderForm form = ZMGHeaderForm::A) : form_(form) {}
    ~ZMGCellFieldIndex() override;
    std::unique_ptr<ZMGRowExt> NewTemplateRow(int kind) const override;

private:
    ZMGHeaderForm form_;
};

class ZMGCellFieldCondition : public ZMGCell {
public:
    ~ZMGCellFieldCondition() override;
    std::unique_ptr<ZMGRowExt> NewTemplateRow(int kind) const override;
};

// One shown column while a row table is put into a list view.
struct ZMGColumnInfo {
    int width = 0;          // pixels
    bool hidden = false;    // caption is in the table's name list
    std::string lastValue;  // value of this column in the previous data row
};

}  // namespace tabulorix
