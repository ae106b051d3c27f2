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
    // Adds the box, measured afresh at (50, 60).
    template <typename Box>
    MGShapeTable& Measured(std::unique_ptr<Box> shape, int flags, int mode = 2) {
        MGShapeTable& added = diagram.AddBox(std::move(shape));
        Measure(added, flags, mode);
        return added;
    }

    // EMP: ID (primary key), NAME, DEPT (first foreign key), NOTE.
    MGShapeTable& Emp(int flags) {
        auto table = Table("SCOTT", "EMP", {{"ID"}, {"NAME"}, {"DEPT"}, {"NOTE"}});
        Field(*table, 1).AddKeyMark(kKeyPrimary, "1");
        Field(*table, 3).AddKeyMark(kKeyForeign, "1");
        return Measured(std::move(table), flags);
    }

    static ZMGRowField& Field(MGShapeTable& table, int row) {
        return dynamic_cast<ZMGRowField&>(table.ColumnRows().GetRow(row));
    }

    void Measure(MGShapeTable& shape, int flags, int mode = 2) {
        shape.SetPosition({50, 60, 50, 60});
        shape.SetDisplayFlags(flags);
        shape.SetSizeDirty(1);
        shape.CalcSize(box, mode);
        shape.SetState(MGShapeRect::kStateNormal);
    }

    void Redraw(MGShapeTable& shape, int mode = 2) {
        paintBox.canvas.Clear();
        shape.Draw(mode, box);
    }

    // The brush (or pen) colour of the first op call drawn at the world rectangle.
    std::optional<tabulorix::Color> BrushAt(const char* op, const Rect& world, bool pen = false) {
        for (const CanvasCall& c : paintBox.canvas.calls)
            if (c.op == op && c.ints == Dev(world)) return pen ? c.pen.color : c.brush.color;
        return std::nullopt;
    }

    // The first Rectangle or RoundRect drawn since the canvas was cleared,
    // and how many there were.
    std::pair<CanvasCall, std::size_t> Outline() const {
        std::vector<CanvasCall> found;
        for (const CanvasCall& call : paintBox.canvas.calls)
            if (call.op == "Rectangle" || call.op == "RoundRect") found.push_back(call);
        return {found.empty() ? CanvasCall{} : found.front(), found.size()};
    }
};

int Width(const MGShapeTable& shape) {
    return shape.Position().right - shape.Position().left;
}

}  // namespace

// Stored heights in lines: EMP has ID (primary key), NAME, DEPT (foreign
// key) and NOTE; the legend's lines depend on names only and on whether the
// notation has index symbols, never on key columns only.
TEST_F(TablePainting, StoredHeightFollowsTheColumnModeAndWidthTheWidestLine) {
    MGShapeTable& emp = Emp(kAll);
    MGShapeTable& empty = diagram.AddBox(Table("SCOTT", "T", {}));
    MGShapeTable& legend = diagram.AddBox(std::make_unique<MGShapeLegend>());
    const struct {
        MGShapeTable* shape;
        int flags;
        int lines;
    } cases[] = {{&emp, kAll, 5},       {&emp, kKeysOnly, 3},
                 {&emp, kNamesOnly, 3},  // stored 3 high
                 {&empty, kAll, 1},     {&legend, 0x100, 9},
                 {&legend, 0x300, 12},  {&legend, 0x600 | MGShapeRect::kFlagKeysOnly, 12},
                 {&legend, 0x301, 5}};
    for (const auto& c : cases) {
        Measure(*c.shape, c.flags);
        EXPECT_EQ(c.shape->Position().bottom, 60 + c.lines * kLine) << c.shape->Name() << " " << c.flags;
    }
    Redraw(legend);  // names only: the title and the four line marks, nothing else
    const std::vector<std::string> texts = paintBox.canvas.Texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ((std::vector<std::string>{texts[0], texts[1], texts[4]}),
              (std::vector<std::string>{"\u3000凡例", "外部参照側の子表", "親表の削除により子表も削除"}));

    // The title plus 8 when it is widest (two icon cells do not widen it);
    // else cells + column text + marker + 8.
    EXPECT_EQ(Width(Measured(Table("SCOTT", "A_VERY_LONG_TABLE_NAME", {{"X"}}), 0x300)), 24 * kChar + 8);
    auto wide = Table("SCOTT", "T", {{"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"}});
    Field(*wide, 1).AddKeyMark(kKeyPrimary, "1");
    EXPECT_EQ(Width(Measured(std::move(wide), kAll)), kLine + 30 * kChar + 6 * kChar + 8);
}

// Display mode bit 1 asks for logical names, bit 2 for physical ones: the
// title and the column lines, measured and drawn, use the names asked for.
TEST_F(TablePainting, TheDisplayModeChoosesLogicalOrPhysicalNames) {
    const struct {
        int mode;
        const char* title;
        const char* column;
        int width;  // one icon cell, the column text and 8: wider than the title
    } cases[] = {{2, "  EMP", "EMPNO", kLine + 5 * kChar + 8},
                 {1, "  社員", "社員番号", kLine + 4 * kChar + 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        diagram.Clear();
        auto table = std::make_unique<MGShapeTable>(1, "SCOTT", "社員", "EMP", "", true);
        AddColumns(*table, {{"X"}});
        Field(*table, 1).PutItem(0, "社員番号");
        Field(*table, 1).PutItem(1, "EMPNO");
        MGShapeTable& emp = Measured(std::move(table), kAll, c.mode);
        EXPECT_EQ(Width(emp), c.width);
        Redraw(emp, c.mode);
        EXPECT_EQ(paintBox.canvas.Texts(), (std::vector<std::string>{c.title, c.column}));
    }
}

TEST_F(TablePainting, MarkerTextsFollowTheNotation) {
    using Marks = std::vector<std::pair<std::uint32_t, const char*>>;
    const struct {
        int flags;
        Marks marks;
        const char* text;
    } cases[] = {
        {0x100, {{kKeyPrimary, "1"}, {kKeyUnique, "1"}}, "  (PK)(AK1)"},
        {0x300, {{kKeyPrimary, "1"}, {kKeyUnique, "1"}}, "  (PK)(AK1)"},
        {0x600, {{kKeyPrimary, "1"}, {kKeyUnique, "1"}}, ""},
        {0x600, {{kKeyPrimary, "1"}, {kIndexUnique, "1"}}, "  (UI1)"},
        {0x100, {{kKeyPrimary, "1"}, {kKeyForeign, "2"}}, "  (PK)(FK2)"},
        {0x700, {{kKeyForeign, "1"}, {kKeyForeign, "3"}, {kIndexNonUnique, "2"}}, "  (FK1)(FK3)(NI2)"},
        {0x700, {{kIndexUnique, "1"}, {kIndexNonUnique, "4"}}, "  (UI1)(NI4)"},
    };
    for (const auto& c : cases) {
        MGShapeTable shape;
        ZMGRowField column;
        for (const auto& [kind, number] : c.marks) column.AddKeyMark(kind, number);
        shape.SetDisplayFlags(c.flags);
        std::string text;
        shape.AppendMarkerText(column, text);
        EXPECT_EQ(text, c.text) << c.flags;
    }
}

TEST_F(TablePainting, MarkersRightAlignedAndKeysOnlyModeDrawsOnlyKeyColumns) {
    MGShapeTable& emp = Emp(kAll);
    Redraw(emp);
    const Rect& p = emp.Position();
    EXPECT_EQ(TextAt("  (PK)"), P(p.right - 6 * kChar - 4, p.top + kLine + 4));
    EXPECT_EQ(TextAt("  (FK1)").at(1), box.MapY(p.top + 3 * kLine + 4));

    Measure(emp, kKeysOnly);
    Redraw(emp);
    std::vector<std::string> texts = paintBox.canvas.Texts();
    std::erase_if(texts, [](const std::string& t) { return t.starts_with("  ("); });
    EXPECT_EQ(texts, (std::vector<std::string>{"  EMP", "ID", "DEPT"}));
}

TEST_F(TablePainting, IconCellsSeparatorsAndKeySymbol) {
    MGShapeTable& emp = Emp(0x300);
    Redraw(emp);
    const Rect& p = emp.Position();
    // Two separators from the first column line down to the bottom; the
    // column text after both cells.
    const auto moves = Calls("MoveTo");
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(moves[0].ints, P(p.left + kLine, p.top + kLine));
    EXPECT_EQ(Calls("LineTo")[0].ints, P(p.left + kLine, p.bottom));
    EXPECT_EQ(moves[1].ints, P(p.left + 2 * kLine, p.top + kLine));
    EXPECT_EQ(TextAt("ID").at(0), box.MapX(p.left + 2 * kLine + 4));
    // The key's tooth in cell 0 of the ID line: cell 20 wide, 21 high.
    const Rect tooth{p.left + 13, p.top + kLine + 10, p.left + 17, p.top + kLine + 12};
    EXPECT_EQ(BrushAt("Rectangle", tooth), tabulorix::kYellow);
    EXPECT_EQ(BrushAt("Rectangle", tooth, true), tabulorix::kGrey);

    auto view = std::make_unique<MGShapeView>(1, "SCOTT", "V", "V", "", "select 1 from dual");
    AddColumns(*view, {{"A"}});
    MGShapeLegend legend;
    for (const auto& [shape, flags, cells] :
         {std::tuple{&emp, 0x100, 1}, {&emp, kNamesOnly, 0}, {view.get(), 0x300, 0}, {&legend, 0x300, 1}}) {
        shape->SetDisplayFlags(flags);
        EXPECT_EQ(shape->IconCellCount(), cells) << shape->Name() << " " << flags;
    }
}

TEST_F(TablePainting, IndexSymbolsInTheSecondCell) {
    auto table = Table("SCOTT", "T", {{"U"}, {"N"}, {"B"}});
    Field(*table, 1).AddKeyMark(kIndexUnique, "1");
    Field(*table, 2).AddKeyMark(kIndexNonUnique, "2");
    Field(*table, 3).AddKeyMark(kIndexUnique, "1");
    Field(*table, 3).AddKeyMark(kIndexNonUnique, "2");
    MGShapeTable& shape = Measured(std::move(table), 0x300);
    Redraw(shape);
    const Rect& p = shape.Position();
    auto cell = [&](int line, double from, double to) {
        const int l = p.left + kLine;
        const int t = p.top + line * kLine;
        return Rect{static_cast<int>(l + from * kLine), static_cast<int>(t + from * kLine),
                    static_cast<int>(l + to * kLine), static_cast<int>(t + to * kLine)};
    };
    // Unique: large black; non-unique: large white; both: white with a black centre.
    EXPECT_EQ((std::vector{BrushAt("Ellipse", cell(1, 0.3, 0.7)), BrushAt("Ellipse", cell(2, 0.3, 0.7)),
                           BrushAt("Ellipse", cell(3, 0.3, 0.7)), BrushAt("Ellipse", cell(3, 0.4, 0.6))}),
              (std::vector<std::optional<tabulorix::Color>>{tabulorix::kBlack, tabulorix::kWhite,
                                                            tabulorix::kWhite, tabulorix::kBlack}));
    EXPECT_EQ(Calls("Ellipse").size(), 4u);
}

TEST_F(TablePainting, ShadowPassDrawsTheOffsetGreyRectangleOnly) {
    MGShapeTable& emp = Emp(kAll | MGShapeRect::kFlagShadow | MGShapeRect::kFlagShadowPass);
    const Rect& p = emp.Position();
    for (const bool rounded : {false, true}) {  // rounded boxes get a rounded shadow
        emp.SetRounded(rounded);
        Redraw(emp);
        auto drawing = Drawing();
        ASSERT_EQ(drawing.size(), 1u);
        EXPECT_EQ(drawing[0].op, rounded ? "RoundRect" : "Rectangle");
        drawing[0].ints.resize(4);
        EXPECT_EQ(drawing[0].ints,
                  Dev({p.left + kLine / 2, p.top + kLine / 2, p.right + kLine / 2, p.bottom + kLine / 2}));
        EXPECT_EQ(std::pair(drawing[0].brush.color, drawing[0].pen.color),
                  std::pair(tabulorix::kLightGrey, tabulorix::kLightGrey));
    }
    EXPECT_EQ(Drawing()[0].ints[4], kLine / 2);

    // Without the shadow flag the shadow pass draws the box itself, and the
    // legend never casts a shadow.
    emp.SetDisplayFlags(kAll | MGShapeRect::kFlagShadowPass);
    MGShapeTable& legend = Measured(std::make_unique<MGShapeLegend>(), 0x108);
    legend.SetDisplayFlags(0x108 | MGShapeRect::kFlagShadow | MGShapeRect::kFlagShadowPass);
    for (MGShapeTable* shape : {&emp, &legend}) {
        Redraw(*shape);
        EXPECT_GT(Drawing().size(), 1u) << shape->Name();
        EXPECT_EQ(Outline().first.brush.color, tabulorix::kWhite) << shape->Name();
    }
    EXPECT_EQ(Outline().first.ints, Dev(legend.Position()));
}

// Outlines: a view's dotted, solid and double when selected; the red kind
// bit and rounded corners; an invisible table grey and dashed on screen
// and absent on paper.
TEST_F(TablePainting, OutlinesFollowKindStateAndVisibility) {
    auto view = std::make_unique<MGShapeView>(1, "SCOTT", "V", "V", "", "select 1 from dual");
    AddColumns(*view, {{"A"}, {"B"}});
    MGShapeTable& shape = Measured(std::move(view), kAll);
    MGShapeTable& emp = Emp(kAll);
    emp.SetKind(MGShapeField::kKindTable | MGShapeField::kKindRedOutline);
    emp.SetRounded(true);
    const auto outline = [&](MGShapeTable& drawn, int state) {
        drawn.SetState(state);
        Redraw(drawn);
        const CanvasCall first = Outline().first;
        return std::tuple(first.op, first.pen.color, first.pen.style, first.pen.width);
    };
    EXPECT_EQ(outline(shape, MGShapeRect::kStateNormal),
              std::tuple("Rectangle", tabulorix::kBlack, PenStyle::Dot, 1));
    EXPECT_EQ(TextAt("A").at(0), box.MapX(shape.Position().left + 4));  // no icon cells
    EXPECT_EQ(outline(shape, MGShapeRect::kStateSelected),
              std::tuple("Rectangle", tabulorix::kBlack, PenStyle::Solid, 2));
    EXPECT_EQ(outline(emp, MGShapeRect::kStateNormal),
              std::tuple("RoundRect", tabulorix::kRed, PenStyle::Solid, 1));
    EXPECT_EQ(Outline().first.ints.at(4), kLine / 2);

    emp.SetKind(MGShapeField::kKindTable);
    emp.SetRounded(false);
    emp.SetDetailed(false);
    Measure(emp, kAll);
    EXPECT_EQ(emp.Position().bottom, 60 + kLine);  // title only
    EXPECT_EQ(outline(emp, MGShapeRect::kStateNormal),
              std::tuple("Rectangle", tabulorix::kLightGrey, PenStyle::Dash, 1));
    EXPECT_EQ(Outline().second, 1u);
    ASSERT_EQ(Calls("TextOut").size(), 1u);
    EXPECT_EQ(Calls("TextOut").front().fontColor, tabulorix::kLightGrey);
    box.SelectPrinter();
    emp.Draw(2, box);
    EXPECT_TRUE(printer.canvas.Drawing().empty());
    box.SelectConsole();
}

TEST_F(TablePainting, ADraggedBoxShowsOnlyItsInvertedDottedOutlineAndInvalidatesRoomForTheShadow) {
    MGShapeTable& emp = Emp(kAll);
    const Rect p = emp.Position();
    EXPECT_EQ(emp.GetUpdateRect(box), Mapped({p.left, p.top, p.right + kLine, p.bottom + kLine}));
    emp.SetOutline({300, 300, 400, 400});
    emp.SetState(MGShapeRect::kStateDragged);
    Redraw(emp);
    const auto drawing = Drawing();
    ASSERT_EQ(drawing.size(), 1u);
    EXPECT_EQ(std::tuple(drawing[0].pen.mode, drawing[0].pen.style, drawing[0].brush.style),
              std::tuple(tabulorix::PenMode::Not, PenStyle::Dot, tabulorix::BrushStyle::Clear));
    EXPECT_EQ(drawing[0].ints, Dev({300, 300, 400, 400}));
    emp.SetState(MGShapeRect::kStateSelected);  // a selected box: its outline
    EXPECT_EQ(emp.GetUpdateRect(box), Mapped({300, 300, 400 + kLine, 400 + kLine}));

    emp.SetState(MGShapeRect::kStateNotPlaced);
    Redraw(emp);
    EXPECT_TRUE(Drawing().empty());
}

TEST_F(TablePainting, LegendMarksInTheIconCell) {
    MGShapeTable& legend = Measured(std::make_unique<MGShapeLegend>(), 0x300);
    Redraw(legend);
    // Row 1 (child end): dot at (L + w/2, T + 2h/6, L + w/2 + s, B - h/3)
    // with the cell 20 wide and 21 high: s = 14 - 7 = 7.
    const Rect& p = legend.Position();
    const int t = p.top + kLine;
    EXPECT_EQ(BrushAt("Ellipse", {p.left + 10, t + 7, p.left + 17, t + 14}), tabulorix::kBlack);
    EXPECT_EQ(Calls("Ellipse").front().ints, Dev({p.left + 10, t + 7, p.left + 17, t + 14}));
    // Row 2 (nullable): a dotted line from L + w/6 to R - w/6.
    const auto lines = Calls("LineTo");
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const CanvasCall& c) {
        return c.pen.style == PenStyle::Dot && c.ints == P(p.left + 20 - 3, p.top + 2 * kLine + 10);
    }));
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
    EXPECT_EQ(Outline().second, 0u);
    const auto texts = Calls("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].ints, P(104, 104));
    EXPECT_EQ(std::pair(texts[0].font.pointSize, texts[0].font.styleBits),
              std::pair(12, static_cast<int>(tabulorix::kFontBold)));
    EXPECT_EQ(shape.GetUpdateRect(box), Mapped(shape.Position()));

    shape.SetState(MGShapeRect::kStateSelected);
    Redraw(shape);
    EXPECT_EQ(Outline().second, 1u);
    EXPECT_EQ(Outline().first.pen.width, 2);
}
