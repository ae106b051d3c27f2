// The catalogue side of the main window: the tree TreeView1 on the left and
// the page "シート" with its three panels, of which the panel viewer MGViewer
// shows exactly one. Every list is a view over a model that reads the row
// tables of the presentation model; selecting a tree node presents it.
#pragma once

#include <QStackedWidget>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>

#include "app/catalogue_tree_model.h"
#include "app/row_table_model.h"
#include "session/catalogue_presentation.h"

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QTabWidget;
class QTreeView;
class QWidget;

namespace tabulorix {

class MGDesignDocument;

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
    // Builds the tree in treeParent and the page "シート" in pages
    // (PageControlTop, whose tab "表関連図" the window adds after it).
    CataloguePanels(QWidget& treeParent, QTabWidget& pages);
    CataloguePanels(const CataloguePanels&) = delete;
    CataloguePanels& operator=(const CataloguePanels&) = delete;

    // The document whose catalogue is shown; repaint redraws the diagram.
    void Attach(MGDesignDocument& document, std::function<void()> repaint);
    // The diagram's "show table" (select and reveal a box); until one is
    // given, a box node selected while "表関連図" is active shows "シート".
    void SetDiagramSelector(std::function<void(MGShapeTable&)> selector) { diagramSelector_ = std::move(selector); }

    MGViewer& Viewer() { return viewer_; }
    QTreeView& Tree() { return *tree_; }
    CatalogueTreeModel& TreeModel() { return treeModel_; }
    // Set while a tree selection is being presented.
    bool Busy() const { return busy_; }

    // The tree built anew from the manager (root, schemas, categories,
    // boxes), expanded down to the categories, and the schema list.
    void ShowCatalogue();
    // The schema list ListViewSchema: "スキーマ名", one row per schema.
    void ShowSchemaNames();
    // No tree, no lists (before the schemas go: a new reading, a load, a
    // failed login or a file of the wrong type).
    void RemoveRoot();
    void SetRootText(const QString& text);
    bool HasRoot() const { return treeModel_.Tree().HasRoot(); }
    // The lists shown are made again when next shown.
    void ResetListMemory();
    // The box node texts follow the display mode; the lists are made again.
    void DisplayModeChanged();

    // Selects the node; the tree's change presents it.
    void SelectNode(const MGTreeNode& node);
    MGTreeNode SelectedNode() const;
    // A single click on a box in the diagram: its tree node is selected and
    // its details shown, the diagram tab stays active and the diagram is not
    // asked to select the box again. False when the box has no node.
    bool SelectBoxNode(const MGShapeTable& box);
    // A double click on a box in the diagram: its details on "シート".
    bool ShowBoxDetails(const MGShapeTable& box);

private:
    QWidget* MakeSchemaPanel();
    QWidget* MakeSheetViewPanel();
    QWidget* MakeTableFieldPanel();
    void MakeMemoActions();
    void ConnectSignals();

    // TreeView1Change, TreeView1DblClick, the schema page change and the
    // table list's check boxes.
    void Present(const MGTreeNode& node, bool keepTab);
    void TreeDoubleClicked(const QModelIndex& index);
    void SchemaPageChanged(int page);
    void CheckToggled(int row, bool checked);

    void ShowSchemaPage(const MGSelection& selection);
    void ShowDetails(const MGShapeTable& box);
    void ShowList(QTableView& view, RowTableModel& model, const ZMGCell* table,
                  RowTableModel::Options options = RowTableModel::Options{false, 0});
    void ClearLists();
    bool DiagramTabActive() const;
    int DisplayMode() const;
    // EditCopy1/EditSelectAll1: the memo of the page shown.
    QPlainTextEdit* ActiveMemo() const;

    QTabWidget& pages_;
    QStackedWidget* stack_;
    MGViewer viewer_;
    QTreeView* tree_;
    CatalogueTreeModel treeModel_;
    QStandardItemModel schemaModel_;
    MGSheetCache cache_;
    MGDesignDocument* document_ = nullptr;
    std::function<void()> repaint_;
    std::function<void(MGShapeTable&)> diagramSelector_;
    bool busy_ = false;
    bool fromDiagram_ = false;  // the selection comes from a click in the diagram
    bool keepTab_ = false;      // present without touching PageControlTop

    // The schema panel.
    QLineEdit* userNameEdit_ = nullptr;
    QTabWidget* schemaPages_ = nullptr;  // PageControlTableViewConstIndex
    QTableView* tableList_ = nullptr;
    RowTableModel tableListModel_;
    ZMGCell* shownTableList_ = nullptr;  // the cache's table list the check boxes change
    std::array<QTableView*, 4> constraintViews_{};
    std::array<RowTableModel, 4> constraintModels_;
    QTableView* indexView_ = nullptr;
    RowTableModel indexModel_;
    QTableView* privilegeView_ = nullptr;
    RowTableModel privilegeModel_;

    // The box panel.
    QLineEdit* tableNameEdit_ = nullptr;
    QLineEdit* tableCommentEdit_ = nullptr;
    QTabWidget* tablePages_ = nullptr;   // PageControlForTable
    QTabWidget* detailPages_ = nullptr;  // ConstIndexPageControl
    QTableView* fieldView_ = nullptr;
    RowTableModel fieldModel_;
    std::array<QTableView*, 5> detailViews_{};  // primary, unique, foreign, condition, index
    std::array<RowTableModel, 5> detailModels_;
    QPlainTextEdit* memoView_ = nullptr;
    QPlainTextEdit* memoTable_ = nullptr;
    std::array<QAction*, 4> memoActions_{};  // EditCopy1, EditSelectAll1, EditCopy2, EditSelectAll2
};

}  // namespace tabulorix
