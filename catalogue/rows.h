// Rows of the row tables: a list of text values with a flags word, the
// ordinary row with parallel names, key number, serial and detail flag, the
// row with a child row table, and the column, key and index row kinds of a
// table box.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tabulorix {

class ZMGCell;

// Bits of the flags word of column, key and index rows. The first five mark
// what a column belongs to and select its constraint number list; the cascade
// bit marks a foreign-key row that deletes on cascade.
enum ZMGKeyFlag : std::uint32_t {
    kKeyPrimary = 0x01,
    kKeyUnique = 0x02,
    kKeyForeign = 0x04,
    kIndexUnique = 0x08,
    kIndexNonUnique = 0x10,
    kKeyCascade = 0x100,
};
inline constexpr std::uint32_t kAnyKeyFlags = kKeyPrimary | kKeyUnique | kKeyForeign;
inline constexpr std::uint32_t kAnyIndexFlags = kIndexUnique | kIndexNonUnique;
inline constexpr std::uint32_t kAnyKeyOrIndexFlags = kAnyKeyFlags | kAnyIndexFlags;

// A row: an ordered list of text values and a flags word.
class ZMGRowBase {
public:
    ZMGRowBase() = default;
    virtual ~ZMGRowBase() = default;
    ZMGRowBase(const ZMGRowBase&) = delete;
    ZMGRowBase& operator=(const ZMGRowBase&) = delete;

    // ORs the given bits into the flags word.
    virtual void SetFlags(std::uint32_t bits);
    virtual std::uint32_t GetFlags() const;
    // The row's state for list views; the base answers the flags word.
    virtual int TestFlags() const;
    // Keeps the first `from` items (0 removes everything).
    virtual void ClearItems(int from);
    virtual void BlankItem(int position);
    // A null C string appends an empty value.
    virtual void AddItem(const char* value);
    virtual void AddItem(const std::string& value);
    virtual void AddItem(std::string&& value);

    int ItemCount() const { return static_cast<int>(values_.size()); }
    // The value at a position; throws std::out_of_range for a missing one.
    const std::string& Item(int position) const;
    // The value at a position, or "" for a missing one (readers of short rows).
    const std::string& ItemOrEmpty(int position) const {
        if (position < 0 || static_cast<std::size_t>(position) >= values_.size()) return EmptyValue();
        return values_[static_cast<std::size_t>(position)];
    }
    // Replaces the value at an existing position; throws std::out_of_range.
    void PutItem(int position, const std::string& value);
    // Moves the value at a position out, leaving "" there ("" for a missing
    // position): for rows about to be dropped whose values go elsewhere.
    std::string TakeItem(int position);
    // Makes room for this many items in all (rows built from a query result
    // know their width; no spare capacity is left behind).
    void ReserveItems(int count);

protected:
    // The "" that stands for a missing value.
    static const std::string& EmptyValue();

    std::vector<std::string> values_;
    std::uint32_t flags_ = 0;
};

// The ordinary row of every row table: values with parallel names.
class ZMGRowExt : public ZMGRowBase {
public:
    ZMGRowExt() = default;

    void ClearItems(int from) override;
    void BlankItem(int position) override;
    void AddItem(const char* value) override;
    void AddItem(const std::string& value) override;
    void AddItem(std::string&& value) override;
    // Puts other's values and names at positions 0 .. other.ItemCount() - 1;
    // this row must already have that many items (std::out_of_range if not).
    virtual void AssignItems(const ZMGRowExt& other);
    // ClearItems(0), then AppendRow(other).
    virtual void CopyRow(const ZMGRowExt& other);
    // Takes over other's key number and serial and appends its items.
    virtual void AppendRow(const ZMGRowExt& other);
    virtual void AddItem(const std::string& value, const std::string& name);
    virtual void AddItem(const char* value, const char* name);

    // Value and name at a position. A missing position shows
    // "Out of range[count/position] at ZMGRowExt::GetItem()" and leaves both
    // outputs unchanged; the result tells whether the position existed.
    bool GetItem(int position, std::string& value, std::string& name) const;
    // The name at a position; throws std::out_of_range for a missing one.
    const std::string& Name(int position) const;

    int KeyNumber() const { return keyNumber_; }
    void SetKeyNumber(int number) { keyNumber_ = number; }
    int Serial() const { return serial_; }
    void SetSerial(int serial) { serial_ = serial; }
    bool Detail() const { return detail_; }
    void SetDetail(bool detail) { detail_ = detail; }

protected:
    // The name at a position that exists.
    const std::string& NameAt(std::size_t position) const;
    void SetNameAt(std::size_t position, const std::string& name);

    // Names parallel to the values. Most rows carry only empty names: then
    // the list stays empty and every name reads as "" (it is filled with
    // empty names when the first non-empty one arrives).
    std::vector<std::string> names_;
    int keyNumber_ = -1;
    int serial_ = -1;
    bool detail_ = true;
};

// A row that owns a child row table (the columns of a key or an index).
class ZMGRowCell : public ZMGRowExt {
public:
    ZMGRowCell();
    ~ZMGRowCell() override;

    // Clears the items from `from` on, then the child rows from the same
    // position on.
    void ClearItems(int from) override;
    // Copies items, key number and serial, then replaces the child rows by
    // plain copies of other's child rows (none when other has no child table).
    void CopyRow(const ZMGRowExt& other) override;

    ZMGCell& Child() { return *child_; }
    const ZMGCell& Child() const { return *child_; }

private:
    std::unique_ptr<ZMGCell> child_;
};

// A column row of a table box. Its flags word carries the key flags of the
// column; for each of the five kinds it keeps the list of constraint numbers
// (as text) of the constraints of that kind the column belongs to.
class ZMGRowField : public ZMGRowExt {
public:
    // 1 when the column belongs to a primary key, unique constraint or
    // foreign key, else 0.
    int TestFlags() const override;

    // Sets the kind's key flag and appends the number to the kind's list.
    // `kind` is one of the five key flags; any other value is ignored.
    void AddKeyMark(std::uint32_t kind, const std::string& number);
    // The numbers of one kind (empty for a value that is not a key flag).
    const std::vector<std::string>& KeyNumbers(std::uint32_t kind) const;
    // Forgets every mark: the five lists and the five key flags.
    void ClearKeyMarks();

private:
    // Primary key, unique constraint, foreign key, unique index, non-unique
    // index; made with the first mark (most columns carry none).
    std::unique_ptr<std::array<std::vector<std::string>, 5>> keyNumbers_;
};

// A key row as shown in the key lists.
class ZMGRowKey : public ZMGRowExt {
public:
    // 1 when any of the primary-key, unique or foreign-key bits is set, else 0.
    int TestFlags() const override;
};

// An index row as shown in the index lists.
class ZMGRowIndex : public ZMGRowExt {
public:
    // 4 for both index kinds, 2 for a unique index only, 3 for a non-unique
    // index only, else 0.
    int TestFlags() const override;
};

}  // namespace tabulorix
