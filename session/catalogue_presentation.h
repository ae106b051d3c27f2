// What the catalogue tree and the sheet pages of the main window show,
// without any widget: the tree's levels and texts, what a selected node
// presents (panel, page, list kind), the schema pages' row tables, a box's
// detail tables and the table list's check boxes. The window's item models
// read these tables lazily; nothing here is copied per row into the GUI.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/presentation_handles.h"
#include "catalogue/row_table.h"

namespace tabulorix {

class MGSchema;
class MGSchemaMng;
class MGShapeTable;

// The five category nodes under every schema, in tree order.
inline constexpr std::array<const char*, 5> kCategoryTexts = {"表", "ビュー", "制約", "索引", "OBJECT権限"};
inline constexpr int kCategoryTables = 0;
inline constexpr int kCategoryViews = 1;

// Pictures of the tree nodes (state images).
namespace tree_image {
inline constexpr int kDesign = 1;
inline constexpr int kDesignNotRead = 2;
inline constexpr int kTable = 4;
inline constexpr int kView = 5;
inline constexpr int kCategory = 6;
inline constexpr int kSchema = 12;
}  // namespace tree_image

// A node of the catalogue tree: level 0 the root, 1 a schema, 2 a category,
// 3 a table or view box; level -1 is no node. Positions count from 0.
struct MGTreeNode {
    int level = -1;
    int schema = -1;
    int category = -1;
    int item = -1;

    bool Valid() const { return level >= 0; }
    bool operator==(const MGTreeNode&) const = default;
    MGTreeNode Parent() const;
    // The node as the handle kept by schemas and boxes, and back.
    TreeNodeHandle Handle() const;
    static MGTreeNode FromHandle(TreeNodeHandle handle);

    static MGTreeNode Root() { return {0, -1, -1, -1}; }
    static MGTreeNode Schema(int schema) { return {1, schema, -1, -1}; }
    static MGTreeNode Category(int schema, int category) { return {2, schema, category, -1}; }
    static MGTreeNode Box(int schema, int category, int item) { return {3, schema, category, item}; }
};

// The tree over the manager's schemas and the diagram's boxes. Texts are
// made when asked for, so a display mode change needs no rebuilding.
class MGCatalogueTree {
public:
    // The root titled with the design's name, one node per schema with its
    // five categories, one node per table box under "表" and per view box
    // under "ビュー" in diagram order. Schemas and boxes keep their nodes.
    void Build(MGSchemaMng& manager);
    // No root any more; the schemas and boxes forget their nodes.
    void Clear();
    bool HasRoot() const { return manager_ != nullptr; }
    void SetRootText(const std::string& text) { rootText_ = text; }

    int ChildCount(const MGTreeNode& node) const;
    // The row-th child (no node past the end).
    MGTreeNode Child(const MGTreeNode& parent, int row) const;
    // Position of the node among its parent's children.
    static int Row(const MGTreeNode& node);
    // Root: the design's name; schema: name + " (" + number + ")";
    // category: its text; box: its name in the current display mode.
    std::string Text(const MGTreeNode& node) const;
    int StateImage(const MGTreeNode& node) const;

    MGSchema* SchemaOf(const MGTreeNode& node) const;
    MGShapeTable* BoxOf(const MGTreeNode& node) const;
    // The node a box keeps (level -1 when the box is not in the tree).
    MGTreeNode NodeOfBox(const MGShapeTable& box) const;

private:
    struct SchemaEntry {
        MGSchema* schema = nullptr;
        std::vector<MGShapeTable*> tables;
        std::vector<MGShapeTable*> views;
    };
    const std::vector<MGShapeTable*>* Boxes(const MGTreeNode& node) const;

    MGSchemaMng* manager_ = nullptr;
    std::string rootText_;
    std::vector<SchemaEntry> schemas_;
};

// The panels of "シート", as the panel viewer numbers them.
enum class MGSheetPanel { SheetView = 0, TableField = 1, Schema = 2 };

// The pages of the schema panel's page control.
inline constexpr int kPageTableList = 0;
inline constexpr int kPageConstraints = 1;
inline constexpr int kPageIndexes = 2;
inline constexpr int kPagePrivileges = 3;

// What a selected node presents.
struct MGSelection {
    int level = -1;
    std::string category;  // the category node's text (of the parent for a box)
    std::string object;    // the box node's text
    MGSchema* schema = nullptr;
    MGShapeTable* box = nullptr;
    MGSheetPanel panel = MGSheetPanel::Schema;
    int page = -1;      // page of the schema panel, -1 for the other panels
    int kindMask = 0;   // table list: 1 tables, 2 views, 3 both
};

MGSelection DescribeSelection(const MGCatalogueTree& tree, const MGTreeNode& node);
// The node that a page of the schema panel stands for under the schema of
// the selected node: the schema itself for "表一覧", else the category.
MGTreeNode NodeForPage(const MGTreeNode& selected, int page);

// A box's detail tables, made the first time the box is shown.
struct MGBoxDetails {
    std::unique_ptr<ZMGCell> columns;
    std::unique_ptr<ZMGCell> primaryKeys;
    std::unique_ptr<ZMGCell> uniqueKeys;
    std::unique_ptr<ZMGCell> foreignKeys;
    std::unique_ptr<ZMGCell> conditions;
    std::unique_ptr<ZMGCell> indexes;
    bool view = false;
    std::string source;  // the view's or table's SQL source text
};

// Each detail list is one row per key column; the state image of a row is
// its flags word (1 key column, 2 unique index, 3 non-unique index). The
// repeated leading constraint values are blanked: keys 2 columns (1 when
// the display mode has 0x04), foreign keys 5 (3), indexes 2, conditions 0.
std::unique_ptr<MGBoxDetails> BuildBoxDetails(const MGShapeTable& box, int displayMode);

// The schema pages of the last schema shown and the details of the boxes
// shown, kept until a reset point (new reading, design loaded, display mode
// changed) so that showing them again refills nothing.
class MGSheetCache {
public:
    // BuildTableList with Japanese captions, the name columns of the display
    // mode, the kind mask and the flag column.
    ZMGCell& TableList(const MGSchema& schema, int displayMode, int kindMask);
    // 0 primary keys, 1 unique keys, 2 foreign keys, 3 conditions, gathered
    // from every table box of the schema.
    const ZMGCell& Constraints(const MGSchema& schema, int which);
    const ZMGCell& Indexes(const MGSchema& schema);
    const ZMGCell& Privileges(MGSchema& schema);
    const MGBoxDetails& Details(const MGShapeTable& box, int displayMode);
    void Reset();

private:
    void Switch(const MGSchema& schema);

    const MGSchema* schema_ = nullptr;
    std::array<std::unique_ptr<ZMGCell>, 4> tableLists_;  // by kind mask
    std::array<std::unique_ptr<ZMGCell>, 4> constraints_;
    std::unique_ptr<ZMGCell> indexes_;
    std::unordered_map<const MGShapeTable*, std::unique_ptr<MGBoxDetails>> details_;
};

// The table list's check boxes: the boxes the rows name (kind from the
// caption "表" or "ビュー", name from the first sub-item, owner given) get
// the visible flag, their rows the detail flag and "V"/"E". The manager is
// marked modified when a box changed; returns the number of boxes changed.
int SetListedBoxesVisible(MGSchemaMng& manager, const std::string& owner, ZMGCell& list,
                          const std::vector<int>& rows, bool visible);

}  // namespace tabulorix
