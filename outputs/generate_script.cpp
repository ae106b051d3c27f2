// The passes of the script generator over the boxes of the diagram, and the
// lookup of the keys that foreign keys reference.
#include <array>
#include <string_view>
#include <unordered_map>

#include "diagram/draw_table_list.h"
#include "outputs/box_walk.h"
#include "outputs/script_flags.h"
#include "outputs/sql_script.h"
#include "platform/ui_ports.h"

using namespace script_flags;

namespace {

constexpr int kReferenceOwner = 2;  // item of a foreign-key row

struct Pass {
    std::uint32_t kinds;
    const char* text;
};

constexpr std::array<Pass, 9> kCreationPasses = {{{kTables, "表の列定義出力"},
                                                  {kViews, "ビューソース出力"},
                                                  {kIndexes, "索引出力"},
                                                  {kComments, "コメント出力"},
                                                  {kPrivileges, "OBJECT権限出力"},
                                                  {kPrimaryKeys, "主キー出力"},
                                                  {kUniqueKeys, "一意キー出力"},
                                                  {kConditions, "条件出力"},
                                                  {kForeignKeys, "外部キー出力"}}};

constexpr std::array<Pass, 9> kRemovalPasses = {{{kForeignKeys, "外部キー出力"},
                                                 {kConditions, "条件出力"},
                                                 {kPrimaryKeys, "主キー出力"},
                                                 {kUniqueKeys, "一意キー出力"},
                                                 {kIndexes, "索引出力"},
                                                 {kComments, "コメント出力"},
                                                 {kPrivileges, "OBJECT権限出力"},
                                                 {kViews, "ビュー出力"},
                                                 {kTables, "表の列定義出力"}}};

// The kind bits a pass hands to the boxes, or 0 when the pass is skipped.
std::uint32_t PassKinds(const Pass& pass, std::uint32_t flags) {
    const bool creation = (flags & kRemovalOrder) == 0;
    const bool inlineForm = (flags & kInlineConstraints) != 0;
    if ((pass.kinds & kKeyKinds) != 0) {
        // Separate constraint statements have passes of their own only in
        // the separate form; inline ones travel with the table pass.
        if (creation && (flags & kSeparateConstraints) == 0) return 0;
    }
    std::uint32_t kinds = pass.kinds;
    if (pass.kinds == kTables && creation && inlineForm) kinds |= kKeyKinds;
    return flags & kinds;
}

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
    const std::string& owner = foreignKeyRow.ItemOrEmpty(kReferenceOwner);
    if (activeIndex != nullptr) return activeIndex->keys.Find(owner, foreignKeyRow.KeyNumber());
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return {};
    return ReferencedKeyIndex(*diagram).Find(owner, foreignKeyRow.KeyNumber());
}

std::vector<MGShapeTable*> BoxesToWrite(const std::string& owner, bool visibleOnly) {
    std::vector<MGShapeTable*> boxes;
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return boxes;
    for (int i = 0; i < diagram->Count(); ++i) {
        MGShapeTable* box = diagram->Item(i);
        if ((box->Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) == 0) continue;
        if (!owner.empty() && box->Owner() != owner) continue;
        if (visibleOnly && !box->Detailed()) continue;
        boxes.push_back(box);
    }
    return boxes;
}

bool VisitBoxes(const std::vector<MGShapeTable*>& boxes, const std::string& text, bool cancellable,
                const std::function<bool(MGShapeTable&)>& visit) {
    tabulorix::StatusPort& status = tabulorix::Status();
    status.SetMainLine(text);
    status.SetMaximum(static_cast<int>(boxes.size()));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        status.SetPosition(static_cast<int>(i) + 1);
        status.ProcessEvents();
        if (cancellable && status.CancelRequested()) return false;
        if (!visit(*boxes[i])) return false;
    }
    return true;
}

bool GenerateScript(MGSchema* /*schema*/, bool cancellable, bool visibleOnly, const std::string& owner,
                    std::string& out, std::uint32_t scriptFlags, int perBoxMode, bool blankLineRemoval) {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return true;
    const MGReferencedKeyScope keys;
    const std::vector<MGShapeTable*> boxes = BoxesToWrite(owner, visibleOnly);
    auto runPass = [&](std::uint32_t passFlags, const char* text) {
        return VisitBoxes(boxes, text, cancellable, [&](MGShapeTable& box) {
            return box.WriteBoxScript(passFlags, out, perBoxMode, blankLineRemoval);
        });
    };
    const std::uint32_t form = scriptFlags & ~kStatementKinds;
    if ((scriptFlags & kBoxByBox) != 0) return runPass(scriptFlags, "SQLソース出力");
    const bool removal = (scriptFlags & kRemovalOrder) != 0;
    for (const Pass& pass : removal ? kRemovalPasses : kCreationPasses) {
        const std::uint32_t kinds = PassKinds(pass, scriptFlags);
        if (kinds == 0) continue;
        if (!runPass(form | kinds, pass.text)) return false;
    }
    return true;
}

void GenerateBoxSources(MGSchema* schema) {
    std::string text;
    GenerateScript(schema, false, false, std::string(), text, kBoxSource, 1, false);
}
