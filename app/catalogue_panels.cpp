#include "app/catalogue_panels.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

namespace tabulorix {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A list view: read-only, report style with grid lines, whole-row
// selection, the selection kept visible when the view loses focus.
QTableView* MakeListView(const char* name, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setShowGrid(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
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
    return memo;
}

QLineEdit* MakeEdit(const char* name, bool readOnly, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

// A page control whose tabs hold list views of those names.
QTabWidget* MakeListPages(const char* name, std::initializer_list<std::pair<const char*, const char*>> tabs,
                          QWidget* parent) {
    auto* pages = new QTabWidget(parent);
    pages->setObjectName(QString::fromLatin1(name));
    for (const auto& [caption, view] : tabs) pages->addTab(MakeListView(view, pages), Text(caption));
    return pages;
}

QWidget* MakePanel(const char* name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

}  // namespace

void MGViewer::Show(int index) {
    stack_.setCurrentIndex(index);
    shown_ = index;
}

CataloguePanels::CataloguePanels(QWidget& treeParent, QTabWidget& pages)
    : stack_(new QStackedWidget(&pages)), viewer_(*stack_), tree_(new QTreeView(&treeParent)) {
    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setModel(&treeModel_);
    tree_->setHeaderHidden(true);
    tree_->setIndentation(16);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette palette = tree_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    tree_->setPalette(palette);
    auto* treeLayout = new QVBoxLayout(&treeParent);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(tree_);

    stack_->setObjectName(QStringLiteral("TabSheetTable"));
    pages.addTab(stack_, Text("シート"));
    viewer_.Register(MakeSheetViewPanel());
    viewer_.Register(MakeTableFieldPanel());
    viewer_.Register(MakeSchemaPanel());
    schemaModel_.setHorizontalHeaderLabels({Text("スキーマ名")});
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
    form->addRow(Text("スキーマ名"), MakeEdit("UserNameEdit", true, panel));
    layout->addLayout(form);
    auto* pages = new QTabWidget(panel);
    pages->setObjectName(QStringLiteral("PageControlTableViewConstIndex"));
    pages->addTab(MakeListView("TableListListView", pages), Text("表一覧"));
    pages->addTab(MakeListPages("ConstraintPageControl",
                                {{"主キー", "ConstPrimaryListView"},
                                 {"一意", "ConstUniqueListView"},
                                 {"外部キー", "ConstForeignListView"},
                                 {"条件", "ConstConditionListView"}},
                                pages),
                  Text("制約"));
    pages->addTab(MakeListView("IndexListView", pages), Text("索引"));
    pages->addTab(MakeListView("ListViewReferences", pages), Text("オブジェクト権限"));
    layout->addWidget(pages);
    return panel;
}

QWidget* CataloguePanels::MakeTableFieldPanel() {
    QWidget* panel = MakePanel("PanelTableField", stack_);
    auto* layout = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    form->addRow(Text("物理表名"), MakeEdit("TableNameEdit", false, panel));
    form->addRow(Text("コメント"), MakeEdit("TableCommentEdit", true, panel));
    layout->addLayout(form);
    auto* pages = new QTabWidget(panel);
    pages->setObjectName(QStringLiteral("PageControlForTable"));
    auto* definition = new QWidget(pages);
    auto* definitionLayout = new QVBoxLayout(definition);
    definitionLayout->addWidget(MakeListView("FieldDefineListView", definition), 3);
    QTabWidget* details = MakeListPages("ConstIndexPageControl",
                                        {{"主キー", "ConstPrimaryListView2"},
                                         {"一意", "ConstUniqueListView2"},
                                         {"外部キー", "ConstForeignListView2"},
                                         {"条件", "ConstConditionListView2"},
                                         {"索引", "IndexListView2"}},
                                        definition);
    details->addTab(MakeMemo("MemoView", details), Text("ソース"));
    definitionLayout->addWidget(details, 2);
    pages->addTab(definition, Text("定義"));
    pages->addTab(MakeMemo("MemoTable", pages), Text("ソース"));
    layout->addWidget(pages);
    return panel;
}

void CataloguePanels::ShowCatalogue(const QString& rootText, const QStringList& schemaNames) {
    treeModel_.clear();
    auto* root = new QStandardItem(rootText);
    for (const QString& name : schemaNames) root->appendRow(new QStandardItem(name));
    treeModel_.appendRow(root);  // the model owns the items
    tree_->expandAll();
    ShowSchemaList(schemaNames);
}

void CataloguePanels::RemoveRoot() {
    treeModel_.clear();
    ShowSchemaList({});
}

void CataloguePanels::SetRootText(const QString& text) {
    if (QStandardItem* root = treeModel_.item(0)) root->setText(text);
}

void CataloguePanels::ShowSchemaList(const QStringList& schemaNames) {
    schemaModel_.removeRows(0, schemaModel_.rowCount());
    for (const QString& name : schemaNames) schemaModel_.appendRow(new QStandardItem(name));
}

}  // namespace tabulorix
