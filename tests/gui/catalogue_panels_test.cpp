// The catalogue panels of the main window over the bundled sample: what a
// tree selection shows, the detail tabs of tables and views, the table
// list's check boxes and the models under QAbstractItemModelTester.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "app/catalogue_panels.h"
#include "app/main_window.h"
#include "diagram/draw_table_list.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

class CataloguePanelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    }
    template <typename T = QTabWidget>
    T& Child(const char* name) {
        T* child = window_.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return *child;
    }
    CataloguePanels& Panels() { return window_.Panels(); }
    // Selects the node with the diagram tab active, as a user coming from
    // the diagram would; a table or view node with the sheet active (with
    // the diagram active the diagram selects the box instead).
    void Select(const MGTreeNode& node) {
        Child("PageControlTop").setCurrentIndex(node.level == 3 ? 0 : 1);
        Panels().SelectNode(node);
    }
    MGShapeTable& Box(const char* owner, const char* name) {
        return *MGDrawTableList::Current()->FindBox(owner, name);
    }
    QAbstractItemModel& Model(const char* view) { return *Child<QTableView>(view).model(); }
    QString Cell(const char* view, int row, int column) {
        return Model(view).index(row, column).data().toString();
    }
    bool SheetActive() { return Child("PageControlTop").currentIndex() == 0; }
    QString Text(const char* edit) { return Child<QLineEdit>(edit).text(); }

    testing::RecordingPorts ports_;
    TForm1 window_{"-DEBUG"};
};

TEST_F(CataloguePanelsTest, EachSelectionShowsItsPanelAndMakesTheSheetActive) {
    Select(MGTreeNode::Root());
    EXPECT_TRUE(SheetActive());
    EXPECT_EQ(Panels().Viewer().Shown(), MGViewer::kSchema);
    EXPECT_EQ(Model("ListViewSchema").rowCount(), 3);
    Select(MGTreeNode::Schema(0));
    EXPECT_TRUE(SheetActive());
    EXPECT_EQ(Panels().Viewer().Shown(), MGViewer::kSheetView);
    EXPECT_EQ(Text("UserNameEdit"), "SALES");
    EXPECT_EQ(Child("PageControlTableViewConstIndex").currentIndex(), kPageTableList);
    ASSERT_EQ(Model("TableListListView").rowCount(), 6);  // five tables and the view
    EXPECT_EQ(Cell("TableListListView", 0, 0) + Cell("TableListListView", 0, 1), "表CUSTOMER_ORDER");
    EXPECT_EQ(Cell("TableListListView", 5, 0), "ビュー");
    Select(MGTreeNode::Category(0, kCategoryViews));
    EXPECT_EQ(Model("TableListListView").rowCount(), 1);
    Select(MGTreeNode::Category(0, 2));
    EXPECT_TRUE(SheetActive());
    EXPECT_EQ(Child("PageControlTableViewConstIndex").currentIndex(), kPageConstraints);
    EXPECT_EQ(Model("ConstPrimaryListView").rowCount(), 6);  // one row per key column of the five tables
    Select(MGTreeNode::Box(0, kCategoryTables, 2));          // ORDER_LINE
    EXPECT_TRUE(SheetActive());
    EXPECT_EQ(Panels().Viewer().Shown(), MGViewer::kTableField);
    EXPECT_EQ(Text("TableNameEdit"), "ORDER_LINE");
    EXPECT_EQ(Model("FieldDefineListView").rowCount(),
              Box("SALES", "ORDER_LINE").ColumnRows().RowCount() - 1);
    // The second key column repeats the constraint and its status: blanked.
    EXPECT_EQ(Cell("TableConstPrimaryListView", 1, 0) + "|" + Cell("TableConstPrimaryListView", 1, 2),
              "|LINE_NO");
}

TEST_F(CataloguePanelsTest, AViewHidesTheKeyTabsAndATableBringsThemBackWithItsSource) {
    auto& details = Child("ConstIndexPageControl");
    auto& tablePages = Child("PageControlForTable");
    Select(MGTreeNode::Box(0, kCategoryTables, 0));
    details.setCurrentIndex(3);
    for (const auto& [node, view, memo, source] :
         {std::tuple{MGTreeNode::Box(0, kCategoryViews, 0), true, "MemoView", "V_ORDER_SUMMARY"},
          std::tuple{MGTreeNode::Box(0, kCategoryTables, 1), false, "MemoTable", "INVOICE"}}) {
        SCOPED_TRACE(source);
        Select(node);
        for (int tab = 0; tab < 6; ++tab) EXPECT_EQ(details.isTabVisible(tab), (tab == 5) == view) << tab;
        EXPECT_EQ(details.currentIndex(), view ? 5 : 0);
        EXPECT_EQ(tablePages.isTabVisible(1), !view);
        EXPECT_FALSE(Box("SALES", source).SqlSource().empty());
        EXPECT_EQ(Child<QPlainTextEdit>(memo).toPlainText().toStdString(), Box("SALES", source).SqlSource());
    }
}

TEST_F(CataloguePanelsTest, UntickingOneOfThreeSelectedItemsUnticksAllAndShrinksTheirBoxes) {
    window_.resize(1280, 800);
    window_.show();
    Select(MGTreeNode::Schema(0));
    auto& list = Child<QTableView>("TableListListView");
    for (const int row : {0, 2, 4})
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window_.Document().Manager().ClearModified();
    // A click on the check box of one selected row keeps the selection.
    const QRect cell = list.visualRect(list.model()->index(2, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(cell.left() + 8, cell.center().y()));
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 3);
    for (int row = 0; row < list.model()->rowCount(); ++row) {
        const bool selected = row == 0 || row == 2 || row == 4;
        EXPECT_EQ(list.model()->index(row, 0).data(Qt::CheckStateRole).toInt(),
                  selected ? Qt::Unchecked : Qt::Checked)
            << row;
        MGShapeTable& box = Box("SALES", list.model()->index(row, 1).data().toString().toUtf8().constData());
        EXPECT_EQ(box.Detailed(), !selected) << row;
        // Measured again, a names-only table box is one line high.
        if (box.IsView()) continue;
        box.CalcSize(window_.Document().DrawBox(), 2);
        EXPECT_EQ(box.Position().bottom - box.Position().top == box.LineHeight(), selected) << row;
    }
    EXPECT_TRUE(window_.Document().Manager().Modified());
    // Ticking one of them again ticks every selected row back.
    list.model()->setData(list.model()->index(2, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(Box("SALES", "ORDER_LINE").Detailed());
    EXPECT_TRUE(Box("SALES", "CUSTOMER_ORDER").Detailed());
}

TEST_F(CataloguePanelsTest, TheDiagramsClickSelectsTheNodeAndTheSchemaTabsSelectTheirNodes) {
    Child("PageControlTop").setCurrentIndex(1);
    ASSERT_TRUE(Panels().SelectBoxNode(Box("MST", "CUSTOMER")));
    EXPECT_EQ(Panels().SelectedNode(), Panels().TreeModel().Tree().NodeOfBox(Box("MST", "CUSTOMER")));
    EXPECT_FALSE(SheetActive());
    EXPECT_EQ(Text("TableNameEdit"), "CUSTOMER");
    ASSERT_TRUE(Panels().ShowBoxDetails(Box("SALES", "INVOICE")));
    EXPECT_TRUE(SheetActive());
    Select(MGTreeNode::Schema(1));
    Child("PageControlTableViewConstIndex").setCurrentIndex(kPageIndexes);
    EXPECT_EQ(Panels().SelectedNode(), MGTreeNode::Category(1, 3));
    Child("PageControlTableViewConstIndex").setCurrentIndex(kPageTableList);
    EXPECT_EQ(Panels().SelectedNode(), MGTreeNode::Schema(1));
    // A table chosen while the diagram is shown is selected there, the tab stays.
    Child("PageControlTop").setCurrentIndex(1);
    Panels().SelectNode(MGTreeNode::Box(0, kCategoryTables, 2));  // ORDER_LINE
    EXPECT_FALSE(SheetActive());
    EXPECT_EQ(Box("SALES", "ORDER_LINE").State(), MGShapeRect::kStateSelected);
    EXPECT_NE(Panels().Viewer().Shown(), MGViewer::kTableField);
}

TEST_F(CataloguePanelsTest, ADoubleClickTogglesTheTabsOnABoxNodeOnly) {
    QTreeView& tree = Panels().Tree();
    Select(MGTreeNode::Category(0, 0));
    Child("PageControlTop").setCurrentIndex(0);
    Q_EMIT tree.doubleClicked(Panels().TreeModel().IndexOf(MGTreeNode::Category(0, 0)));
    EXPECT_TRUE(SheetActive());
    const QModelIndex box = Panels().TreeModel().IndexOf(MGTreeNode::Box(0, 0, 0));
    tree.setCurrentIndex(box);
    for (const bool sheet : {false, true}) {
        Q_EMIT tree.doubleClicked(box);
        EXPECT_EQ(SheetActive(), sheet);
    }
}

TEST_F(CataloguePanelsTest, TheMemoCopyIsEnabledOnlyWithASelection) {
    Select(MGTreeNode::Box(0, kCategoryTables, 0));
    auto& memo = Child<QPlainTextEdit>("MemoTable");
    QAction& copy = Child<QAction>("EditCopy1");
    EXPECT_FALSE(copy.isEnabled());
    Child<QAction>("EditSelectAll1").trigger();  // acts on the page shown: nothing on "定義"
    EXPECT_FALSE(memo.textCursor().hasSelection());
    Child("PageControlForTable").setCurrentIndex(1);
    Child<QAction>("EditSelectAll1").trigger();
    EXPECT_TRUE(memo.textCursor().hasSelection());
    EXPECT_TRUE(copy.isEnabled());
    memo.moveCursor(QTextCursor::Start);
    EXPECT_FALSE(copy.isEnabled());
}

TEST_F(CataloguePanelsTest, EveryModelPassesTheItemModelTester) {
    for (const MGTreeNode& node :
         {MGTreeNode::Schema(0), MGTreeNode::Category(0, 2), MGTreeNode::Box(0, 0, 2)})
        Select(node);
    for (const char* name : {"TableListListView", "ConstPrimaryListView", "ConstForeignListView",
                             "FieldDefineListView", "TableConstPrimaryListView", "TableIndexListView"}) {
        SCOPED_TRACE(name);
        QAbstractItemModelTester tester(&Model(name), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    QAbstractItemModelTester tree(&Panels().TreeModel(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
    Panels().TreeModel().RefreshTexts();
    window_.Document().Manager().SetDisplayMode(1);
    Panels().DisplayModeChanged();
}

TEST_F(CataloguePanelsTest, AFileOfTheWrongTypeLeavesNoRoot) {
    ASSERT_TRUE(Panels().HasRoot());
    const QString path = QDir::temp().filePath(QStringLiteral("tabulorix-wrong-type-%1.tlx").arg(::getpid()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[VERSION]\r\n1\r\n[DOCUMENT TYPE]\r\nSomething else\r\n");
    file.close();
    ports_.answers.push_back(Answer::No);
    window_.OpenDesignPath(path);
    EXPECT_FALSE(Panels().HasRoot());
    EXPECT_EQ(Panels().TreeModel().rowCount(), 0);
    QFile::remove(path);
}

}  // namespace
}  // namespace tabulorix
