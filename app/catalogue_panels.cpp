#include "app/catalogue_panels.h"

#include <QAction>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

#include "app/key_state_icons.h"
#include "app/ui_language.h"
#include "catalogue/schema.h"
#include "diagram/shape_table.h"
#include "session/design_document.h"

namespace tabulorix {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The table list: a click on the check box of a selected row keeps the
// selection, so that the new state can go to every selected row.
class CheckListView final : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        const QRect cell = visualRect(index);
        const bool onCheck = index.isValid() && index.column() == 0 &&
                             event->position().x() < cell.left() + cell.height() + 4 &&
                             selectionModel()->isRowSelected(index.row(), QModelIndex()) &&
                             event->modifiers() == Qt::NoModifier && event->button() == Qt::LeftButton;
        if (!onCheck) {
            QTableView::mousePressEvent(event);
            return;
        }
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model()->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        event->accept();
    }
};

// A list view: read-only, report style with grid lines, whole-row
// selection, the selection kept visible when the view loses focus. Rows are
// of one height, so a list of any length is laid out at once.
QTableView* MakeListView(const char* name, QWidget* parent, bool checkList = false) {
    QTableView* view = checkList ? new CheckListView(parent) : new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(checkList ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    view->setPalette(palette);
    return view;
}

QPlainTextEdit* MakeMemo(const char* name, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    return memo;
}

QLineEdit* MakeEdit(const char* name, bool readOnly, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

QWidget* MakePanel(const char* name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

constexpr int kSourceTab = 5;  // ConstIndexPageControl's "ソース"

}  // namespace

void MGViewer::Show(int index) {
    stack_.setCurrentIndex(index);
    shown_ = index;
}

CataloguePanels::CataloguePanels(QWidget& treeParent, QTabWidget& pages)
    : pages_(pages), stack_(new QStackedWidget(&pages)), viewer_(*stack_), tree_(new QTreeView(&treeParent)) {
    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setModel(&treeModel_);
    tree_->setHeaderHidden(true);
    tree_->setIndentation(16);
    tree_->setUniformRowHeights(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setExpandsOnDoubleClick(false);
    QPalette palette = tree_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    tree_->setPalette(palette);
    auto* treeLayout = new QVBoxLayout(&treeParent);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(tree_);

    stack_->setObjectName(QStringLiteral("TabSheetTable"));
    pages.addTab(stack_, UiText::tr("シート"));
    viewer_.Register(MakeSheetViewPanel());
    viewer_.Register(MakeTableFieldPanel());
    viewer_.Register(MakeSchemaPanel());
    schemaModel_.setHorizontalHeaderLabels({UiText::tr("スキーマ名")});
    MakeMemoActions();
    ConnectSignals();
}

QWidget* CataloguePanels::MakeSchemaPanel() {
    QWidget* panel = MakePanel("PanelSchema", stack_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    QTableView* list = MakeListView("ListViewSchema", panel);
    list->setModel(&schemaModel_);
    list->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(list);
    return panel;
}

QWidget* CataloguePanels::MakeSheetViewPanel() {
    QWidget* panel = MakePanel("PanelSheetView", stack_);
    auto* layout = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    userNameEdit_ = MakeEdit("UserNameEdit", true, panel);
    form->addRow(UiText::tr("スキーマ名"), userNameEdit_);
    layout->addLayout(form);
    schemaPages_ = new QTabWidget(panel);
    schemaPages_->setObjectName(QStringLiteral("PageControlTableViewConstIndex"));
    tableList_ = MakeListView("TableListListView", schemaPages_, true);
    tableList_->setModel(&tableListModel_);
    schemaPages_->addTab(tableList_, UiText::tr("表一覧"));
    auto* constraints = new QTabWidget(schemaPages_);
    constraints->setObjectName(QStringLiteral("ConstraintPageControl"));
    const std::pair<const char*, const char*> kConstraintTabs[] = {{QT_TRANSLATE_NOOP("UiText", "主キー"), "ConstPrimaryListView"},
                                                                   {QT_TRANSLATE_NOOP("UiText", "一意"), "ConstUniqueListView"},
                                                                   {QT_TRANSLATE_NOOP("UiText", "外部キー"), "ConstForeignListView"},
                                                                   {QT_TRANSLATE_NOOP("UiText", "条件"), "ConstConditionListView"}};
    for (std::size_t i = 0; i < constraintViews_.size(); ++i) {
        constraintViews_[i] = MakeListView(kConstraintTabs[i].second, constraints);
        constraintViews_[i]->setModel(&constraintModels_[i]);
        constraints->addTab(constraintViews_[i], UiText::tr(kConstraintTabs[i].first));
    }
    schemaPages_->addTab(constraints, UiText::tr("制約"));
    indexView_ = MakeListView("IndexListView", schemaPages_);
    indexView_->setModel(&indexModel_);
    schemaPages_->addTab(indexView_, UiText::tr("索引"));
    privilegeView_ = MakeListView("ListViewReferences", schemaPages_);
    privilegeView_->setModel(&privilegeModel_);
    schemaPages_->addTab(privilegeView_, UiText::tr("オブジェクト権限"));
    layout->addWidget(schemaPages_);
    return panel;
}

QWidget* CataloguePanels::MakeTableFieldPanel() {
    QWidget* panel = MakePanel("PanelTableField", stack_);
    auto* layout = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    tableNameEdit_ = MakeEdit("TableNameEdit", false, panel);
    tableCommentEdit_ = MakeEdit("TableCommentEdit", true, panel);
    form->addRow(UiText::tr("物理表名"), tableNameEdit_);
    form->addRow(UiText::tr("コメント"), tableCommentEdit_);
    layout->addLayout(form);
    tablePages_ = new QTabWidget(panel);
    tablePages_->setObjectName(QStringLiteral("PageControlForTable"));
    auto* definition = new QWidget(tablePages_);
    auto* definitionLayout = new QVBoxLayout(definition);
    fieldView_ = MakeListView("FieldDefineListView", definition);
    fieldView_->setModel(&fieldModel_);
    definitionLayout->addWidget(fieldView_, 3);
    detailPages_ = new QTabWidget(definition);
    detailPages_->setObjectName(QStringLiteral("ConstIndexPageControl"));
    const std::pair<const char*, const char*> kDetailTabs[] = {{QT_TRANSLATE_NOOP("UiText", "主キー"), "TableConstPrimaryListView"},
                                                               {QT_TRANSLATE_NOOP("UiText", "一意"), "TableConstUniqueListView"},
                                                               {QT_TRANSLATE_NOOP("UiText", "外部キー"), "TableConstForeignListView"},
                                                               {QT_TRANSLATE_NOOP("UiText", "条件"), "TableConstConditionListView"},
                                                               {QT_TRANSLATE_NOOP("UiText", "索引"), "TableIndexListView"}};
    for (std::size_t i = 0; i < detailViews_.size(); ++i) {
        detailViews_[i] = MakeListView(kDetailTabs[i].second, detailPages_);
        detailViews_[i]->setModel(&detailModels_[i]);
        detailPages_->addTab(detailViews_[i], UiText::tr(kDetailTabs[i].first));
    }
    memoView_ = MakeMemo("MemoView", detailPages_);
    detailPages_->addTab(memoView_, UiText::tr("ソース"));
    detailPages_->setTabVisible(kSourceTab, false);
    definitionLayout->addWidget(detailPages_, 2);
    tablePages_->addTab(definition, UiText::tr("定義"));
    memoTable_ = MakeMemo("MemoTable", tablePages_);
    tablePages_->addTab(memoTable_, UiText::tr("ソース"));
    layout->addWidget(tablePages_);
    return panel;
}

// The memos' pop-ups: "コピー(&C)" (Ctrl+C), enabled while the memo has a
// selection, and "すべてを選択(&A)". EditCopy1 and EditSelectAll1 act on the
// memo of the page shown, EditCopy2 and EditSelectAll2 on MemoView.
void CataloguePanels::MakeMemoActions() {
    const char* kNames[] = {"EditCopy1", "EditSelectAll1", "EditCopy2", "EditSelectAll2"};
    QPlainTextEdit* owners[] = {memoTable_, memoTable_, memoView_, memoView_};
    for (std::size_t i = 0; i < memoActions_.size(); ++i) {
        const bool copy = i % 2 == 0;
        auto* action = new QAction(copy ? UiText::tr("コピー(&C)") : UiText::tr("すべてを選択(&A)"), owners[i]);
        action->setObjectName(QString::fromLatin1(kNames[i]));
        if (copy) {
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
            action->setShortcutContext(Qt::WidgetShortcut);
            action->setEnabled(false);
        }
        owners[i]->addAction(action);
        memoActions_[i] = action;
    }
    const auto act = [this](bool viewMemo, bool copy) {
        QPlainTextEdit* memo = viewMemo ? memoView_ : ActiveMemo();
        if (memo == nullptr) return;
        memo->setFocus();
        if (copy)
            memo->copy();
        else
            memo->selectAll();
    };
    QObject::connect(memoActions_[0], &QAction::triggered, memoTable_, [act] { act(false, true); });
    QObject::connect(memoActions_[1], &QAction::triggered, memoTable_, [act] { act(false, false); });
    QObject::connect(memoActions_[2], &QAction::triggered, memoView_, [act] { act(true, true); });
    QObject::connect(memoActions_[3], &QAction::triggered, memoView_, [act] { act(true, false); });
    for (std::size_t m = 0; m < 2; ++m) {
        QPlainTextEdit* memo = m == 0 ? memoTable_ : memoView_;
        QAction* copy = memoActions_[m * 2];
        QAction* all = memoActions_[m * 2 + 1];
        QObject::connect(memo, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);
        QObject::connect(memo, &QWidget::customContextMenuRequested, memo, [memo, copy, all](const QPoint& at) {
            QMenu menu(memo);
            menu.addAction(copy);
            menu.addAction(all);
            menu.exec(memo->mapToGlobal(at));
        });
    }
}

QPlainTextEdit* CataloguePanels::ActiveMemo() const {
    if (tablePages_->currentIndex() == 1) return memoTable_;
    if (detailPages_->currentIndex() == kSourceTab) return memoView_;
    return nullptr;
}

void CataloguePanels::ConnectSignals() {
    QObject::connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, tree_,
                     [this](const QModelIndex& current) { Present(treeModel_.NodeOf(current), keepTab_); });
    QObject::connect(tree_, &QTreeView::doubleClicked, tree_,
                     [this](const QModelIndex& index) { TreeDoubleClicked(index); });
    QObject::connect(schemaPages_, &QTabWidget::currentChanged, schemaPages_,
                     [this](int page) { SchemaPageChanged(page); });
    QObject::connect(&tableListModel_, &RowTableModel::checkToggled, tableList_,
                     [this](int row, bool checked) { CheckToggled(row, checked); });
}

void CataloguePanels::Attach(MGDesignDocument& document, std::function<void()> repaint) {
    document_ = &document;
    repaint_ = std::move(repaint);
}

int CataloguePanels::DisplayMode() const { return document_ != nullptr ? document_->Manager().DisplayMode() : 2; }

bool CataloguePanels::DiagramTabActive() const { return pages_.currentWidget() != stack_; }

void CataloguePanels::ShowCatalogue() {
    if (document_ == nullptr) return;
    ClearLists();
    treeModel_.Build(document_->Manager());
    const QModelIndex root = treeModel_.IndexOf(MGTreeNode::Root());
    tree_->expand(root);
    for (int s = 0; s < treeModel_.rowCount(root); ++s) tree_->expand(treeModel_.index(s, 0, root));
    ShowSchemaNames();
}

void CataloguePanels::ShowSchemaNames() {
    schemaModel_.removeRows(0, schemaModel_.rowCount());
    if (document_ == nullptr) return;
    const MGSchemaMng& manager = document_->Manager();
    for (int i = 0; i < manager.SchemaCount(); ++i) {
        auto* item = new QStandardItem(TreeStateIcon(tree_image::kSchema), Text(manager.GetSchema(i)->OwnerName()));
        schemaModel_.appendRow(item);  // the model owns the item
    }
}

void CataloguePanels::RemoveRoot() {
    ClearLists();
    treeModel_.Clear();
    schemaModel_.removeRows(0, schemaModel_.rowCount());
}

void CataloguePanels::SetRootText(const QString& text) { treeModel_.SetRootText(text.toStdString()); }

void CataloguePanels::ClearLists() {
    tableListModel_.SetTable(nullptr);
    shownTableList_ = nullptr;
    for (RowTableModel& model : constraintModels_) model.SetTable(nullptr);
    indexModel_.SetTable(nullptr);
    privilegeModel_.SetTable(nullptr);
    fieldModel_.SetTable(nullptr);
    for (RowTableModel& model : detailModels_) model.SetTable(nullptr);
    memoTable_->clear();
    memoView_->clear();
    cache_.Reset();
}

void CataloguePanels::ResetListMemory() { ClearLists(); }

void CataloguePanels::DisplayModeChanged() {
    ClearLists();
    treeModel_.RefreshTexts();
    const MGTreeNode selected = SelectedNode();
    if (selected.Valid()) Present(selected, true);
}

void CataloguePanels::SelectNode(const MGTreeNode& node) {
    tree_->setCurrentIndex(treeModel_.IndexOf(node));
}

MGTreeNode CataloguePanels::SelectedNode() const { return treeModel_.NodeOf(tree_->currentIndex()); }

bool CataloguePanels::SelectBoxNode(const MGShapeTable& box) {
    const MGTreeNode node = treeModel_.Tree().NodeOfBox(box);
    if (!node.Valid()) return false;
    fromDiagram_ = true;
    keepTab_ = true;
    if (SelectedNode() == node)
        Present(node, true);
    else
        SelectNode(node);
    keepTab_ = false;
    fromDiagram_ = false;
    tree_->scrollTo(treeModel_.IndexOf(node));
    return true;
}

bool CataloguePanels::ShowBoxDetails(const MGShapeTable& box) {
    const MGTreeNode node = treeModel_.Tree().NodeOfBox(box);
    if (!node.Valid()) return false;
    pages_.setCurrentWidget(stack_);
    if (SelectedNode() == node)
        Present(node, false);
    else
        SelectNode(node);
    tree_->scrollTo(treeModel_.IndexOf(node));
    return true;
}

void CataloguePanels::Present(const MGTreeNode& node, bool keepTab) {
    const MGSelection selection = DescribeSelection(treeModel_.Tree(), node);
    if (selection.level < 0 || document_ == nullptr) return;
    busy_ = true;
    userNameEdit_->setText(selection.schema != nullptr ? Text(selection.schema->OwnerName()) : QString());
    if (selection.level == 3 && DiagramTabActive() && !fromDiagram_) {
        // The diagram selects the box; the panels stay as they are. Without
        // a diagram that can, the sheet shows the box instead (unless a
        // double click has just switched to the diagram).
        if (diagramSelector_ || keepTab) {
            if (diagramSelector_) diagramSelector_(*selection.box);
            busy_ = false;
            return;
        }
    }
    if (!keepTab) pages_.setCurrentWidget(stack_);
    viewer_.Show(static_cast<int>(selection.panel));
    if (selection.level == 1 || selection.level == 2) ShowSchemaPage(selection);
    if (selection.level == 3) ShowDetails(*selection.box);
    busy_ = false;
}

void CataloguePanels::TreeDoubleClicked(const QModelIndex& index) {
    const MGTreeNode node = treeModel_.NodeOf(index);
    if (node.level != 3) return;
    const bool toDiagram = !DiagramTabActive();
    pages_.setCurrentIndex(toDiagram ? pages_.count() - 1 : pages_.indexOf(stack_));
    Present(node, toDiagram);
}

void CataloguePanels::SchemaPageChanged(int page) {
    if (busy_) return;
    const MGTreeNode selected = SelectedNode();
    if (selected.level < 1 || treeModel_.Tree().SchemaOf(selected) == nullptr) return;
    SelectNode(NodeForPage(selected, page));
}

void CataloguePanels::ShowList(QTableView& view, RowTableModel& model, const ZMGCell* table,
                               RowTableModel::Options options) {
    if (model.Table() == table && table != nullptr) return;  // the same list is kept, not refilled
    model.SetTable(table, options);
    const std::vector<int> widths = model.ColumnWidths(view.fontMetrics());
    for (std::size_t k = 0; k < widths.size(); ++k) view.horizontalHeader()->resizeSection(static_cast<int>(k), widths[k]);
}

void CataloguePanels::ShowSchemaPage(const MGSelection& selection) {
    if (selection.schema == nullptr) return;
    schemaPages_->setCurrentIndex(selection.page);
    const int mode = DisplayMode();
    switch (selection.page) {
        case kPageTableList: {
            ZMGCell& list = cache_.TableList(*selection.schema, mode, selection.kindMask);
            shownTableList_ = &list;
            ShowList(*tableList_, tableListModel_, &list, RowTableModel::Options{true, (mode & 0x1) != 0 ? 1 : 0});
            break;
        }
        case kPageConstraints:
            for (std::size_t i = 0; i < constraintViews_.size(); ++i)
                ShowList(*constraintViews_[i], constraintModels_[i],
                         &cache_.Constraints(*selection.schema, static_cast<int>(i)));
            break;
        case kPageIndexes: ShowList(*indexView_, indexModel_, &cache_.Indexes(*selection.schema)); break;
        default: ShowList(*privilegeView_, privilegeModel_, &cache_.Privileges(*selection.schema)); break;
    }
}

void CataloguePanels::ShowDetails(const MGShapeTable& box) {
    const MGBoxDetails& details = cache_.Details(box, DisplayMode());
    tableNameEdit_->setText(Text(box.Name()));
    tableCommentEdit_->setText(Text(box.Comment()));
    ShowList(*fieldView_, fieldModel_, details.columns.get());
    const ZMGCell* lists[] = {details.primaryKeys.get(), details.uniqueKeys.get(), details.foreignKeys.get(),
                              details.conditions.get(), details.indexes.get()};
    for (std::size_t i = 0; i < detailViews_.size(); ++i)
        ShowList(*detailViews_[i], detailModels_[i], details.view ? nullptr : lists[i]);
    if (details.view) {
        memoView_->setPlainText(Text(details.source));
        tablePages_->setTabVisible(1, false);
        for (int tab = 0; tab < kSourceTab; ++tab) detailPages_->setTabVisible(tab, false);
        detailPages_->setTabVisible(kSourceTab, true);
        detailPages_->setCurrentIndex(kSourceTab);
        return;
    }
    memoTable_->setPlainText(Text(details.source));
    tablePages_->setTabVisible(1, true);
    if (detailPages_->isTabVisible(kSourceTab) || !detailPages_->isTabVisible(0)) {
        for (int tab = 0; tab < kSourceTab; ++tab) detailPages_->setTabVisible(tab, true);
        detailPages_->setTabVisible(kSourceTab, false);
        detailPages_->setCurrentIndex(0);
    }
}

void CataloguePanels::CheckToggled(int row, bool checked) {
    if (busy_ || document_ == nullptr || shownTableList_ == nullptr) return;
    std::vector<int> rows{row + 1};
    for (const QModelIndex& selected : tableList_->selectionModel()->selectedRows())
        if (selected.row() != row) rows.push_back(selected.row() + 1);
    SetListedBoxesVisible(document_->Manager(), userNameEdit_->text().toStdString(), *shownTableList_, rows,
                          checked);
    for (const int r : rows) tableListModel_.RowsChanged(r - 1, r - 1);
    document_->Settings().Apply(true);
    if (repaint_) repaint_();
}

}  // namespace tabulorix
