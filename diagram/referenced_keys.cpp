// The lookup of the keys that foreign keys reference, and the index that
// serves it while a script, a list or a design file is written.
#include "diagram/referenced_keys.h"

#include <string_view>
#include <unordered_map>

#include "catalogue/row_items.h"
#include "diagram/draw_table_list.h"

namespace tabulorix {

namespace {

// Foreign keys find their referenced keys through this index while a
// script is generated: (owner, key number) -> the first primary-key row,
// else the first unique row, in box-list order.
class ReferencedKeyIndex {
public:
    explicit ReferencedKeyIndex(const MGDrawTableList& diagram) {
        for (const bool unique : {false, true}) {
            for (int i = 0; i < diagram.Count(); ++i) {
                const MGShapeTable* box = diagram.Item(i);
                if ((box->Kind() & MGShapeField::kKindTable) == 0) continue;
                const ZMGCell& keys = unique ? box->UniqueRows() : box->PrimaryKeyRows();
                for (int r = 1; !keys.IsPastEnd(r); ++r) {
                    const auto* key = dynamic_cast<const ZMGRowCell*>(&keys.GetRow(r));
                    if (key == nullptr || key->KeyNumber() == -1) continue;
                    index_.try_emplace(Key(box->Owner(), key->KeyNumber()), MGReferencedKey{box, key});
                }
            }
        }
    }

    MGReferencedKey Find(const std::string& owner, int keyNumber) const {
        const auto found = index_.find(Key(owner, keyNumber));
        return found == index_.end() ? MGReferencedKey{} : found->second;
    }

private:
    // The owner is viewed in the box's own name, which outlives the index.
    using Key = std::pair<std::string_view, int>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            return std::hash<std::string_view>()(key.first) * 31 + static_cast<std::size_t>(key.second);
        }
    };
    std::unordered_map<Key, MGReferencedKey, KeyHash> index_;
};

}  // namespace

struct MGReferencedKeyScope::Index {
    ReferencedKeyIndex keys;
};

namespace {
// Per thread: a worker writing box sources keeps its own scope.
thread_local const MGReferencedKeyScope::Index* activeIndex = nullptr;
}  // namespace

std::shared_ptr<const MGReferencedKeyScope::Index> MGReferencedKeyScope::BuildIndex() {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return nullptr;
    return std::make_shared<const Index>(Index{ReferencedKeyIndex(*diagram)});
}

MGReferencedKeyScope::MGReferencedKeyScope() : MGReferencedKeyScope(BuildIndex()) {}

MGReferencedKeyScope::MGReferencedKeyScope(std::shared_ptr<const Index> index)
    : index_(std::move(index)), previous_(activeIndex) {
    if (index_) activeIndex = index_.get();
}

MGReferencedKeyScope::~MGReferencedKeyScope() {
    if (index_) activeIndex = previous_;
}

MGReferencedKey FindReferencedKey(const MGShapeTable& /*child*/, const ZMGRowExt& foreignKeyRow) {
    if (foreignKeyRow.KeyNumber() == -1) return {};
    const std::string& owner = foreignKeyRow.ItemOrEmpty(foreign_key_row::kReferenceOwner);
    if (activeIndex != nullptr) return activeIndex->keys.Find(owner, foreignKeyRow.KeyNumber());
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return {};
    return ReferencedKeyIndex(*diagram).Find(owner, foreignKeyRow.KeyNumber());
}

}  // namespace tabulorix
