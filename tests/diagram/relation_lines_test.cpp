// Relationship lines: building the pairs from foreign keys, choosing sides,
// spreading the ends, routing, marks and line styles, self-references and
// the internal-error messages.
#include <algorithm>

#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/relation_lines.h"
#include "diagram_fixture.h"

using namespace tabulorix;

using namespace diagram_test;
using R = MGShapeRelation;
using tabulorix::PenStyle;

namespace {

class Relations : public DiagramTest {
protected:
    // A parent DEPT (key number 7) and a child EMP referencing it.
    MGShapeTable& Parent(const Rect& at, const std::string& owner = "SCOTT") {
        auto dept = Table(owner, "DEPT", {{"DEPTNO"}, {"DNAME"}});
        AddPrimaryKey(*dept, "PK_DEPT", 7, {"DEPTNO"});
        return Place(std::move(dept), at);
    }
    MGShapeTable& Child(const Rect& at, bool nullable = false, const std::string& rule = "NO ACTION") {
        auto emp = Table("SCOTT", "EMP", {{"EMPNO"}, {"DEPTNO", nullable}});
        AddForeignKey(*emp, "FK_EMP_DEPT", "SCOTT", 7, {"DEPTNO"}, rule);
        return Place(std::move(emp), at);
    }

    void Build() {
        MarkKeys(diagram);
        BuildRelations(diagram);
    }

    MGShapeRelation& Forward(int pair = 0) { return *diagram.RelationItem(2 * pair); }

    // Draws the forward relations as the paint does and returns the calls.
    std::vector<CanvasCall> DrawLines(int flags = 0x100) {
        SpreadAttachments(diagram);
        paintBox.canvas.Clear();
        for (int i = 0; i < diagram.RelationCount(); ++i) {
            MGShapeRelation* relation = diagram.RelationItem(i);
            if (relation->TwinFlag() != 0) continue;
            relation->SetDisplayFlags(flags);
            relation->Draw(2, box);
        }
        return Drawing();
    }

    // The polyline of the drawing calls (MoveTo then LineTo points), world units.
    std::vector<std::vector<int>> Polyline(const std::vector<CanvasCall>& calls) {
        std::vector<std::vector<int>> points;
        for (const CanvasCall& call : calls) {
            if (call.op == "MoveTo" || call.op == "LineTo") points.push_back(call.ints);
        }
        return points;
    }

    std::vector<int> P(int x, int y) { return {box.MapX(x), box.MapY(y)}; }
    std::vector<int> Box4(const Rect& world) {
        const Rect d = Mapped(world);
        return {d.left, d.top, d.right, d.bottom};
    }
};

}  // namespace

TEST(RelationSides, QuadrantsDiagonalsAndEqualCentres) {
    constexpr int T = R::kSideTop, B = R::kSideBottom, L = R::kSideLeft, Rt = R::kSideRight;
    const struct {
        int dx, dy, child, parent;
    } cases[] = {
        {-10, -20, T, B},  {-20, -10, L, Rt}, {-10, 20, B, T},  {-20, 10, L, Rt},  // the four quadrants,
        {10, -20, T, B},   {20, -10, Rt, L},  {10, 20, B, T},   {20, 10, Rt, L},   // steep and flat
        {-10, -10, L, Rt}, {-10, 10, L, Rt},  {10, -10, Rt, L}, {10, 10, Rt, L},   // |dx| = |dy|: left/right
        {0, 5, B, T},      {0, -5, T, B},     {0, 0, Rt, L},  // straight below, above, equal centres
    };
    for (const auto& c : cases) {
        const MGSidePair sides = ChooseSides(c.dx, c.dy);
        EXPECT_EQ(sides.child, c.child) << c.dx << "," << c.dy;
        EXPECT_EQ(sides.parent, c.parent) << c.dx << "," << c.dy;
    }
}

TEST_F(Relations, BuildMakesOnePairPerForeignKeyWithNameAndFlags) {
    MGShapeTable& dept = Parent({300, 50, 400, 130});
    MGShapeTable& emp = Child({50, 50, 150, 130}, false, "CASCADE");
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    MGShapeRelation& forward = Forward();
    MGShapeRelation& twin = *diagram.RelationItem(1);
    // Twin flag, number, own and other box, name, cascade.
    const auto fields = [](const MGShapeRelation& r) {
        return std::tuple{r.TwinFlag(),  r.RelationNumber(), r.OwnBox(),
                          r.OtherBox(), r.RelationName(),   r.Cascade()};
    };
    EXPECT_EQ(fields(forward), std::tuple(0, 1, &emp, &dept, std::string("FK_EMP_DEPT"), true));
    EXPECT_EQ(fields(twin), std::tuple(1, 1, &dept, &emp, std::string(), false));
    EXPECT_FALSE(forward.DashedLine());
    EXPECT_EQ(diagram.FindTwin(forward), &twin);
    EXPECT_EQ(diagram.FindTwin(twin), &forward);
    EXPECT_TRUE(ports.messages.empty());
}

TEST_F(Relations, ForeignKeysMatchByOwnerAndKeyNumberOfANamedKey) {
    Parent({300, 50, 400, 130}, "HR");  // the same key number in another owner
    auto other = Table("SCOTT", "DEPT2", {{"DEPTNO"}});
    AddPrimaryKey(*other, "PK_DEPT2", 8, {"DEPTNO"});
    AddPrimaryKey(*other, "", 9, {"DEPTNO"});  // keys without name or number are skipped
    AddPrimaryKey(*other, "PK_X", -1, {"DEPTNO"});
    Place(std::move(other), {500, 50, 600, 130});
    MGShapeTable& emp = Child({50, 50, 150, 130});  // references SCOTT's key 7: nothing in SCOTT has it
    AddForeignKey(emp, "FK_A", "SCOTT", 9, {"DEPTNO"});
    AddForeignKey(emp, "FK_B", "SCOTT", -1, {"DEPTNO"});
    Build();
    EXPECT_EQ(diagram.RelationCount(), 0);
}

TEST_F(Relations, PairsFollowParentKeyAndChildOrderAndRebuildingStartsAfresh) {
    MGShapeTable& dept = Parent({300, 50, 400, 130});
    AddUnique(dept, "UK_DEPT", 9, {"DNAME"});
    MGShapeTable& emp = Child({50, 50, 150, 130});
    AddForeignKey(emp, "FK_EMP_DNAME", "SCOTT", 9, {"DEPTNO"});
    auto proj = Table("SCOTT", "PROJ", {{"DEPTNO"}});
    AddForeignKey(*proj, "FK_PROJ_DEPT", "SCOTT", 7, {"DEPTNO"});
    Place(std::move(proj), {50, 300, 150, 380});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 6);
    // Primary key first (EMP, then PROJ in list order), then the unique key.
    EXPECT_EQ(Forward(0).RelationName(), "FK_EMP_DEPT");
    EXPECT_EQ(Forward(1).RelationName(), "FK_PROJ_DEPT");
    EXPECT_EQ(Forward(2).RelationName(), "FK_EMP_DNAME");
    EXPECT_EQ(Forward(2).RelationNumber(), 3);
    BuildRelations(diagram);
    EXPECT_EQ(diagram.RelationCount(), 6);
    EXPECT_EQ(Forward(0).RelationNumber(), 1);
}

TEST_F(Relations, AMissingForeignKeyColumnIsReportedAndCountsAsNotNull) {
    Parent({300, 50, 400, 130});
    auto emp = Table("SCOTT", "EMP", {{"DEPTNO", true}});
    AddForeignKey(*emp, "FK_EMP_DEPT", "SCOTT", 7, {"GONE"});
    Place(std::move(emp), {50, 50, 150, 130});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    EXPECT_FALSE(Forward().DashedLine());
    EXPECT_EQ(ports.messages, std::vector<std::string>{"SYSTEM ERROR: cannot search field !"});
}

TEST_F(Relations, AMissingTwinIsReported) {
    MGShapeRelation lonely;
    lonely.SetRelationNumber(42);
    EXPECT_EQ(diagram.FindTwin(lonely), nullptr);
    EXPECT_EQ(ports.messages, std::vector<std::string>{"SYSTEM ERROR peer relation"});
}

TEST_F(Relations, SideBySideBoxesGetAStraightLineWithMarks) {
    Parent({300, 50, 400, 130});
    Child({50, 50, 150, 130}, false, "CASCADE");
    Build();
    const auto calls = DrawLines();
    // One end in the middle of each facing side: 80 / 2 = 40.
    EXPECT_EQ(Forward().Side(), R::kSideRight);
    EXPECT_EQ(diagram.RelationItem(1)->Side(), R::kSideLeft);
    EXPECT_EQ(Forward().Position(), (Rect{150, 90, 300, 90}));
    EXPECT_EQ(Polyline(calls), (std::vector<std::vector<int>>{P(150, 90), P(300, 90)}));
    const auto dots = Calls("Ellipse");
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].ints, Box4({150, 86, 158, 94}));
    EXPECT_EQ(dots[0].brush.color, tabulorix::kBlack);
    const auto squares = Calls("Polygon");
    ASSERT_EQ(squares.size(), 1u);
    const Rect s = Mapped({292, 86, 300, 94});
    EXPECT_EQ(squares[0].ints, Ints({s.left, s.top, s.left, s.bottom, s.right, s.bottom, s.right, s.top}));
    EXPECT_EQ(squares[0].brush.color, tabulorix::kWhite);
}

TEST_F(Relations, TwoForeignKeysToTheSameParentSpreadAtThirds) {
    MGShapeTable& dept = Parent({300, 50, 400, 140});
    MGShapeTable& emp = Child({50, 50, 150, 140});
    AddForeignKey(emp, "FK_EMP_DEPT2", "SCOTT", 7, {"DEPTNO"});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 4);
    SpreadAttachments(diagram);
    EXPECT_EQ(emp.SideCount(R::kSideRight), 2);
    EXPECT_EQ(dept.SideCount(R::kSideLeft), 2);
    // Height 90: points at 30 and 60 below the top on both sides.
    std::vector<int> childYs{Forward(0).Position().top, Forward(1).Position().top};
    std::vector<int> parentYs{Forward(0).Position().bottom, Forward(1).Position().bottom};
    std::sort(childYs.begin(), childYs.end());
    std::sort(parentYs.begin(), parentYs.end());
    EXPECT_EQ(childYs, Ints({80, 110}));
    EXPECT_EQ(parentYs, Ints({80, 110}));
    EXPECT_EQ(Forward(0).Position().left, 150);
    EXPECT_EQ(Forward(1).Position().right, 300);
}

TEST_F(Relations, EndsOnASideAreOrderedByTheOtherBoxesCentres) {
    MGShapeTable& dept = Parent({50, 300, 650, 380});
    // Two children above the parent: right one first in the list.
    auto right = Table("SCOTT", "R", {{"DEPTNO"}});
    AddForeignKey(*right, "FK_R", "SCOTT", 7, {"DEPTNO"});
    Place(std::move(right), {500, 50, 600, 130});
    auto left = Table("SCOTT", "L", {{"DEPTNO"}});
    AddForeignKey(*left, "FK_L", "SCOTT", 7, {"DEPTNO"});
    Place(std::move(left), {100, 50, 200, 130});
    Build();
    SpreadAttachments(diagram);
    EXPECT_EQ(dept.SideCount(R::kSideTop), 2);
    // Width 600, step 200: the left child's line takes x = 250, the right's 450.
    EXPECT_EQ(Forward(0).RelationName(), "FK_R");
    EXPECT_EQ(Forward(0).Position().right, 450);
    EXPECT_EQ(Forward(1).Position().right, 250);
    EXPECT_EQ(Forward(0).Position().bottom, 300);
}

TEST_F(Relations, DiagonalAndVerticalNeighboursGetTheirRoutes) {
    // Diagonal: dx = 350, dy = 250, child right (150, 90), parent left (400,
    // 340), the elbow at the midpoint. Straight below: bottom to top.
    Parent({400, 300, 500, 380});
    Child({50, 50, 150, 130});
    Build();
    EXPECT_EQ(Polyline(DrawLines()),
              (std::vector<std::vector<int>>{P(150, 90), P(275, 90), P(275, 340), P(400, 340)}));
    diagram.FindBox("SCOTT", "DEPT")->SetPosition({50, 300, 150, 380});
    Build();
    const auto calls = DrawLines();
    EXPECT_EQ(Forward().Side(), R::kSideBottom);
    EXPECT_EQ(Polyline(calls), (std::vector<std::vector<int>>{P(100, 130), P(100, 300)}));
    // Dot below the child's bottom edge, no square without cascade.
    EXPECT_EQ(Calls("Ellipse")[0].ints, Box4({96, 130, 104, 138}));
    EXPECT_TRUE(Calls("Polygon").empty());
}

TEST_F(Relations, ASelfReferenceDrawsACircleAroundTheBottomRightCorner) {
    auto emp = Table("SCOTT", "EMP", {{"EMPNO"}, {"MGR", true}});
    AddPrimaryKey(*emp, "PK_EMP", 3, {"EMPNO"});
    AddForeignKey(*emp, "FK_EMP_MGR", "SCOTT", 3, {"MGR"}, "CASCADE");
    MGShapeTable& shape = Place(std::move(emp), {50, 50, 150, 130});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    const auto calls = DrawLines(0x102);
    EXPECT_EQ(Forward().Side(), R::kSideNone);
    EXPECT_EQ(shape.SideCount(R::kSideRight), 0);
    const auto ellipses = Calls("Ellipse");
    ASSERT_EQ(ellipses.size(), 2u);
    // R = 3 × 20 / 2 = 30 around (150, 130); the circle is dotted (nullable).
    EXPECT_EQ(ellipses[0].ints, Box4({120, 100, 180, 160}));
    EXPECT_EQ(ellipses[0].pen.style, PenStyle::Dot);
    EXPECT_EQ(ellipses[0].brush.style, tabulorix::BrushStyle::Clear);
    EXPECT_EQ(ellipses[1].ints, Box4({116, 130, 124, 138}));
    const auto squares = Calls("Polygon");
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(squares[0].ints[0], box.MapX(150));
    EXPECT_EQ(squares[0].ints[1], box.MapY(130 - 30 - 4));
    // Name to the right of the circle: (X + R + th / 2, Y), th = 12.
    const auto texts = Calls("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "FK_EMP_MGR");
    EXPECT_EQ(texts[0].ints, P(150 + 30 + 6, 130));
}

TEST_F(Relations, NotNullLinesAreSolidAndRoundTheChildNullableOnesAreDotted) {
    for (const bool nullable : {false, true}) {
        SCOPED_TRACE(nullable);
        diagram.Clear();
        Parent({300, 50, 400, 130});
        MGShapeTable& emp = Child({50, 50, 150, 130}, nullable);
        Build();
        EXPECT_EQ(Forward().DashedLine(), nullable);
        DrawLines();
        const auto lines = Calls("LineTo");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0].pen.style, nullable ? PenStyle::Dot : PenStyle::Solid);
        EXPECT_EQ(emp.Rounded(), !nullable);
    }
}

TEST_F(Relations, NamesAreDrawnOnlyWithTheRelationNameFlag) {
    Parent({300, 50, 400, 130});
    Child({50, 50, 150, 130});
    Build();
    DrawLines(0x100);
    EXPECT_TRUE(Calls("TextOut").empty());
    DrawLines(0x102);
    const auto texts = Calls("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    // Straight line at y = 90: (mx − tw/2, y − th − 4) with tw = 11 × 6, th = 12.
    EXPECT_EQ(texts[0].ints, P(225 - 33, 90 - 12 - 4));
}

TEST_F(Relations, AHiddenParentDrawsNothing) {
    MGShapeTable& dept = Parent({300, 50, 400, 130});
    MGShapeTable& emp = Child({50, 50, 150, 130});
    dept.SetDetailed(false);
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    EXPECT_TRUE(DrawLines().empty());
    EXPECT_EQ(emp.RelationCounter(), 0);
    EXPECT_FALSE(emp.Rounded());
}
