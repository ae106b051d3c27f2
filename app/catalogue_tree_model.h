// TreeView1's model over the catalogue tree of the presentation model. An
// index carries its node's handle, so nothing is held per node: a schema of
// 20,000 tables costs no more than its count until its nodes are shown.
#pragma once

#include <QAbstractItemModel>

#include "session/catalogue_presentation.h"

namespace tabulorix {

class CatalogueTreeModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit CatalogueTreeModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    MGCatalogueTree& Tree() { return tree_; }
    const MGCatalogueTree& Tree() const { return tree_; }
    // Rebuilds the tree from the manager, or removes it.
    void Build(MGSchemaMng& manager);
    void Clear();
    void SetRootText(const std::string& text);
    // Every box node's text is asked for again (display mode changed).
    void RefreshTexts();

    QModelIndex IndexOf(const MGTreeNode& node) const;
    MGTreeNode NodeOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    MGCatalogueTree tree_;
};

}  // namespace tabulorix
