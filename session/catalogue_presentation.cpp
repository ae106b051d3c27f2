#include "session/catalogue_presentation.h"

#include <iterator>

#include "catalogue/row_items.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/section_kinds.h"
#include "diagram/shape_view.h"
#include "diagram/table_list.h"

namespace tabulorix {

namespace {

// Handle layout: bit 63 always set (0 is no node), level in bits 60-62, the
// schema + 1 in bits 40-59, the category + 1 in bits 32-39, the item + 1 in
// bits 0-31.
constexpr std::uint64_t kHandleMark = std::uint64_t{1} << 63;

std::uint64_t Field(int value, int shift, std::uint64_t mask) {
    return (static_cast<std::uint64_t>(value + 1) & mask) << shift;
}
int Unfield(std::uint64_t id, int shift, std::uint64_t mask) { return static_cast<int>((id >> shift) & mask) - 1; }

constexpr std::uint64_t kSchemaMask = 0xFFFFF;
constexpr std::uint64_t kCategoryMask = 0xFF;
constexpr std::uint64_t kItemMask = 0xFFFFFFFF;

}  // namespace

MGTreeNode MGTreeNode::Parent() const {
    switch (level) {
        case 1: return Root();
        case 2: return Schema(schema);
        case 3: return Category(schema, category);
        default: return {};
    }
}

TreeNodeHandle MGTreeNode::Handle() const {
    if (!Valid()) return TreeNodeHandle();
    return TreeNodeHandle(kHandleMark | (static_cast<std::uint64_t>(level) << 60) | Field(schema, 40, kSchemaMask) |
                          Field(category, 32, kCategoryMask) | Field(item, 0, kItemMask));
}

MGTreeNode MGTreeNode::FromHandle(TreeNodeHandle handle) {
    const std::uint64_t id = handle.Id();
    if ((id & kHandleMark) == 0) return {};
    return {static_cast<int>((id >> 60) & 0x7), Unfield(id, 40, kSchemaMask), Unfield(id, 32, kCategoryMask),
            Unfield(id, 0, kItemMask)};
}

void MGCatalogueTree::Build(MGSchemaMng& manager) {
    Clear();
    manager_ = &manager;
    rootText_ = manager.DesignTitle();
    manager.SetRootNode(MGTreeNode::Root().Handle());
    std::unordered_map<int, int> byNumber;  // schema number -> position
    for (int s = 0; s < manager.SchemaCount(); ++s) {
        MGSchema* schema = manager.GetSchema(s);
        schemas_.push_back({schema, {}, {}});
        byNumber.emplace(schema->SchemaNumber(), s);
        schema->SetTreeNode(MGTreeNode::Schema(s).Handle());
        for (int c = 0; c < static_cast<int>(kCategoryTexts.size()); ++c)
            schema->SetCategoryNode(c, MGTreeNode::Category(s, c).Handle());
    }
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    for (int i = 0; diagram != nullptr && i < diagram->Count(); ++i) {
        MGShapeTable* box = diagram->Item(i);
        const auto found = byNumber.find(box->SchemaNumber());
        const int kind = box->BaseKind();
        if (found == byNumber.end() || (kind != MGShapeField::kKindTable && kind != MGShapeField::kKindView)) continue;
        SchemaEntry& entry = schemas_[static_cast<std::size_t>(found->second)];
        const int category = kind == MGShapeField::kKindTable ? kCategoryTables : kCategoryViews;
        std::vector<MGShapeTable*>& list = category == kCategoryTables ? entry.tables : entry.views;
        box->SetTreeNode(MGTreeNode::Box(found->second, category, static_cast<int>(list.size())).Handle());
        list.push_back(box);
    }
}

void MGCatalogueTree::Clear() {
    if (manager_ != nullptr && manager_->RootNode()) manager_->SetRootNode(TreeNodeHandle());
    for (SchemaEntry& entry : schemas_) {
        for (MGShapeTable* box : entry.tables) box->SetTreeNode(TreeNodeHandle());
        for (MGShapeTable* box : entry.views) box->SetTreeNode(TreeNodeHandle());
    }
    schemas_.clear();
    manager_ = nullptr;
}

const std::vector<MGShapeTable*>* MGCatalogueTree::Boxes(const MGTreeNode& node) const {
    if (node.schema < 0 || node.schema >= static_cast<int>(schemas_.size())) return nullptr;
    const SchemaEntry& entry = schemas_[static_cast<std::size_t>(node.schema)];
    if (node.category == kCategoryTables) return &entry.tables;
    if (node.category == kCategoryViews) return &entry.views;
    return nullptr;
}

int MGCatalogueTree::ChildCount(const MGTreeNode& node) const {
    if (!HasRoot()) return 0;
    switch (node.level) {
        case -1: return 1;
        case 0: return static_cast<int>(schemas_.size());
        case 1: return static_cast<int>(kCategoryTexts.size());
        case 2: {
            const std::vector<MGShapeTable*>* boxes = Boxes(node);
            return boxes == nullptr ? 0 : static_cast<int>(boxes->size());
        }
        default: return 0;
    }
}

MGTreeNode MGCatalogueTree::Child(const MGTreeNode& parent, int row) const {
    if (row < 0 || row >= ChildCount(parent)) return {};
    switch (parent.level) {
        case -1: return MGTreeNode::Root();
        case 0: return MGTreeNode::Schema(row);
        case 1: return MGTreeNode::Category(parent.schema, row);
        default: return MGTreeNode::Box(parent.schema, parent.category, row);
    }
}

int MGCatalogueTree::Row(const MGTreeNode& node) {
    switch (node.level) {
        case 1: return node.schema;
        case 2: return node.category;
        case 3: return node.item;
        default: return 0;
    }
}

std::string MGCatalogueTree::Text(const MGTreeNode& node) const {
    if (!HasRoot()) return {};
    switch (node.level) {
        case 0: return rootText_;
        case 1: {
            const MGSchema* schema = SchemaOf(node);
            return schema == nullptr ? std::string()
                                     : schema->OwnerName() + " (" + std::to_string(schema->SchemaNumber()) + ")";
        }
        case 2: return node.category >= 0 && node.category < 5 ? kCategoryTexts[node.category] : "";
        case 3: {
            const MGShapeTable* box = BoxOf(node);
            return box == nullptr ? std::string() : box->NameForMode(manager_->DisplayMode());
        }
        default: return {};
    }
}

int MGCatalogueTree::StateImage(const MGTreeNode& node) const {
    switch (node.level) {
        case 0: {
            const MGSchema* first = schemas_.empty() ? nullptr : schemas_.front().schema;
            return first != nullptr && first->SourceKind() == 1 ? tree_image::kDesignNotRead : tree_image::kDesign;
        }
        case 1: return tree_image::kSchema;
        case 2: return tree_image::kCategory;
        case 3: return node.category == kCategoryViews ? tree_image::kView : tree_image::kTable;
        default: return 0;
    }
}

MGSchema* MGCatalogueTree::SchemaOf(const MGTreeNode& node) const {
    if (node.level < 1 || node.schema < 0 || node.schema >= static_cast<int>(schemas_.size())) return nullptr;
    return schemas_[static_cast<std::size_t>(node.schema)].schema;
}

MGShapeTable* MGCatalogueTree::BoxOf(const MGTreeNode& node) const {
    if (node.level != 3) return nullptr;
    const std::vector<MGShapeTable*>* boxes = Boxes(node);
    if (boxes == nullptr || node.item < 0 || node.item >= static_cast<int>(boxes->size())) return nullptr;
    return (*boxes)[static_cast<std::size_t>(node.item)];
}

MGTreeNode MGCatalogueTree::NodeOfBox(const MGShapeTable& box) const {
    const MGTreeNode node = MGTreeNode::FromHandle(box.TreeNode());
    return BoxOf(node) == &box ? node : MGTreeNode{};
}

MGSelection DescribeSelection(const MGCatalogueTree& tree, const MGTreeNode& node) {
    MGSelection selection;
    if (!node.Valid() || node.level > 3) return selection;
    selection.level = node.level;
    selection.schema = tree.SchemaOf(node);
    selection.box = tree.BoxOf(node);
    if (node.level >= 2) selection.category = kCategoryTexts.at(static_cast<std::size_t>(node.category));
    if (node.level == 3) selection.object = tree.Text(node);
    switch (node.level) {
        case 0: selection.panel = MGSheetPanel::Schema; break;
        case 1:
            selection.panel = MGSheetPanel::SheetView;
            selection.page = kPageTableList;
            selection.kindMask = 3;
            break;
        case 2:
            selection.panel = MGSheetPanel::SheetView;
            selection.page = node.category <= kCategoryViews ? kPageTableList : node.category - 1;
            selection.kindMask = node.category == kCategoryTables ? 1 : node.category == kCategoryViews ? 2 : 0;
            break;
        default:
            selection.panel = MGSheetPanel::TableField;
            selection.kindMask = node.category == kCategoryTables ? 1 : 2;
            break;
    }
    return selection;
}

MGTreeNode NodeForPage(const MGTreeNode& selected, int page) {
    if (selected.level < 1 || page < kPageTableList || page > kPagePrivileges) return {};
    if (page == kPageTableList) return MGTreeNode::Schema(selected.schema);
    return MGTreeNode::Category(selected.schema, page + 1);
}

namespace {

// A table with the header of a list kind's template row.
std::unique_ptr<ZMGCell> WithHeader(std::unique_ptr<ZMGCell> table) {
    table->AddRow(table->NewTemplateRow(0));
    return table;
}

std::unique_ptr<ZMGRowExt> ListRow(int stateImage) {
    auto row = std::make_unique<ZMGRowExt>();
    row->SetFlags(static_cast<std::uint32_t>(stateImage));
    return row;
}

template <typename Visit>
void ForEachKeyColumn(const ZMGCell& keys, Visit visit) {
    for (int k = 1; !keys.IsPastEnd(k); ++k) {
        const auto* key = dynamic_cast<const ZMGRowCell*>(&keys.GetRow(k));
        if (key == nullptr) continue;
        for (int c = 1; !key->Child().IsPastEnd(c); ++c) visit(*key, key->Child().GetRow(c));
    }
}

// Form B: the key's own items first, then the column and its position.
std::unique_ptr<ZMGCell> KeyList(std::unique_ptr<ZMGCell> list, const ZMGCell& keys, int keyItems,
                                 int (*image)(const ZMGRowExt& key)) {
    list = WithHeader(std::move(list));
    ForEachKeyColumn(keys, [&](const ZMGRowExt& key, const ZMGRowExt& column) {
        auto row = ListRow(image(key));
        for (int i = 0; i < keyItems; ++i) row->AddItem(key.ItemOrEmpty(i));
        row->AddItem(column.ItemOrEmpty(0));
        row->AddItem(column.ItemOrEmpty(1));
        list->AddRow(std::move(row));
    });
    return list;
}

// A box's column list, its header in the captions the user reads.
std::unique_ptr<ZMGCell> ColumnList(const MGShapeTable& box) {
    auto list = WithHeader(std::make_unique<ZMGCellFieldTable>());
    static constexpr const char* kCaptions[] = {"論理列名", "物理列名", "型", "桁数", "NULL可", "省略時値", "コメント"};
    ZMGRowExt& header = list->GetRow(0);
    for (int i = 0; i < static_cast<int>(std::size(kCaptions)); ++i) header.PutItem(i, kCaptions[i]);
    const ZMGCell& columns = box.ColumnRows();
    const int count = static_cast<int>(list->GetRow(0).ItemCount());
    for (int r = 1; !columns.IsPastEnd(r); ++r) {
        const ZMGRowExt& column = columns.GetRow(r);
        auto row = ListRow(column.TestFlags());
        for (int i = 0; i < count; ++i) row->AddItem(column.ItemOrEmpty(i));
        list->AddRow(std::move(row));
    }
    return list;
}

std::unique_ptr<ZMGCell> ConditionList(const MGShapeTable& box) {
    auto list = WithHeader(std::make_unique<ZMGCellFieldCondition>());
    const ZMGCell& conditions = box.ConditionRows();
    for (int r = 1; !conditions.IsPastEnd(r); ++r) {
        auto row = ListRow(0);
        for (int i = 0; i < 4; ++i) row->AddItem(conditions.GetRow(r).ItemOrEmpty(i));
        list->AddRow(std::move(row));
    }
    return list;
}

int KeyImage(const ZMGRowExt&) { return 1; }
int IndexImage(const ZMGRowExt& index) { return index.ItemOrEmpty(index_row::kUniqueness) == "UNIQUE" ? 2 : 3; }

}  // namespace

std::unique_ptr<MGBoxDetails> BuildBoxDetails(const MGShapeTable& box, int displayMode) {
    auto details = std::make_unique<MGBoxDetails>();
    const bool narrow = (displayMode & 0x04) != 0;
    details->columns = ColumnList(box);
    details->primaryKeys =
        KeyList(std::make_unique<ZMGCellFieldKey>(ZMGHeaderForm::B), box.PrimaryKeyRows(), 2, KeyImage);
    details->uniqueKeys =
        KeyList(std::make_unique<ZMGCellFieldKey>(ZMGHeaderForm::B), box.UniqueRows(), 2, KeyImage);
    details->foreignKeys =
        KeyList(std::make_unique<ZMGCellFieldForeignKey>(ZMGHeaderForm::B), box.ForeignKeyRows(), 6, KeyImage);
    details->indexes =
        KeyList(std::make_unique<ZMGCellFieldIndex>(ZMGHeaderForm::B), box.IndexRows(), 2, IndexImage);
    details->conditions = ConditionList(box);
    details->primaryKeys->SetGroupColumns(narrow ? 1 : 2);
    details->uniqueKeys->SetGroupColumns(narrow ? 1 : 2);
    details->foreignKeys->SetGroupColumns(narrow ? 3 : 5);
    details->indexes->SetGroupColumns(2);
    const auto* view = dynamic_cast<const MGShapeView*>(&box);
    details->view = view != nullptr;
    details->source = box.SqlSource();
    return details;
}

void MGSheetCache::Switch(const MGSchema& schema) {
    if (schema_ == &schema) return;
    Reset();
    schema_ = &schema;
}

void MGSheetCache::Reset() {
    schema_ = nullptr;
    for (auto& list : tableLists_) list.reset();
    for (auto& list : constraints_) list.reset();
    indexes_.reset();
    details_.clear();
}

ZMGCell& MGSheetCache::TableList(const MGSchema& schema, int displayMode, int kindMask) {
    Switch(schema);
    std::unique_ptr<ZMGCell>& list = tableLists_.at(static_cast<std::size_t>(kindMask & 3));
    if (!list) list = BuildTableList(schema, false, displayMode & 3, kindMask, "", true);
    return *list;
}

namespace {

// The rows of one kind from every table box of the schema, each row led by
// the table's physical name.
std::unique_ptr<ZMGCell> Gathered(const MGSchema& schema, std::uint32_t sectionKind, int groupColumns) {
    auto list = std::make_unique<ZMGCell>();
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    for (int i = 0; diagram != nullptr && i < diagram->Count(); ++i) {
        MGShapeTable* box = diagram->Item(i);
        if (box->BaseKind() != MGShapeField::kKindTable || box->SchemaNumber() != schema.SchemaNumber()) continue;
        box->WriteBoxRows(sectionKind | section_kinds::kPhysicalNames | section_kinds::kNoReferencedNames, *list,
                          false);
    }
    list->SetGroupColumns(groupColumns);
    return list;
}

}  // namespace

const ZMGCell& MGSheetCache::Constraints(const MGSchema& schema, int which) {
    using namespace section_kinds;
    static constexpr std::uint32_t kKinds[] = {kPrimaryKeys, kUniqueKeys, kForeignKeys, kConditions};
    // Table, constraint name and status (foreign keys: and the reference).
    static constexpr int kGroups[] = {3, 3, 6, 1};
    Switch(schema);
    std::unique_ptr<ZMGCell>& list = constraints_.at(static_cast<std::size_t>(which));
    if (!list) list = Gathered(schema, kKinds[which], kGroups[which]);
    return *list;
}

const ZMGCell& MGSheetCache::Indexes(const MGSchema& schema) {
    Switch(schema);
    if (!indexes_) indexes_ = Gathered(schema, section_kinds::kIndexes, 3);
    return *indexes_;
}

const ZMGCell& MGSheetCache::Privileges(MGSchema& schema) {
    Switch(schema);
    return schema.Privileges();
}

const MGBoxDetails& MGSheetCache::Details(const MGShapeTable& box, int displayMode) {
    std::unique_ptr<MGBoxDetails>& details = details_[&box];
    if (!details) details = BuildBoxDetails(box, displayMode);
    return *details;
}

namespace {

MGShapeTable* ListedBox(const std::string& owner, int kind, const std::string& name, bool logical) {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return nullptr;
    if (!logical) {
        MGShapeTable* box = diagram->FindBox(owner, name);
        return box != nullptr && box->BaseKind() == kind ? box : nullptr;
    }
    for (int i = 0; i < diagram->Count(); ++i) {
        MGShapeTable* box = diagram->Item(i);
        if (box->BaseKind() == kind && box->Owner() == owner && box->LogicalName() == name) return box;
    }
    return nullptr;
}

}  // namespace

int SetListedBoxesVisible(MGSchemaMng& manager, const std::string& owner, ZMGCell& list,
                          const std::vector<int>& rows, bool visible) {
    if (list.RowCount() == 0) return 0;
    // The name column is logical only when the list has no physical one.
    const ZMGRowExt& header = list.GetRow(0);
    const bool logical = header.ItemOrEmpty(1) == "論理表名" && header.ItemOrEmpty(2) != "物理表名";
    const int nameColumn = logical || header.ItemOrEmpty(1) == "物理表名" ? 1 : 2;
    const int flagColumn = header.ItemCount() - 1;
    int changed = 0;
    for (const int r : rows) {
        if (r < 1 || list.IsPastEnd(r)) continue;
        ZMGRowExt& row = list.GetRow(r);
        const std::string& type = row.ItemOrEmpty(0);
        const int kind = type == "表" ? MGShapeField::kKindTable : type == "ビュー" ? MGShapeField::kKindView : 0;
        row.SetDetail(visible);
        if (header.ItemOrEmpty(flagColumn) == "フラグ") row.PutItem(flagColumn, visible ? "V" : "E");
        MGShapeTable* box = ListedBox(owner, kind, row.ItemOrEmpty(nameColumn), logical);
        if (box == nullptr || box->Detailed() == visible) continue;
        box->SetDetailed(visible);
        box->SetSizeDirty(1);
        ++changed;
    }
    if (changed > 0) manager.SetModified();
    return changed;
}

}  // namespace tabulorix
