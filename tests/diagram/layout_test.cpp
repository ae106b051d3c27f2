// Automatic layout over pages 1000 × 1000, the relayout's page count, the
// layout lines written and read back, and the diagram steps after reading.
#include "diagram/auto_layout.h"
#include "diagram/diagram_build.h"
#include "diagram/layout_lines.h"
#include "diagram/settings.h"
#include "diagram_fixture.h"
#include "support/data_cases.h"
#include "support/row_values.h"

using namespace tabulorix;

using namespace diagram_test;
using tabulorix::testing::Rows;
using tabulorix::testing::Strings;

namespace {

class Layout : public DiagramTest {
protected:
    // An unplaced box already measured w × h (not size-dirty).
    MGShapeTable& Unplaced(const std::string& name, int w, int h, const std::string& owner = "SALES") {
        MGShapeTable& shape = Place(Table(owner, name, {{"ID"}}), {0, 0, w, h});
        shape.SetState(MGShapeRect::kStateNotPlaced);
        return shape;
    }

    MGShapeText& Text(const std::string& text) {
        auto shape = std::make_unique<MGShapeText>(text, "IPAPGothic", 10, 0);
        MGShapeText& added = *shape;
        diagram.AddBox(std::move(shape));
        added.SetState(MGShapeRect::kStateNotPlaced);
        return added;
    }

    void Run(const std::vector<std::string>& text = {}) {
        LayoutDiagram(diagram, box, 2, text, across, down);
    }

    // The drawing box's page counts, across and down.
    std::pair<int, int> Pages() {
        std::pair<int, int> pages;
        box.GetPageCount(pages.first, pages.second);
        return pages;
    }

    int across = 1;
    int down = 1;
};

}  // namespace

// Boxes go left to right with gaps of 50 from (50, 51); a box that would
// pass the page's right edge less a gap opens a new band below the tallest
// box of the band (or, with more pages across, moves to the next page column).
TEST_F(Layout, AutomaticPlacementInBandsAndPageColumns) {
    ASSERT_EQ(box.PaperW(), 1000);
    ASSERT_EQ(box.PaperH(), 1000);
    for (const tabulorix::testing::Fields& c : tabulorix::testing::DataCases("diagram/placements.txt")) {
        SCOPED_TRACE(c[0]);
        diagram.Clear();
        across = std::stoi(c[1]);
        down = 1;
        const std::vector<int> sizes = tabulorix::testing::Ints(c[2]);
        for (std::size_t i = 0; i + 1 < sizes.size(); i += 2)
            Unplaced("T" + std::to_string(diagram.Count()), sizes[i], sizes[i + 1]);
        Run();
        const std::vector<int> last = tabulorix::testing::Ints(c[3]);
        const int first = diagram.Count() - static_cast<int>(last.size() / 4);
        for (std::size_t i = 0; i + 3 < last.size(); i += 4) {
            const MGShapeTable& placed = *diagram.Item(first + static_cast<int>(i / 4));
            EXPECT_EQ(placed.Position(), (Rect{last[i], last[i + 1], last[i + 2], last[i + 3]})) << i / 4;
            EXPECT_EQ(placed.State(), MGShapeRect::kStateNormal);
        }
        EXPECT_TRUE(diagram.Modified());
        EXPECT_EQ(across, std::stoi(c[1]));  // never grows during placement
        EXPECT_EQ(down, std::stoi(c[4]));
        EXPECT_EQ(Pages(), std::make_pair(across, down));
    }
}

TEST_F(Layout, LayoutLinesRoundTripWithTextsAndLegend) {
    Place(Table("SALES", "ORDERS", {{"ID"}}), {50, 51, 150, 91});
    Place(Table("MST", "ORDERS", {{"ID"}}), {300, 51, 400, 91});
    Text("一").SetPosition({120, 300, 140, 320});
    MGShapeText& second = Text("二");
    second.SetPosition({500, 600, 520, 620});
    MGShapeTable& legend = AddLegend(diagram);
    legend.SetPosition({40, 60, 200, 300});
    std::vector<std::string> lines;
    WriteLayoutLines(diagram, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"SALES ORDERS 50 51", "MST ORDERS 300 51", "/ /1 120 300",
                                               "/ /2 500 600", "// Legend 40 60"}));
    EXPECT_EQ(std::tuple(second.Owner(), second.Name(), legend.Owner()), std::tuple("/", "/2", "//"));

    // A fresh diagram with the same boxes in another order, not placed,
    // 10 × 10, reads them back: positions taken, sizes kept, texts renamed "/".
    MGDrawTableList loaded(&box);
    std::vector<std::unique_ptr<MGShapeTable>> fresh;
    fresh.push_back(Table("MST", "ORDERS", {{"ID"}}));
    fresh.push_back(Table("SALES", "ORDERS", {{"ID"}}));
    fresh.push_back(std::make_unique<MGShapeText>("一", "IPAPGothic", 10, 0));
    fresh.push_back(std::make_unique<MGShapeText>("二", "IPAPGothic", 10, 0));
    fresh.push_back(std::make_unique<MGShapeLegend>());
    const std::pair<const char*, const char*> names[] = {
        {"MST", "ORDERS"}, {"SALES", "ORDERS"}, {"/", "/1"}, {"/", "/2"}, {"//", "Legend"}};
    std::vector<MGShapeTable*> shapes;
    for (std::size_t i = 0; i < 5; ++i) {
        std::unique_ptr<MGShapeTable>& shape = fresh[i];
        shape->SetOwner(names[i].first);
        shape->SetName(names[i].second);
        shape->SetPosition({0, 0, 10, 10});
        shapes.push_back(&loaded.AddBox(std::move(shape)));
    }
    std::vector<std::string> file{"[TEXT]", "\"/1\",\"一\"", "[TABLE LAYOUT]"};
    file.insert(file.end(), lines.begin(), lines.end());
    file.insert(file.end(), {"[SET ITEM]", "PaperX 1"});
    EXPECT_TRUE(ReadLayoutLines(loaded, file));
    const std::vector<Rect> expected{
        {300, 51, 310, 61}, {50, 51, 60, 61}, {120, 300, 130, 310}, {500, 600, 510, 610}, {40, 60, 50, 70}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shapes[i]->Position(), expected[i]) << i;
        EXPECT_EQ(shapes[i]->State(), MGShapeRect::kStateNormal) << i;
    }
    EXPECT_EQ(std::tuple(shapes[2]->Owner(), shapes[2]->Name(), shapes[3]->Name()),
              std::tuple("/", "/", "/"));
    EXPECT_TRUE(ports.messages.empty());
}

TEST_F(Layout, TextRowsCarryNameTextFontSizeAndStyleLetters) {
    Place(Table("SALES", "T", {{"ID"}}), {50, 51, 150, 91});
    Text("plain");
    MGShapeText& styled = Text("強調");
    styled.SetFontSize(12);
    styled.SetFontStyle(tabulorix::kFontBold | tabulorix::kFontUnderline);
    ZMGCell rows;
    WriteTextRows(diagram, rows);
    EXPECT_EQ(Rows(rows), (std::vector<Strings>{{"/1", "plain", "IPAPGothic", "10", ""},
                                                {"/2", "強調", "IPAPGothic", "12", "BU"}}));
}

TEST_F(Layout, ABadNumberCostsOnlyItsOwnLineAndAutomaticPlacementPlacesThatBox) {
    MGShapeTable& t1 = Unplaced("T1", 100, 100);
    MGShapeTable& t2 = Unplaced("T2", 100, 100);
    MGShapeTable& t3 = Unplaced("T3", 100, 100);
    Run({"[TABLE LAYOUT]", "SALES T1 1500 400", "SALES T2 abc 10", "SALES T3 700 700"});
    EXPECT_EQ(ports.messages, std::vector<std::string>{"デザインファイルの読み込みエラーが発生しました。"});
    // The line after the damaged one still places its box; the box of the
    // damaged line is placed automatically below the boxes placed from the
    // file, and the grid covers them.
    EXPECT_EQ(std::tuple(t1.Position(), t2.Position(), t3.Position()),
              std::tuple(Rect{1500, 400, 1600, 500}, Rect{50, 850, 150, 950}, Rect{700, 700, 800, 800}));
    EXPECT_EQ(std::pair(t2.State(), across), std::pair(MGShapeRect::kStateNormal, 2));
}

TEST_F(Layout, MissingFieldsAndEmptyLinesAreReadingErrors) {
    // One case a line: the lines after "[TABLE LAYOUT]", separated by "|".
    const std::vector<std::string> lines = tabulorix::testing::DataLines("diagram/bad_layout_lines.txt");
    EXPECT_EQ(lines.size(), 8u);
    for (const std::string& line : lines) {
        std::vector<std::string> section{"[TABLE LAYOUT]"};
        for (std::size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 1)
            section.push_back(line.substr(start, (bar = line.find('|', start)) - start));
        diagram.Clear();
        ports.messages.clear();
        Unplaced("T1", 100, 100);
        EXPECT_FALSE(ReadLayoutLines(diagram, section)) << line;
        EXPECT_EQ(ports.messages,
                  std::vector<std::string>{"デザインファイルの読み込みエラーが発生しました。"});
    }
    // A line naming no box is ignored, whatever its numbers; blanks around
    // fields are trimmed and a plus sign is allowed.
    diagram.Clear();
    ports.messages.clear();
    MGShapeTable& t1 = Unplaced("T1", 100, 100);
    EXPECT_TRUE(ReadLayoutLines(diagram, {"[TABLE LAYOUT]", "SALES GONE x y", " SALES  T1  +70 80 "}));
    EXPECT_EQ(t1.Position().left, 70);
    EXPECT_TRUE(ports.messages.empty());
}

TEST_F(Layout, RelayoutPlacesEveryBoxAnewWithTheChosenPages) {
    for (const auto& [text, pages] :
         {std::pair{"3", 3}, {"abc", 1}, {"", 1}, {"0", 1}, {"-4", 1}, {"100", 100}, {"250", 100}})
        EXPECT_EQ(RelayoutPagesAcross(text), pages) << text;
    for (int i = 0; i < 3; ++i) Unplaced(std::string("T").append(std::to_string(i)), 400, 100);
    Run();
    ASSERT_EQ(diagram.Item(2)->Position().top, 201);
    const PageGrid grid =
        Relayout(diagram, box, 2, MGRelayoutContext{1, 2, TSetDlg::kTableNameOnly, "IPAPGothic", "9", 100});
    EXPECT_EQ(grid, (PageGrid{2, 1}));
    // Names only: every box measured anew, three lines high, side by side
    // over two page columns.
    const MGShapeTable& third = *diagram.Item(2);
    EXPECT_EQ(third.DisplayFlags() & MGShapeRect::kFlagNamesOnly, MGShapeRect::kFlagNamesOnly);
    EXPECT_EQ(std::tuple(third.Position().top, third.Position().bottom - third.Position().top, box.Zoom()),
              std::tuple(51, 3 * kLine, 100));
}

TEST_F(Layout, DiagramStepsAfterReading) {
    auto dept = Table("SALES", "DEPT", {{"DEPTNO"}, {"DNAME"}, {"LOC"}});
    AddPrimaryKey(*dept, "PK_DEPT", 1, {"DEPTNO"});
    AddUnique(*dept, "UK_DEPT_NAME", 2, {"DNAME"});
    AddUnique(*dept, "UK_DEPT_LOC", 3, {"LOC", "DNAME"});
    AddIndex(*dept, "PK_DEPT", true, {"DEPTNO"});
    AddIndex(*dept, "IX_LOC", false, {"LOC", "MISSING"});
    MGShapeTable& d = diagram.AddBox(std::move(dept));
    auto emp = Table("SALES", "EMP", {{"EMPNO"}, {"DEPTNO"}});
    AddForeignKey(*emp, "FK_EMP_DEPT", "SALES", 1, {"DEPTNO"}, "CASCADE");
    MGShapeTable& e = diagram.AddBox(std::move(emp));
    box.SetZoom(200, 1);

    MGBuildSettings settings;
    settings.displayFlags = 0x708;
    BuildDiagramAfterReading(diagram, box, 2, settings);
    ASSERT_EQ(diagram.Count(), 3);
    EXPECT_TRUE(diagram.Item(2)->IsLegend());
    EXPECT_EQ(std::pair(diagram.Item(2)->ObjectNumber(), box.Zoom()), std::pair(3, 100));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::tuple(diagram.Item(i)->State(), diagram.Item(i)->SchemaCount(),
                             diagram.Item(i)->DisplayFlags()),
                  std::tuple(MGShapeRect::kStateNormal, 2, 0x708))
            << i;
    auto field = [](MGShapeTable& t, int row) -> ZMGRowField& {
        return dynamic_cast<ZMGRowField&>(t.ColumnRows().GetRow(row));
    };
    using Numbers = std::vector<std::string>;
    for (int pass = 0; pass < 2; ++pass) {  // marking again gives the same marks
        EXPECT_EQ(field(d, 1).GetFlags(), kKeyPrimary | kIndexUnique);
        EXPECT_EQ(field(d, 2).KeyNumbers(kKeyUnique), (Numbers{"1", "2"}));
        EXPECT_EQ(field(d, 3).KeyNumbers(kKeyUnique), Numbers{"2"});
        EXPECT_EQ(field(d, 3).KeyNumbers(kIndexNonUnique), Numbers{"2"});
        EXPECT_EQ(field(e, 2).KeyNumbers(kKeyForeign), Numbers{"1"});
        EXPECT_EQ(field(e, 1).GetFlags(), 0u);
        MarkKeys(diagram);
    }
    EXPECT_NE(e.ForeignKeyRows().GetRow(1).GetFlags() & kKeyCascade, 0u);
    EXPECT_EQ(d.IndexRows().GetRow(2).GetFlags(), kIndexNonUnique);
    std::string marker;
    d.AppendMarkerText(field(d, 3), marker);
    EXPECT_EQ(marker, "  (AK2)(NI2)");
}
