#include "app/catalogue_tree_model.h"

#include "app/key_state_icons.h"
#include "app/ui_language.h"
#include "catalogue/schema_manager.h"

namespace tabulorix {

void CatalogueTreeModel::Build(MGSchemaMng& manager) {
    beginResetModel();
    tree_.Build(manager);
    endResetModel();
}

void CatalogueTreeModel::Clear() {
    beginResetModel();
    tree_.Clear();
    endResetModel();
}

void CatalogueTreeModel::SetRootText(const std::string& text) {
    if (!tree_.HasRoot()) return;
    tree_.SetRootText(text);
    const QModelIndex root = IndexOf(MGTreeNode::Root());
    Q_EMIT dataChanged(root, root, {Qt::DisplayRole});
}

void CatalogueTreeModel::RefreshTexts() {
    const QModelIndex root = IndexOf(MGTreeNode::Root());
    for (int s = 0; s < rowCount(root); ++s) {
        const QModelIndex schema = index(s, 0, root);
        for (int c = 0; c < rowCount(schema); ++c) {
            const QModelIndex category = index(c, 0, schema);
            const int count = rowCount(category);
            if (count > 0) Q_EMIT dataChanged(index(0, 0, category), index(count - 1, 0, category), {Qt::DisplayRole});
        }
    }
}

QModelIndex CatalogueTreeModel::IndexOf(const MGTreeNode& node) const {
    if (!node.Valid() || node.level > 3) return {};
    return createIndex(MGCatalogueTree::Row(node), 0, static_cast<quintptr>(node.Handle().Id()));
}

MGTreeNode CatalogueTreeModel::NodeOf(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    return MGTreeNode::FromHandle(TreeNodeHandle(static_cast<std::uint64_t>(index.internalId())));
}

QModelIndex CatalogueTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const MGTreeNode child = tree_.Child(NodeOf(parent), row);
    return IndexOf(child);
}

QModelIndex CatalogueTreeModel::parent(const QModelIndex& child) const {
    return IndexOf(NodeOf(child).Parent());
}

int CatalogueTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    return tree_.ChildCount(NodeOf(parent));
}

int CatalogueTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CatalogueTreeModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const MGTreeNode node = NodeOf(index);
    if (role == Qt::DisplayRole) {
        // The category names and the name of a design never saved are the
        // window's own words; schema, table and file names are the user's.
        const std::string text = tree_.Text(node);
        const bool ownWords = node.level == 2 || (node.level == 0 && text == kUntitledDesign);
        return ownWords ? TranslatedCoreText(text) : QString::fromStdString(text);
    }
    if (role == Qt::DecorationRole) return TreeStateIcon(tree_.StateImage(node));
    return {};
}

Qt::ItemFlags CatalogueTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (NodeOf(index).level == 3) flags |= Qt::ItemNeverHasChildren;
    return flags;
}

}  // namespace tabulorix
