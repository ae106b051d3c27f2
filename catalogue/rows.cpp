#include "catalogue/rows.h"

#include <stdexcept>

#include "base/ui_ports.h"
#include "catalogue/row_table.h"

namespace tabulorix {

namespace {

const std::string kEmpty;

std::string OrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// Position of a key flag in the five number lists, or -1.
int KeyListIndex(std::uint32_t kind) {
    switch (kind) {
        case kKeyPrimary:
            return 0;
        case kKeyUnique:
            return 1;
        case kKeyForeign:
            return 2;
        case kIndexUnique:
            return 3;
        case kIndexNonUnique:
            return 4;
        default:
            return -1;
    }
}

// Position errors of the item lists, naming the operation, the position and
// the number of items.
[[noreturn]] void ThrowPosition(int position, std::size_t count, const char* where) {
    throw std::out_of_range(std::string(where) + ": item position " + std::to_string(position) +
                            " is out of range (" + std::to_string(count) + " items)");
}

void CheckPosition(int position, std::size_t count, const char* where) {
    if (position < 0 || static_cast<std::size_t>(position) >= count) ThrowPosition(position, count, where);
}

}  // namespace

// ---- ZMGRowBase -------------------------------------------------------------

void ZMGRowBase::SetFlags(std::uint32_t bits) {
    flags_ |= bits;
}

std::uint32_t ZMGRowBase::GetFlags() const {
    return flags_;
}

int ZMGRowBase::TestFlags() const {
    return static_cast<int>(flags_);
}

void ZMGRowBase::ClearItems(int from) {
    if (from < 0) from = 0;
    if (static_cast<std::size_t>(from) < values_.size()) values_.resize(static_cast<std::size_t>(from));
}

void ZMGRowBase::BlankItem(int position) {
    CheckPosition(position, values_.size(), "BlankItem");
    values_[static_cast<std::size_t>(position)].clear();
}

void ZMGRowBase::AddItem(const char* value) {
    AddItem(OrEmpty(value));
}

void ZMGRowBase::AddItem(const std::string& value) {
    values_.push_back(value);
}

void ZMGRowBase::AddItem(std::string&& value) {
    values_.push_back(std::move(value));
}

std::string ZMGRowBase::TakeItem(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= values_.size()) return std::string();
    return std::move(values_[static_cast<std::size_t>(position)]);
}

const std::string& ZMGRowBase::Item(int position) const {
    CheckPosition(position, values_.size(), "Item");
    return values_[static_cast<std::size_t>(position)];
}

const std::string& ZMGRowBase::EmptyValue() {
    return kEmpty;
}

void ZMGRowBase::PutItem(int position, const std::string& value) {
    CheckPosition(position, values_.size(), "PutItem");
    values_[static_cast<std::size_t>(position)] = value;
}

void ZMGRowBase::ReserveItems(int count) {
    if (count > 0) values_.reserve(static_cast<std::size_t>(count));
}

// ---- ZMGRowExt --------------------------------------------------------------

const std::string& ZMGRowExt::NameAt(std::size_t position) const {
    return names_.empty() ? kEmpty : names_[position];
}

void ZMGRowExt::SetNameAt(std::size_t position, const std::string& name) {
    if (names_.empty()) {
        if (name.empty()) return;
        names_.resize(values_.size());
    }
    names_[position] = name;
}

void ZMGRowExt::ClearItems(int from) {
    ZMGRowBase::ClearItems(from);
    if (!names_.empty()) names_.resize(values_.size());
}

void ZMGRowExt::BlankItem(int position) {
    ZMGRowBase::BlankItem(position);
    SetNameAt(static_cast<std::size_t>(position), std::string());
}

void ZMGRowExt::AddItem(const char* value) {
    AddItem(OrEmpty(value), std::string());
}

void ZMGRowExt::AddItem(const std::string& value) {
    AddItem(value, std::string());
}

void ZMGRowExt::AddItem(std::string&& value) {
    values_.push_back(std::move(value));
    if (!names_.empty()) names_.resize(values_.size());
}

void ZMGRowExt::AddItem(const std::string& value, const std::string& name) {
    values_.push_back(value);
    if (!names_.empty() || !name.empty()) {
        names_.resize(values_.size() - 1);
        names_.push_back(name);
    }
}

void ZMGRowExt::AddItem(const char* value, const char* name) {
    AddItem(OrEmpty(value), OrEmpty(name));
}

void ZMGRowExt::AssignItems(const ZMGRowExt& other) {
    if (other.ItemCount() > ItemCount()) ThrowPosition(ItemCount(), values_.size(), "AssignItems");
    for (std::size_t i = 0; i < other.values_.size(); ++i) {
        values_[i] = other.values_[i];
        SetNameAt(i, other.NameAt(i));
    }
}

void ZMGRowExt::CopyRow(const ZMGRowExt& other) {
    if (&other == this) return;
    ClearItems(0);
    AppendRow(other);
}

void ZMGRowExt::AppendRow(const ZMGRowExt& other) {
    keyNumber_ = other.keyNumber_;
    serial_ = other.serial_;
    // Copy first: other may be this row.
    const std::vector<std::string> values = other.values_;
    const std::vector<std::string> names = other.names_;
    const std::size_t before = values_.size();
    values_.reserve(before + values.size());
    values_.insert(values_.end(), values.begin(), values.end());
    if (names.empty()) {
        if (!names_.empty()) names_.resize(values_.size());
        return;
    }
    names_.resize(before);
    names_.insert(names_.end(), names.begin(), names.end());
}

bool ZMGRowExt::GetItem(int position, std::string& value, std::string& name) const {
    if (position < 0 || position >= ItemCount()) {
        tabulorix::ShowMessage("Out of range[" + std::to_string(ItemCount()) + "/" +
                               std::to_string(position) + "] at ZMGRowExt::GetItem()");
        return false;
    }
    value = values_[static_cast<std::size_t>(position)];
    name = NameAt(static_cast<std::size_t>(position));
    return true;
}

const std::string& ZMGRowExt::Name(int position) const {
    CheckPosition(position, values_.size(), "Name");
    return NameAt(static_cast<std::size_t>(position));
}

// ---- ZMGRowCell -------------------------------------------------------------

ZMGRowCell::ZMGRowCell() : child_(std::make_unique<ZMGCell>()) {}

ZMGRowCell::~ZMGRowCell() = default;

void ZMGRowCell::ClearItems(int from) {
    ZMGRowExt::ClearItems(from);
    child_->ClearRows(from < 0 ? 0 : from);
}

void ZMGRowCell::CopyRow(const ZMGRowExt& other) {
    if (&other == this) return;
    ZMGRowExt::CopyRow(other);
    if (const auto* cell = dynamic_cast<const ZMGRowCell*>(&other)) {
        child_->CopyRowsAsExt(cell->Child());
    } else {
        child_->ClearRows(0);
    }
}

// ---- ZMGRowField, ZMGRowKey, ZMGRowIndex ------------------------------------

int ZMGRowField::TestFlags() const {
    return (flags_ & kAnyKeyFlags) != 0 ? 1 : 0;
}

void ZMGRowField::AddKeyMark(std::uint32_t kind, const std::string& number) {
    const int index = KeyListIndex(kind);
    if (index < 0) return;
    SetFlags(kind);
    if (!keyNumbers_) keyNumbers_ = std::make_unique<std::array<std::vector<std::string>, 5>>();
    (*keyNumbers_)[static_cast<std::size_t>(index)].push_back(number);
}

const std::vector<std::string>& ZMGRowField::KeyNumbers(std::uint32_t kind) const {
    static const std::vector<std::string> kNone;
    const int index = KeyListIndex(kind);
    return index < 0 || !keyNumbers_ ? kNone : (*keyNumbers_)[static_cast<std::size_t>(index)];
}

void ZMGRowField::ClearKeyMarks() {
    keyNumbers_.reset();
    flags_ &= ~kAnyKeyOrIndexFlags;
}

int ZMGRowKey::TestFlags() const {
    return (flags_ & kAnyKeyFlags) != 0 ? 1 : 0;
}

int ZMGRowIndex::TestFlags() const {
    const bool unique = (flags_ & kIndexUnique) != 0;
    const bool nonUnique = (flags_ & kIndexNonUnique) != 0;
    if (unique && nonUnique) return 4;
    if (unique) return 2;
    if (nonUnique) return 3;
    return 0;
}

}  // namespace tabulorix
