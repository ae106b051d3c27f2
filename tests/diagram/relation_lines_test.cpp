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
using Points = std::vector<std::vector<int>>;

namespace {

class Relations : public DiagramTest {
protected:
    // A parent DEPT (key number 7) and children referencing it.
    MGShapeTable& Parent(const Rect& at, const std::string& owner = "SCOTT") {
        auto dept = Table(owner, "DEPT", {{"DEPTNO"}, {"DNAME"}});
        AddPrimaryKey(*dept, "PK_DEPT", 7, {"DEPTNO"});
        return Place(std::move(dept), at);
    }
    MGShapeTable& Child(const Rect& at, bool nullable = false, const std::string& rule = "NO ACTION",
                        const std::string& name = "EMP", const std::string& key = "FK_EMP_DEPT") {
        auto emp = Table("SCOTT", name, {{"EMPNO"}, {"DEPTNO", nullable}});
        AddForeignKey(*emp, key, "SCOTT", 7, {"DEPTNO"}, rule);
        return Place(std::move(emp), at);
    }

    void Build() {
        MarkKeys(diagram);
        BuildRelations(diagram);
    }

    MGShapeRelation& Forward(int pair = 0) { return *diagram.RelationItem(2 * pair); }

    // Draws the forward relations as the paint does and returns the points
    // of the MoveTo and LineTo calls.
    Points DrawLines(int flags = 0x100) {
        SpreadAttachments(diagram);
        paintBox.canvas.Clear();
        for (int i = 0; i < diagram.RelationCount(); ++i) {
            MGShapeRelation* relation = diagram.RelationItem(i);
            if (relation->TwinFlag() != 0) continue;
            relation->SetDisplayFlags(flags);
            relation->Draw(2, box);
        }
        Points points;
        for (const CanvasCall& call : Drawing())
            if (call.op == "MoveTo" || call.op == "LineTo") points.push_back(call.ints);
        return points;
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
        EXPECT_EQ(std::pair(sides.child, sides.parent), std::pair(c.child, c.parent)) << c.dx << "," << c.dy;
    }
}

TEST_F(Relations, BuildMakesOnePairPerForeignKeyWithNameAndFlags) {
    MGShapeTable& dept = Parent({300, 50, 400, 130});
    MGShapeTable& emp = Child({50, 50, 150, 130}, false, "CASCADE");
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    MGShapeRelation& forward = Forward();
    MGShapeRelation& twin = *diagram.RelationItem(1);
    // Twin flag, number, own and other box, name, cascade, dashed.
    const auto fields = [](const MGShapeRelation& r) {
        return std::tuple{r.TwinFlag(),     r.RelationNumber(), r.OwnBox(),    r.OtherBox(),
                          r.RelationName(), r.Cascade(),        r.DashedLine()};
    };
    EXPECT_EQ(fields(forward), std::tuple(0, 1, &emp, &dept, std::string("FK_EMP_DEPT"), true, false));
    EXPECT_EQ(fields(twin), std::tuple(1, 1, &dept, &emp, std::string(), false, false));
    EXPECT_EQ(std::pair(diagram.FindTwin(forward), diagram.FindTwin(twin)), std::pair(&twin, &forward));
    EXPECT_TRUE(ports.messages.empty());
    // A relation without a twin is reported.
    MGShapeRelation lonely;
    lonely.SetRelationNumber(42);
    EXPECT_EQ(diagram.FindTwin(lonely), nullptr);
    EXPECT_EQ(ports.messages, std::vector<std::string>{"SYSTEM ERROR peer relation"});
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
    Child({50, 300, 150, 380}, false, "NO ACTION", "PROJ", "FK_PROJ_DEPT");
    for (int build = 0; build < 2; ++build) {
        Build();
        ASSERT_EQ(diagram.RelationCount(), 6);
        // Primary key first (EMP, then PROJ in list order), then the unique key.
        EXPECT_EQ(std::tuple(Forward(0).RelationName(), Forward(1).RelationName(), Forward(2).RelationName(),
                             Forward(0).RelationNumber(), Forward(2).RelationNumber()),
                  std::tuple("FK_EMP_DEPT", "FK_PROJ_DEPT", "FK_EMP_DNAME", 1, 3));
    }
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

TEST_F(Relations, SideBySideBoxesGetAStraightLineWithMarks) {
    Parent({300, 50, 400, 130});
    Child({50, 50, 150, 130}, false, "CASCADE");
    Build();
    // One end in the middle of each facing side: 80 / 2 = 40.
    EXPECT_EQ(DrawLines(), (Points{P(150, 90), P(300, 90)}));
    EXPECT_EQ(std::pair(Forward().Side(), diagram.RelationItem(1)->Side()),
              std::pair(R::kSideRight, R::kSideLeft));
    EXPECT_EQ(Forward().Position(), (Rect{150, 90, 300, 90}));
    const auto dots = Calls("Ellipse");
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].ints, Dev({150, 86, 158, 94}));
    EXPECT_EQ(dots[0].brush.color, tabulorix::kBlack);
    const auto squares = Calls("Polygon");
    ASSERT_EQ(squares.size(), 1u);
    const Rect s = Mapped({292, 86, 300, 94});
    EXPECT_EQ(squares[0].ints, Ints({s.left, s.top, s.left, s.bottom, s.right, s.bottom, s.right, s.top}));
    EXPECT_EQ(squares[0].brush.color, tabulorix::kWhite);
}

TEST_F(Relations, EndsOnASideSpreadEvenlyInTheOrderOfTheOtherBoxesCentres) {
    // Two foreign keys between boxes 90 high: points at 30 and 60 below the top.
    MGShapeTable& dept = Parent({300, 50, 400, 140});
    MGShapeTable& emp = Child({50, 50, 150, 140});
    AddForeignKey(emp, "FK_EMP_DEPT2", "SCOTT", 7, {"DEPTNO"});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 4);
    SpreadAttachments(diagram);
    EXPECT_EQ(std::pair(emp.SideCount(R::kSideRight), dept.SideCount(R::kSideLeft)), std::pair(2, 2));
    const Rect a = Forward(0).Position(), b = Forward(1).Position();
    EXPECT_EQ(std::minmax(a.top, b.top), std::minmax(80, 110));
    EXPECT_EQ(std::minmax(a.bottom, b.bottom), std::minmax(80, 110));
    EXPECT_EQ(std::pair(a.left, b.right), std::pair(150, 300));

    // Two children above a parent 600 wide, the right one first in the list:
    // step 200, the left child's line takes x = 250, the right's 450.
    diagram.Clear();
    MGShapeTable& wide = Parent({50, 300, 650, 380});
    Child({500, 50, 600, 130}, false, "NO ACTION", "R", "FK_R");
    Child({100, 50, 200, 130}, false, "NO ACTION", "L", "FK_L");
    Build();
    SpreadAttachments(diagram);
    EXPECT_EQ(wide.SideCount(R::kSideTop), 2);
    EXPECT_EQ(Forward(0).RelationName(), "FK_R");
    EXPECT_EQ(
        std::tuple(Forward(0).Position().right, Forward(1).Position().right, Forward(0).Position().bottom),
        std::tuple(450, 250, 300));
}

TEST_F(Relations, DiagonalAndVerticalNeighboursGetTheirRoutes) {
    // Diagonal: dx = 350, dy = 250, child right (150, 90), parent left (400,
    // 340), the elbow at the midpoint. Straight below: bottom to top.
    Parent({400, 300, 500, 380});
    Child({50, 50, 150, 130});
    Build();
    EXPECT_EQ(DrawLines(), (Points{P(150, 90), P(275, 90), P(275, 340), P(400, 340)}));
    diagram.FindBox("SCOTT", "DEPT")->SetPosition({50, 300, 150, 380});
    Build();
    EXPECT_EQ(DrawLines(), (Points{P(100, 130), P(100, 300)}));
    EXPECT_EQ(Forward().Side(), R::kSideBottom);
    // Dot below the child's bottom edge, no square without cascade.
    EXPECT_EQ(Calls("Ellipse")[0].ints, Dev({96, 130, 104, 138}));
    EXPECT_TRUE(Calls("Polygon").empty());
}

TEST_F(Relations, ASelfReferenceDrawsACircleAroundTheBottomRightCorner) {
    auto emp = Table("SCOTT", "EMP", {{"EMPNO"}, {"MGR", true}});
    AddPrimaryKey(*emp, "PK_EMP", 3, {"EMPNO"});
    AddForeignKey(*emp, "FK_EMP_MGR", "SCOTT", 3, {"MGR"}, "CASCADE");
    MGShapeTable& shape = Place(std::move(emp), {50, 50, 150, 130});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    DrawLines(0x102);
    EXPECT_EQ(std::pair(Forward().Side(), shape.SideCount(R::kSideRight)), std::pair(R::kSideNone, 0));
    const auto ellipses = Calls("Ellipse");
    ASSERT_EQ(ellipses.size(), 2u);
    // R = 3 × 20 / 2 = 30 around (150, 130); the circle is dotted (nullable).
    EXPECT_EQ(ellipses[0].ints, Dev({120, 100, 180, 160}));
    EXPECT_EQ(std::pair(ellipses[0].pen.style, ellipses[0].brush.style),
              std::pair(PenStyle::Dot, tabulorix::BrushStyle::Clear));
    EXPECT_EQ(ellipses[1].ints, Dev({116, 130, 124, 138}));
    const auto squares = Calls("Polygon");
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_EQ(std::vector(squares[0].ints.begin(), squares[0].ints.begin() + 2), P(150, 130 - 30 - 4));
    // Name to the right of the circle: (X + R + th / 2, Y), th = 12.
    EXPECT_EQ(Calls("TextOut").size(), 1u);
    EXPECT_EQ(TextAt("FK_EMP_MGR"), P(150 + 30 + 6, 130));
}

TEST_F(Relations, LineStyleNameAndHiddenParent) {
    // Not-null lines are solid and round the child, nullable ones dotted.
    for (const bool nullable : {false, true}) {
        SCOPED_TRACE(nullable);
        diagram.Clear();
        Parent({300, 50, 400, 130});
        MGShapeTable& emp = Child({50, 50, 150, 130}, nullable);
        Build();
        EXPECT_EQ(Forward().DashedLine(), nullable);
        DrawLines();
        ASSERT_FALSE(Calls("LineTo").empty());
        EXPECT_EQ(Calls("LineTo")[0].pen.style, nullable ? PenStyle::Dot : PenStyle::Solid);
        EXPECT_EQ(emp.Rounded(), !nullable);
    }
    // Names only with the relation name flag: straight line at y = 90,
    // (mx − tw/2, y − th − 4) with tw = 11 × 6, th = 12.
    EXPECT_TRUE(Calls("TextOut").empty());
    DrawLines(0x102);
    EXPECT_EQ(Calls("TextOut").size(), 1u);
    EXPECT_EQ(TextAt("FK_EMP_DEPT"), P(225 - 33, 90 - 12 - 4));

    // A hidden parent draws nothing.
    diagram.Clear();
    Parent({300, 50, 400, 130}).SetDetailed(false);
    MGShapeTable& emp = Child({50, 50, 150, 130});
    Build();
    ASSERT_EQ(diagram.RelationCount(), 2);
    EXPECT_TRUE(DrawLines().empty());
    EXPECT_TRUE(Drawing().empty());
    EXPECT_EQ(std::pair(emp.RelationCounter(), emp.Rounded()), std::pair(0, false));
}
