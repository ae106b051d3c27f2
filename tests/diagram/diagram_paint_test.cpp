// The diagram paint: the order of its passes on the recording canvas, and
// painting only what meets the repainted area giving the same pixels there
// as painting everything.
#include <QImage>
#include <algorithm>
#include <optional>

#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/relation_lines.h"
#include "diagram_fixture.h"
#include "image_paint_box.h"

using namespace tabulorix;

using namespace diagram_test;

namespace {

// A small diagram: DEPT, EMP referencing DEPT and itself, PROJ referencing
// EMP with cascade, a view and the legend, laid out automatically.
void BuildSample(MGDrawTableList& diagram, ZMGDrawBox& box, int flags) {
    auto dept = Table("SCOTT", "DEPT", {{"DEPTNO"}, {"DNAME"}, {"LOC"}});
    AddPrimaryKey(*dept, "PK_DEPT", 1, {"DEPTNO"});
    AddIndex(*dept, "IX_LOC", false, {"LOC"});
    diagram.AddBox(std::move(dept));
    auto emp = Table("SCOTT", "EMP", {{"EMPNO"}, {"ENAME"}, {"MGR", true}, {"DEPTNO"}});
    AddPrimaryKey(*emp, "PK_EMP", 2, {"EMPNO"});
    AddForeignKey(*emp, "FK_EMP_DEPT", "SCOTT", 1, {"DEPTNO"});
    AddForeignKey(*emp, "FK_EMP_MGR", "SCOTT", 2, {"MGR"});
    diagram.AddBox(std::move(emp));
    auto proj = Table("SCOTT", "PROJ", {{"PROJNO"}, {"EMPNO", true}});
    AddPrimaryKey(*proj, "PK_PROJ", 3, {"PROJNO"});
    AddForeignKey(*proj, "FK_PROJ_EMP", "SCOTT", 2, {"EMPNO"}, "CASCADE");
    diagram.AddBox(std::move(proj));
    auto view = std::make_unique<MGShapeView>(1, "SCOTT", "V_EMP", "V_EMP", "", "select * from emp");
    AddColumns(*view, {{"EMPNO"}, {"ENAME"}});
    diagram.AddBox(std::move(view));
    MGBuildSettings settings;
    settings.displayFlags = flags;
    BuildDiagramAfterReading(diagram, box, 1, settings);
    BuildRelations(diagram);
}

// The relation counters of the boxes by name.
std::vector<int> Counters(MGDrawTableList& diagram, std::initializer_list<const char*> names) {
    std::vector<int> counters;
    for (const char* name : names) counters.push_back(diagram.FindBox("SCOTT", name)->RelationCounter());
    return counters;
}

}  // namespace

class DiagramPaint : public DiagramTest {};

TEST_F(DiagramPaint, PassesComeInTheirOrderAndARepaintedAreaKeepsTheCounters) {
    BuildSample(diagram, box, 0x108);
    paintBox.canvas.Clear();
    PaintDiagram(diagram, box, MGPaintRequest{0x108, 2, 0, 0, std::nullopt});
    const auto& calls = paintBox.canvas.calls;
    const auto outline = [](const CanvasCall& c, tabulorix::Color brush) {
        return (c.op == "Rectangle" || c.op == "RoundRect") && c.brush.color == brush;
    };
    // The paper cleared, the page frames, the shadows, the relation lines'
    // dots, the first white box outline after them (the legend, which casts
    // no shadow, is drawn as itself in the shadow pass too), the page number.
    std::vector<std::size_t> at;
    const auto next = [&](std::function<bool(const CanvasCall&)> test, bool afterLast = false) {
        const auto from = calls.begin() + static_cast<std::ptrdiff_t>(afterLast ? at.back() : 0);
        at.push_back(static_cast<std::size_t>(std::find_if(from, calls.end(), test) - calls.begin()));
    };
    next([](const CanvasCall& c) { return c.op == "FillRect"; });
    next([](const CanvasCall& c) { return c.op == "LineTo" && c.pen.color == tabulorix::kLightGrey; });
    next([&](const CanvasCall& c) { return outline(c, tabulorix::kLightGrey); });
    next([](const CanvasCall& c) {
        return c.op == "Ellipse" && c.brush.color == tabulorix::kBlack &&
               c.pen.style == tabulorix::PenStyle::Solid;
    });
    next([&](const CanvasCall& c) { return outline(c, tabulorix::kWhite); }, true);
    next([](const CanvasCall& c) { return c.text == "- 1 -"; });
    EXPECT_EQ(std::adjacent_find(at.begin(), at.end(), std::greater_equal<>()), at.end());
    ASSERT_LT(at.back(), calls.size());
    // No shadow is drawn after the first relation.
    EXPECT_TRUE(std::none_of(
        calls.begin() + static_cast<std::ptrdiff_t>(at[3]), calls.end(),
        [](const CanvasCall& c) { return c.op == "Rectangle" && c.brush.color == tabulorix::kLightGrey; }));
    // The relation counters tell how many lines reach each box: EMP from
    // DEPT, itself twice and PROJ.
    EXPECT_EQ(Counters(diagram, {"EMP", "DEPT", "V_EMP"}), (std::vector<int>{4, 1, 0}));

    // A small repainted area skips what lies outside but keeps the counters.
    const std::size_t everything = paintBox.canvas.Drawing().size();
    const Rect dept = Mapped(diagram.FindBox("SCOTT", "DEPT")->Position());
    paintBox.canvas.Clear();
    PaintDiagram(diagram, box,
                 MGPaintRequest{0x108, 2, 0, 0, Rect{dept.left, dept.top, dept.left + 5, dept.top + 5}});
    EXPECT_LT(paintBox.canvas.Drawing().size(), everything);
    EXPECT_EQ(Counters(diagram, {"EMP"}), std::vector<int>{4});
}

namespace {

// Two diagrams built alike over 1000 × 1000 images at zoom 100: one is
// painted whole, the other only in repainted areas, and the pixels inside
// each area must be the same.
class PixelPair : public ::testing::Test {
protected:
    void Build(int flags, int printerPixels = 6250) {
        printer.pageWidth = printer.pageHeight = printerPixels;
        flags_ = flags;
        for (auto [diagram, box] : {std::pair{&fullDiagram, &fullBox}, std::pair{&partDiagram, &partBox}}) {
            box->SetZoom(100, 1);
            BuildSample(*diagram, *box, flags);
        }
    }
    void PaintFull(int pageNumberForm = 0) {
        PaintDiagram(fullDiagram, fullBox, MGPaintRequest{flags_, 2, 0, pageNumberForm, std::nullopt});
    }
    // Pixels of the area where the test of the full and the partial paint's pixel holds.
    template <typename Test>
    int Count(const Rect& area, Test test) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += test(full.Image().pixel(x, y), part.Image().pixel(x, y)) ? 1 : 0;
        return count;
    }
    // Paints the area on the partial side and compares it with the full paint.
    void ExpectSameIn(const Rect& area, int pageNumberForm = 0) {
        PaintDiagram(partDiagram, partBox, MGPaintRequest{flags_, 2, 0, pageNumberForm, area});
        EXPECT_EQ(Count(area, std::not_equal_to<>()), 0)
            << area.left << "," << area.top << "," << area.right << "," << area.bottom;
    }
    // Pixels of the full paint in the area darker than the limit.
    int DarkPixels(const Rect& area, int limit) const {
        return Count(area, [limit](QRgb pixel, QRgb) { return qGray(pixel) < limit; });
    }

    // The same change made to both diagrams.
    template <typename Change>
    void Both(Change change) {
        for (MGDrawTableList* diagram : {&fullDiagram, &partDiagram}) change(*diagram);
    }

    tabulorix::testing::RecordingPorts ports;
    tabulorix::testing::RecordingPrinter printer{6250, 6250, 600};
    tabulorix::testing::RecordingScrollBar hBar;
    tabulorix::testing::RecordingScrollBar vBar;
    tabulorix::testing::RecordingClipboard clipboard;
    ImagePaintBox full{1000, 1000};
    ImagePaintBox part{1000, 1000};
    ZMGDrawBox fullBox{full, printer, hBar, vBar, clipboard};
    ZMGDrawBox partBox{part, printer, hBar, vBar, clipboard};
    MGDrawTableList fullDiagram{&fullBox};
    MGDrawTableList partDiagram{&partBox};
    int flags_ = 0;
};

}  // namespace

TEST_F(PixelPair, PaintingARepaintedAreaGivesTheSamePixelsThere) {
    Build(0x62A);
    PaintFull();
    // Areas across box edges, shadows, lines, marks and empty paper.
    for (const Rect& area : {Rect{0, 0, 1000, 1000}, Rect{40, 40, 120, 90}, Rect{150, 60, 420, 75},
                             Rect{300, 100, 700, 300}, Rect{45, 45, 47, 400}, Rect{600, 600, 900, 900}})
        ExpectSameIn(area);
    // The sample leaves marks on the paper, so the comparison compared something.
    EXPECT_GT(DarkPixels({0, 0, 1000, 400}, 64), 500);
    // Strips holding only the shadow below and right of DEPT, half a line
    // away: the box is drawn for them, at every zoom.
    for (const int zoom : {100, 200}) {
        SCOPED_TRACE(zoom);
        for (ZMGDrawBox* b : {&fullBox, &partBox}) b->SetZoom(zoom, 1);
        PaintFull();
        const Rect d = fullBox.MapRect(fullDiagram.FindBox("SCOTT", "DEPT")->Position());
        const int s = kLine / 2 * zoom / 100;
        for (const Rect& shadow : {Rect{d.left + 15, d.bottom + s - 1, d.right + 5, d.bottom + s},
                                   Rect{d.right + s - 1, d.top + 15, d.right + s, d.bottom + 5}}) {
            EXPECT_GT(DarkPixels(shadow, 250), 0);
            ExpectSameIn(shadow);
        }
    }
}

// Between paints the line ends, the line accounting and the grids of what
// meets an area are kept; moving, resizing or hiding a box must give the
// same pixels and counters as painting everything afresh.
TEST_F(PixelPair, KeptPaintStateFollowsMovedAndHiddenBoxes) {
    Build(0x628);  // relation names off: the line grid is used
    auto compare = [&](const char* step) {
        SCOPED_TRACE(step);
        for (const Rect& area : {Rect{40, 40, 420, 300}, Rect{300, 100, 700, 300}, Rect{0, 0, 1000, 1000}}) {
            // The reference keeps nothing: its relations are built again, so
            // its paint spreads and accounts afresh, and it draws everything.
            BuildRelations(fullDiagram);
            PaintFull();
            ExpectSameIn(area);
        }
        const auto state = [](const MGShapeTable* b) {
            return std::tuple(b->RelationCounter(), b->Rounded(), b->DisplayFlags());
        };
        for (int i = 0; i < fullDiagram.Count(); ++i)
            EXPECT_EQ(state(fullDiagram.Item(i)), state(partDiagram.Item(i))) << i;
        for (int i = 0; i < fullDiagram.RelationCount(); ++i)
            EXPECT_EQ(fullDiagram.RelationItem(i)->Position(), partDiagram.RelationItem(i)->Position()) << i;
    };
    compare("as laid out");
    Both([](MGDrawTableList& d) {
        Rect& dept = d.FindBox("SCOTT", "DEPT")->MutablePosition();
        dept = Rect{dept.left + 260, dept.top + 120, dept.right + 260, dept.bottom + 120};
    });
    compare("DEPT moved");
    Both([](MGDrawTableList& d) { d.FindBox("SCOTT", "PROJ")->Collapse(); });
    compare("PROJ measured anew");
    Both([](MGDrawTableList& d) { d.FindBox("SCOTT", "EMP")->SetDetailed(false); });
    compare("EMP hidden");
    EXPECT_EQ(partDiagram.FindBox("SCOTT", "EMP")->RelationCounter(), 0);
    Both([](MGDrawTableList& d) { BuildRelations(d); });
    compare("relations built again");
    // Changes the paint sees only through the boxes' own setters: a size
    // due again after a new column, rounded corners, other display flags.
    Both([](MGDrawTableList& d) {
        AddColumns(*d.FindBox("SCOTT", "PROJ"), {{"A_MUCH_LONGER_COLUMN_NAME"}});
        d.FindBox("SCOTT", "PROJ")->SetSizeDirty(1);
    });
    compare("PROJ given a column");
    EXPECT_GT(partDiagram.FindBox("SCOTT", "PROJ")->Position().right,
              partDiagram.FindBox("SCOTT", "PROJ")->Position().left + 200);
    Both([](MGDrawTableList& d) { d.FindBox("SCOTT", "DEPT")->SetRounded(true); });
    compare("DEPT rounded");
    flags_ &= ~MGShapeRect::kFlagShadow;
    compare("shadows off");
}

// Every paint leaves every box measured and carrying the paint's flags, also
// a box far from the repainted area that was changed after earlier paints.
TEST_F(PixelPair, APaintOfASmallAreaStillMeasuresAndFlagsEveryChangedBox) {
    Build(0x628);
    auto note = std::make_unique<MGShapeText>("note", "IPAPGothic", 9, 0);
    note->SetPosition(Rect{800, 800, 800, 800});
    note->SetState(MGShapeRect::kStateNormal);
    MGShapeText& text = dynamic_cast<MGShapeText&>(partDiagram.AddBox(std::move(note)));
    const Rect corner{0, 0, 5, 5};
    for (int i = 0; i < 3; ++i) PaintDiagram(partDiagram, partBox, MGPaintRequest{flags_, 2, 0, 0, corner});
    // A free text measures itself on every paint.
    const int textWidth = text.Position().right - text.Position().left;
    EXPECT_GT(textWidth, 0);
    text.SetText("a much longer note than the first");
    PaintDiagram(partDiagram, partBox, MGPaintRequest{flags_, 2, 0, 0, corner});
    EXPECT_GT(text.Position().right - text.Position().left, textWidth);
    MGShapeTable& proj = *partDiagram.FindBox("SCOTT", "PROJ");
    const int width = proj.Position().right - proj.Position().left;
    AddColumns(proj, {{"A_MUCH_LONGER_COLUMN_NAME_THAN_BEFORE"}});
    proj.SetSizeDirty(1);
    partDiagram.FindBox("SCOTT", "EMP")->SetDisplayFlags(0);
    PaintDiagram(partDiagram, partBox, MGPaintRequest{flags_, 2, 0, 0, corner});
    EXPECT_GT(proj.Position().right - proj.Position().left, width);
    EXPECT_EQ(std::pair(proj.SizeDirty(), partDiagram.FindBox("SCOTT", "EMP")->DisplayFlags()),
              std::pair(0, flags_));
}

// A grid of small pages: a repainted area draws the frames and numbers of
// the pages it meets only, and shows the same pixels as a full paint.
TEST_F(PixelPair, PageFramesAndNumbersInARepaintedAreaMatchTheFullPaint) {
    Build(0x628, 1875);  // 300 × 300 world units
    for (ZMGDrawBox* box : {&fullBox, &partBox}) {
        box->SetPageCount(3, 3);
        box->SetZoom(100, 1);  // world (0, 0) at the top-left of the view
    }
    ASSERT_EQ(fullBox.PaperW(), 300);
    for (const int pageNumberForm : {0, 1}) {
        SCOPED_TRACE(pageNumberForm);
        PaintFull(pageNumberForm);
        // Page corners, the numbers at the bottom right of pages 1, 5 and 9,
        // a strip across every page and empty paper beyond the grid.
        for (const Rect& area :
             {Rect{290, 290, 310, 310}, Rect{200, 270, 250, 290}, Rect{500, 570, 610, 610},
              Rect{800, 870, 850, 890}, Rect{0, 450, 1000, 460}, Rect{905, 905, 1000, 1000}})
            ExpectSameIn(area, pageNumberForm);
        // The compared areas held frames and numbers.
        EXPECT_GT(DarkPixels({500, 570, 610, 610}, 100), 5);
        EXPECT_GT(
            Count({500, 570, 610, 610}, [](QRgb pixel, QRgb) { return pixel == qRgb(0xC0, 0xC0, 0xC0); }),
            20);
    }
}
