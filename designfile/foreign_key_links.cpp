#include "designfile/foreign_key_links.h"

#include <string>
#include <unordered_map>

#include "diagram/draw_table_list.h"

namespace {

constexpr int kKeyName = 0;
constexpr int kReferenceOwner = 2;
constexpr int kReferenceName = 3;

std::string KeyOf(const std::string& owner, const std::string& name) {
    return owner + '\x1f' + name;
}

bool IsTable(const MGShapeTable& box) {
    return (box.Kind() & MGShapeField::kKindTable) != 0;
}

}  // namespace

void LinkForeignKeys(MGDrawTableList& diagram) {
    // (owner, key name) -> key number: primary keys take precedence over
    // unique constraints, earlier boxes over later ones.
    std::unordered_map<std::string, int> numbers;
    for (const bool unique : {false, true}) {
        for (int i = 0; i < diagram.Count(); ++i) {
            const MGShapeTable& box = *diagram.Item(i);
            if (!IsTable(box)) continue;
            const ZMGCell& keys = unique ? box.UniqueRows() : box.PrimaryKeyRows();
            for (int r = 1; !keys.IsPastEnd(r); ++r) {
                const ZMGRowExt& key = keys.GetRow(r);
                numbers.try_emplace(KeyOf(box.Owner(), key.ItemOrEmpty(kKeyName)), key.KeyNumber());
            }
        }
    }
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable& box = *diagram.Item(i);
        if (!IsTable(box)) continue;
        ZMGCell& foreignKeys = box.ForeignKeyRows();
        for (int r = 1; !foreignKeys.IsPastEnd(r); ++r) {
            ZMGRowExt& row = foreignKeys.GetRow(r);
            const auto found =
                numbers.find(KeyOf(row.ItemOrEmpty(kReferenceOwner), row.ItemOrEmpty(kReferenceName)));
            row.SetKeyNumber(found == numbers.end() ? -1 : found->second);
        }
    }
}
