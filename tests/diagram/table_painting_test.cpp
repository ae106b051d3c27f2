// Measuring and drawing of table, view, legend and text boxes, checked on
// the recording canvas: line heights and stored heights per column mode,
// widths, titles, markers per notation, icon cells, shadow, outlines.
#include <algorithm>
#include <optional>

#include "diagram/diagram_build.h"
#include "diagram_fixture.h"

using namespace tabulorix;

using namespace diagram_test;
using tabulorix::PenStyle;

namespace {

constexpr int kAll = 0x100;        // all columns, IDEF1X markers
constexpr int kKeysOnly = 0x120;   // keys and indexes only
constexpr int kNamesOnly = 0x101;  // table names only

class TablePainting : public DiagramTest {
protected:
    // EMP: ID (primary key), NAME, DEPT (first foreign key), NOTE; measured
    // afresh at (50, 60).
    MGShapeTable& Emp(int flags) {
        auto table = Table("SCOTT", "EMP", {{"ID"}, {"NAME"}, {"DEPT"}, {"NOTE"}});
        Field(*table, 1).AddKeyMark(kKeyPrimary, "1");
        Field(*table, 3).AddKeyMark(kKeyForeign, "1");
        MGShapeTable& emp = diagram.AddBox(std::move(table));
        Measure(emp, flags);
        return emp;
    }

    static ZMGRowField& Field(MGShapeTable& table, int row) {
        return dynamic_cast<ZMGRowField&>(table.ColumnRows().GetRow(row));
    }

    void Measure(MGShapeTable& shape, int flags) {
        shape.SetPosition({50, 60, 50, 60});
        shape.SetDisplayFlags(flags);
        shape.SetSizeDirty(1);
        shape.CalcSize(box, 2);
        shape.SetState(MGShapeRect::kStateNormal);
    }

    std::string Marker(int flags, std::initializer_list<std::pair<std::uint32_t, const char*>> marks) {
        MGShapeTable shape;
        ZMGRowField column;
        for (const auto& [kind, number] : marks) column.AddKeyMark(kind, number);
        shape.SetDisplayFlags(flags);
        std::string text;
        shape.AppendMarkerText(column, text);
        return text;
    }

    // Draws the shape on a cleared canvas.
    void Redraw(MGShapeTable& shape) {
        paintBox.canvas.Clear();
        shape.Draw(2, box);
    }

    // The brush (or pen) colour of the first op call drawn at the world
    // rectangle, if any.
    std::optional<tabulorix::Color> BrushAt(const char* op, const Rect& world, bool pen = false) {
        const Rect d = Mapped(world);
        for (const CanvasCall& c : paintBox.canvas.calls)
            if (c.op == op && c.ints == Ints({d.left, d.top, d.right, d.bottom}))
                return pen ? c.pen.color : c.brush.color;
        return std::nullopt;
    }

    // The Rectangle (or RoundRect) calls drawn since the canvas was cleared.
    std::vector<CanvasCall> Outlines() const {
        std::vector<CanvasCall> result;
        for (const CanvasCall& call : paintBox.canvas.calls)
            if (call.op == "Rectangle" || call.op == "RoundRect") result.push_back(call);
        return result;
    }
};

}  // namespace

// Stored heights in lines: EMP has ID (primary key), NAME, DEPT (foreign
// key) and NOTE; the legend's lines depend on names only and on whether the
// notation has index symbols, never on key columns only.
TEST_F(TablePainting, StoredHeightFollowsTheColumnMode) {
    MGShapeTable& emp = Emp(kAll);
    MGShapeTable& empty = diagram.AddBox(Table("SCOTT", "T", {}));
    MGShapeTable& legend = diagram.AddBox(std::make_unique<MGShapeLegend>());
    const struct {
        MGShapeTable* shape;
        int flags;
        int lines;
    } cases[] = {{&emp, kAll, 5},        {&emp, kKeysOnly, 3},   {&emp, kNamesOnly, 3},  // stored 3 high
                 {&empty, kAll, 1},      {&legend, 0x100, 9},    {&legend, 0x300, 12},
                 {&legend, 0x600 | MGShapeRect::kFlagKeysOnly, 12}, {&legend, 0x301, 5}};
    for (const auto& c : cases) {
        Measure(*c.shape, c.flags);
        EXPECT_EQ(c.shape->Position().bottom, 60 + c.lines * kLine) << c.shape->Name() << " " << c.flags;
    }
    Redraw(legend);
    // Names only: the title and the four line marks, nothing else.
    const std::vector<std::string> texts = paintBox.canvas.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "\u3000凡例");
    EXPECT_EQ(texts[1], "外部参照側の子表");
    EXPECT_EQ(texts[4], "親表の削除により子表も削除");
}

TEST_F(TablePainting, WidthIsTitlePlusEightWhenTheTitleIsWidest) {
    auto table = Table("SCOTT", "A_VERY_LONG_TABLE_NAME", {{"X"}});
    MGShapeTable& shape = diagram.AddBox(std::move(table));
    Measure(shape, 0x300);  // two icon cells do not widen it
    EXPECT_EQ(shape.Position().right - shape.Position().left, 24 * kChar + 8);

    // A column line wider than the title: cells + column text + marker + 8.
    auto wide = Table("SCOTT", "T", {{"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"}});
    Field(*wide, 1).AddKeyMark(kKeyPrimary, "1");
    MGShapeTable& widest = diagram.AddBox(std::move(wide));
    Measure(widest, kAll);
    EXPECT_EQ(widest.Position().right - widest.Position().left, kLine + 30 * kChar + 6 * kChar + 8);
}

// Display mode bit 1 asks for logical names, bit 2 for physical ones: the
// title and the column lines, measured and drawn, use the names asked for.
TEST_F(TablePainting, TheDisplayModeChoosesLogicalOrPhysicalNames) {
    const struct {
        int mode;
        const char* title;
        const char* column;
        int width;  // one icon cell, the column text and 8: wider than the title
    } cases[] = {{2, "  EMP", "EMPNO", kLine + 5 * kChar + 8}, {1, "  社員", "社員番号", kLine + 4 * kChar + 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        MGShapeTable& emp = diagram.AddBox(std::make_unique<MGShapeTable>(1, "SCOTT", "社員", "EMP", "", true));
        AddColumns(emp, {{"X"}});
        Field(emp, 1).PutItem(0, "社員番号");
        Field(emp, 1).PutItem(1, "EMPNO");
        emp.SetPosition({50, 60, 50, 60});
        emp.SetDisplayFlags(kAll);
        emp.CalcSize(box, c.mode);
        emp.SetState(MGShapeRect::kStateNormal);
        EXPECT_EQ(emp.Position().right - emp.Position().left, c.width);
        paintBox.canvas.Clear();
        emp.Draw(c.mode, box);
        const std::vector<std::string> texts = paintBox.canvas.Texts();
        EXPECT_EQ(texts, (std::vector<std::string>{c.title, c.column}));
        diagram.Clear();
    }
}

TEST_F(TablePainting, MarkerTextsFollowTheNotation) {
    const auto pkAk = {std::pair<std::uint32_t, const char*>{kKeyPrimary, "1"}, {kKeyUnique, "1"}};
    EXPECT_EQ(Marker(0x100, pkAk), "  (PK)(AK1)");
    EXPECT_EQ(Marker(0x300, pkAk), "  (PK)(AK1)");
    EXPECT_EQ(Marker(0x600, pkAk), "");
    EXPECT_EQ(Marker(0x600, {{kKeyPrimary, "1"}, {kIndexUnique, "1"}}), "  (UI1)");
    EXPECT_EQ(Marker(0x100, {{kKeyPrimary, "1"}, {kKeyForeign, "2"}}), "  (PK)(FK2)");
    EXPECT_EQ(Marker(0x700, {{kKeyForeign, "1"}, {kKeyForeign, "3"}, {kIndexNonUnique, "2"}}),
              "  (FK1)(FK3)(NI2)");
    EXPECT_EQ(Marker(0x700, {{kIndexUnique, "1"}, {kIndexNonUnique, "4"}}), "  (UI1)(NI4)");
}

TEST_F(TablePainting, MarkersAreDrawnRightAlignedOnTheirLine) {
    MGShapeTable& emp = Emp(kAll);
    Redraw(emp);
    const auto texts = Calls("TextOut");
    const auto marker =
        std::find_if(texts.begin(), texts.end(), [](const CanvasCall& c) { return c.text == "  (PK)"; });
    ASSERT_NE(marker, texts.end());
    const Rect& p = emp.Position();
    EXPECT_EQ(marker->ints, Ints({box.MapX(p.right - 6 * kChar - 4), box.MapY(p.top + kLine + 4)}));
    const auto fk =
        std::find_if(texts.begin(), texts.end(), [](const CanvasCall& c) { return c.text == "  (FK1)"; });
    ASSERT_NE(fk, texts.end());
    EXPECT_EQ(fk->ints[1], box.MapY(p.top + 3 * kLine + 4));
}

TEST_F(TablePainting, IconCellsSeparatorsAndKeySymbol) {
    MGShapeTable& emp = Emp(0x300);
    EXPECT_EQ(emp.IconCellCount(), 2);
    Redraw(emp);
    const Rect& p = emp.Position();
    // Two separators from the first column line down to the bottom.
    const auto moves = Calls("MoveTo");
    const auto lines = Calls("LineTo");
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(moves[0].ints, Ints({box.MapX(p.left + kLine), box.MapY(p.top + kLine)}));
    EXPECT_EQ(lines[0].ints, Ints({box.MapX(p.left + kLine), box.MapY(p.bottom)}));
    EXPECT_EQ(moves[1].ints, Ints({box.MapX(p.left + 2 * kLine), box.MapY(p.top + kLine)}));
    // Column text starts after both cells.
    const auto texts = Calls("TextOut");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "ID");
    EXPECT_EQ(texts[1].ints[0], box.MapX(p.left + 2 * kLine + 4));
    // The key's tooth in cell 0 of the ID line: cell 20 wide, 21 high.
    const int top = p.top + kLine;
    const Rect tooth{p.left + 13, top + 10, p.left + 17, top + 12};
    EXPECT_EQ(BrushAt("Rectangle", tooth), tabulorix::kYellow);
    EXPECT_EQ(BrushAt("Rectangle", tooth, true), tabulorix::kGrey);

    Measure(emp, 0x100);
    EXPECT_EQ(emp.IconCellCount(), 1);
    Measure(emp, kNamesOnly);
    EXPECT_EQ(emp.IconCellCount(), 0);
    auto view = std::make_unique<MGShapeView>(1, "SCOTT", "V", "V", "", "select 1 from dual");
    AddColumns(*view, {{"A"}});
    view->SetDisplayFlags(0x300);
    EXPECT_EQ(view->IconCellCount(), 0);
    MGShapeLegend legend;
    legend.SetDisplayFlags(0x300);
    EXPECT_EQ(legend.IconCellCount(), 1);
}

TEST_F(TablePainting, IndexSymbolsInTheSecondCell) {
    auto table = Table("SCOTT", "T", {{"U"}, {"N"}, {"B"}});
    Field(*table, 1).AddKeyMark(kIndexUnique, "1");
    Field(*table, 2).AddKeyMark(kIndexNonUnique, "2");
    Field(*table, 3).AddKeyMark(kIndexUnique, "1");
    Field(*table, 3).AddKeyMark(kIndexNonUnique, "2");
    MGShapeTable& shape = diagram.AddBox(std::move(table));
    Measure(shape, 0x300);
    Redraw(shape);
    const Rect& p = shape.Position();
    auto cell = [&](int line, double from, double to) {
        const int l = p.left + kLine;
        const int t = p.top + line * kLine;
        return Rect{static_cast<int>(l + from * kLine), static_cast<int>(t + from * kLine),
                    static_cast<int>(l + to * kLine), static_cast<int>(t + to * kLine)};
    };
    EXPECT_EQ(BrushAt("Ellipse", cell(1, 0.3, 0.7)), tabulorix::kBlack);  // unique: large black
    EXPECT_EQ(BrushAt("Ellipse", cell(2, 0.3, 0.7)), tabulorix::kWhite);  // non-unique: large white
    EXPECT_EQ(BrushAt("Ellipse", cell(3, 0.3, 0.7)), tabulorix::kWhite);  // both: white with a black centre
    EXPECT_EQ(BrushAt("Ellipse", cell(3, 0.4, 0.6)), tabulorix::kBlack);
    EXPECT_EQ(Calls("Ellipse").size(), 4u);
}

TEST_F(TablePainting, KeysOnlyModeDrawsOnlyKeyColumns) {
    MGShapeTable& emp = Emp(kKeysOnly);
    Redraw(emp);
    std::vector<std::string> texts = paintBox.canvas.Texts();
    texts.erase(std::remove_if(texts.begin(), texts.end(),
                               [](const std::string& t) { return t.rfind("  (", 0) == 0; }),
                texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"  EMP", "ID", "DEPT"}));
}

TEST_F(TablePainting, ShadowPassDrawsTheOffsetGreyRectangleOnly) {
    MGShapeTable& emp = Emp(kAll | MGShapeRect::kFlagShadow);
    emp.SetDisplayFlags(kAll | MGShapeRect::kFlagShadow | MGShapeRect::kFlagShadowPass);
    Redraw(emp);
    const auto drawing = Drawing();
    ASSERT_EQ(drawing.size(), 1u);
    const Rect& p = emp.Position();
    const Rect shadow =
        Mapped({p.left + kLine / 2, p.top + kLine / 2, p.right + kLine / 2, p.bottom + kLine / 2});
    EXPECT_EQ(drawing[0].op, "Rectangle");
    EXPECT_EQ(drawing[0].ints, Ints({shadow.left, shadow.top, shadow.right, shadow.bottom}));
    EXPECT_EQ(drawing[0].brush.color, tabulorix::kLightGrey);
    EXPECT_EQ(drawing[0].pen.color, tabulorix::kLightGrey);

    // Rounded boxes get a rounded shadow.
    emp.SetRounded(true);
    Redraw(emp);
    ASSERT_EQ(Drawing().size(), 1u);
    EXPECT_EQ(Drawing()[0].op, "RoundRect");
    EXPECT_EQ(Drawing()[0].ints[4], kLine / 2);

    // Without the shadow flag the shadow pass draws the box itself, and the
    // legend never casts a shadow.
    emp.SetDisplayFlags(kAll | MGShapeRect::kFlagShadowPass);
    MGShapeTable& legend = diagram.AddBox(std::make_unique<MGShapeLegend>());
    Measure(legend, 0x108);
    legend.SetDisplayFlags(0x108 | MGShapeRect::kFlagShadow | MGShapeRect::kFlagShadowPass);
    for (MGShapeTable* shape : {&emp, &legend}) {
        SCOPED_TRACE(shape->Name());
        Redraw(*shape);
        EXPECT_GT(Drawing().size(), 1u);
        ASSERT_FALSE(Outlines().empty());
        EXPECT_EQ(Outlines().front().brush.color, tabulorix::kWhite);
    }
    const Rect l = Mapped(legend.Position());
    EXPECT_EQ(Outlines().front().ints, Ints({l.left, l.top, l.right, l.bottom}));
}

TEST_F(TablePainting, ViewsAreOutlinedDottedAndSolidDoubleWhenSelected) {
    auto view = std::make_unique<MGShapeView>(1, "SCOTT", "V", "V", "", "select 1 from dual");
    AddColumns(*view, {{"A"}, {"B"}});
    MGShapeTable& shape = diagram.AddBox(std::move(view));
    Measure(shape, kAll);
    Redraw(shape);
    ASSERT_FALSE(Outlines().empty());
    EXPECT_EQ(Outlines().front().pen.style, PenStyle::Dot);
    EXPECT_EQ(Outlines().front().pen.width, 1);
    // No icon cells: the column text starts at left + 4.
    EXPECT_EQ(Calls("TextOut")[1].ints[0], box.MapX(shape.Position().left + 4));

    shape.SetState(MGShapeRect::kStateSelected);
    Redraw(shape);
    EXPECT_EQ(Outlines().front().pen.style, PenStyle::Solid);
    EXPECT_EQ(Outlines().front().pen.width, 2);
}

TEST_F(TablePainting, RedKindBitRoundedCornersAndInvisibleTables) {
    MGShapeTable& emp = Emp(kAll);
    emp.SetKind(MGShapeField::kKindTable | MGShapeField::kKindRedOutline);
    emp.SetRounded(true);
    Redraw(emp);
    ASSERT_FALSE(Outlines().empty());
    EXPECT_EQ(Outlines().front().op, "RoundRect");
    EXPECT_EQ(Outlines().front().pen.color, tabulorix::kRed);
    EXPECT_EQ(Outlines().front().ints[4], kLine / 2);

    // An invisible table is grey and dashed on screen and absent on paper.
    emp.SetKind(MGShapeField::kKindTable);
    emp.SetRounded(false);
    emp.SetDetailed(false);
    Measure(emp, kAll);
    EXPECT_EQ(emp.Position().bottom, 60 + kLine);  // title only
    Redraw(emp);
    ASSERT_EQ(Outlines().size(), 1u);
    EXPECT_EQ(Outlines().front().pen.color, tabulorix::kLightGrey);
    EXPECT_EQ(Outlines().front().pen.style, PenStyle::Dash);
    ASSERT_EQ(Calls("TextOut").size(), 1u);
    EXPECT_EQ(Calls("TextOut").front().fontColor, tabulorix::kLightGrey);
    box.SelectPrinter();
    printer.canvas.Clear();
    emp.Draw(2, box);
    EXPECT_TRUE(printer.canvas.Drawing().empty());
    box.SelectConsole();
}

TEST_F(TablePainting, ADraggedBoxShowsOnlyItsInvertedDottedOutline) {
    MGShapeTable& emp = Emp(kAll);
    emp.SetOutline({300, 300, 400, 400});
    emp.SetState(MGShapeRect::kStateDragged);
    Redraw(emp);
    const auto drawing = Drawing();
    ASSERT_EQ(drawing.size(), 1u);
    EXPECT_EQ(drawing[0].pen.mode, tabulorix::PenMode::Not);
    EXPECT_EQ(drawing[0].pen.style, PenStyle::Dot);
    EXPECT_EQ(drawing[0].brush.style, tabulorix::BrushStyle::Clear);
    const Rect o = Mapped({300, 300, 400, 400});
    EXPECT_EQ(drawing[0].ints, Ints({o.left, o.top, o.right, o.bottom}));

    emp.SetState(MGShapeRect::kStateNotPlaced);
    Redraw(emp);
    EXPECT_TRUE(Drawing().empty());
}

TEST_F(TablePainting, UpdateRectangleLeavesRoomForTheShadow) {
    MGShapeTable& emp = Emp(kAll);
    const Rect p = emp.Position();
    EXPECT_EQ(emp.GetUpdateRect(box), Mapped({p.left, p.top, p.right + kLine, p.bottom + kLine}));
    emp.SetState(MGShapeRect::kStateSelected);
    emp.SetOutline({10, 10, 20, 20});
    EXPECT_EQ(emp.GetUpdateRect(box), Mapped({10, 10, 20 + kLine, 20 + kLine}));
}

TEST_F(TablePainting, LegendMarksInTheIconCell) {
    MGShapeTable& legend = diagram.AddBox(std::make_unique<MGShapeLegend>());
    Measure(legend, 0x300);
    Redraw(legend);
    // Row 1 (child end): dot at (L + w/2, T + 2h/6, L + w/2 + s, B - h/3)
    // with the cell 20 wide and 21 high: s = 14 - 7 = 7.
    const Rect& p = legend.Position();
    const int t = p.top + kLine;
    const Rect dot = Mapped({p.left + 10, t + 7, p.left + 17, t + 14});
    const auto ellipses = Calls("Ellipse");
    ASSERT_FALSE(ellipses.empty());
    EXPECT_EQ(ellipses.front().ints, Ints({dot.left, dot.top, dot.right, dot.bottom}));
    EXPECT_EQ(ellipses.front().brush.color, tabulorix::kBlack);
    // Row 2 (nullable): a dotted line from L + w/6 to R - w/6.
    bool dotted = false;
    for (const CanvasCall& c : Calls("LineTo"))
        dotted = dotted || (c.pen.style == PenStyle::Dot &&
                            c.ints == Ints({box.MapX(p.left + 20 - 3), box.MapY(p.top + 2 * kLine + 10)}));
    EXPECT_TRUE(dotted);
    // Row 4 (cascade): a white square over the dot's square.
    const int t4 = p.top + 4 * kLine;
    EXPECT_EQ(BrushAt("Rectangle", {p.left + 10, t4 + 7, p.left + 17, t4 + 14}), tabulorix::kWhite);
}

TEST_F(TablePainting, TextBoxesMeasureInTheirFontAndFrameOnlyWhenSelected) {
    auto text = std::make_unique<MGShapeText>("注記", "IPAPGothic", 12, tabulorix::kFontBold);
    MGShapeText& shape = dynamic_cast<MGShapeText&>(diagram.AddBox(std::move(text)));
    shape.SetPosition({100, 100, 100, 100});
    shape.CalcSize(box, 2);
    // 12 pt: 16 pixels high, 8 per character, plus 8 each way.
    EXPECT_EQ(shape.Position(), (Rect{100, 100, 100 + 2 * 8 + 8, 100 + 16 + 8}));
    shape.SetState(MGShapeRect::kStateNormal);
    Redraw(shape);
    EXPECT_TRUE(Outlines().empty());
    const auto texts = Calls("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].ints, Ints({box.MapX(104), box.MapY(104)}));
    EXPECT_EQ(texts[0].font.pointSize, 12);
    EXPECT_EQ(texts[0].font.styleBits, tabulorix::kFontBold);

    shape.SetState(MGShapeRect::kStateSelected);
    Redraw(shape);
    ASSERT_EQ(Outlines().size(), 1u);
    EXPECT_EQ(Outlines()[0].pen.width, 2);
    shape.SetState(MGShapeRect::kStateNormal);
    EXPECT_EQ(shape.GetUpdateRect(box), Mapped(shape.Position()));
}
