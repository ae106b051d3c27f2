// The catalogue side of the main window: the tree TreeView1 on the left and
// the page "シート" with its three panels, of which the panel viewer MGViewer
// shows exactly one. Every list is a view over a model; the tree holds the
// design's root node with one node per schema.
#pragma once

#include <QStackedWidget>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>

class QTableView;
class QTabWidget;
class QTreeView;
class QWidget;

namespace tabulorix {

// Shows one of the registered panels, filling the page, and hides the
// others; remembers the index shown.
class MGViewer {
public:
    explicit MGViewer(QStackedWidget& stack) : stack_(stack) {}
    void Register(QWidget* panel) { stack_.addWidget(panel); }
    void Show(int index);
    int Shown() const { return shown_; }

    static constexpr int kSheetView = 0;   // PanelSheetView
    static constexpr int kTableField = 1;  // PanelTableField
    static constexpr int kSchema = 2;      // PanelSchema

private:
    QStackedWidget& stack_;
    int shown_ = -1;
};

class CataloguePanels {
public:
    // Builds the tree in treeParent and the page "シート" in sheetParent.
    CataloguePanels(QWidget& treeParent, QTabWidget& pages);

    MGViewer& Viewer() { return viewer_; }
    QTreeView& Tree() { return *tree_; }

    // The tree: the root node titled as given with one child per schema;
    // RemoveRoot leaves the tree empty.
    void ShowCatalogue(const QString& rootText, const QStringList& schemaNames);
    void RemoveRoot();
    void SetRootText(const QString& text);
    bool HasRoot() const { return treeModel_.rowCount() > 0; }
    // The schema list ListViewSchema with the header "スキーマ名".
    void ShowSchemaList(const QStringList& schemaNames);

private:
    QWidget* MakeSchemaPanel();
    QWidget* MakeSheetViewPanel();
    QWidget* MakeTableFieldPanel();

    QStackedWidget* stack_;
    MGViewer viewer_;
    QTreeView* tree_;
    QStandardItemModel treeModel_;
    QStandardItemModel schemaModel_;
};

}  // namespace tabulorix
