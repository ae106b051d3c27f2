// The bundled three-owner sample read through the dictionary reader, built
// into a diagram, laid out and painted into a PNG (sample-diagram.png in the
// build directory) for a person to look at; the test checks what can be
// checked mechanically: every table has a box, no two boxes overlap, the
// lines, the self-references and the cascade are there and drawn.
#include <QImage>
#include <algorithm>

#include "diagram/settings.h"
#include "reading/reverse_driver.h"
#include "catalogue/schema.h"
#include "reading/schema_connect.h"
#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/relation_lines.h"
#include "diagram_fixture.h"
#include "image_paint_box.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;

using namespace diagram_test;

namespace {

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST(SampleDiagram, TheSampleReadsAsAnErDiagram) {
    tabulorix::testing::RecordingPorts ports;
    tabulorix::testing::TempDirectory dir;
    const std::string database =
        tabulorix::testing::CopyInto(dir, tabulorix::testing::SampleSnapshotPath(), "sample.sqlite");
    std::vector<std::unique_ptr<MGSchema>> schemas;
    for (const char* owner : {"SALES", "MST", "HR"}) {
        schemas.push_back(std::make_unique<MGSchema>());
        MGSchema& schema = *schemas.back();
        schema.SetSchemaNumber(static_cast<int>(schemas.size()));
        const bool login = schemas.size() == 1;
        ASSERT_TRUE(Connect(schema, nullptr, kSourceDatabase, owner, login ? "tiger" : "",
                            login ? database : "", "", login ? nullptr : schemas.front()->GetConnection()))
            << (ports.messages.empty() ? "" : ports.messages.front());
    }
    MGDrawTableList& diagram = *MGDrawTableList::Current();
    ResolveForeignKeys(diagram);
    const int tables = diagram.Count();
    ASSERT_GE(tables, 10);

    // A4 landscape paper at 600 dpi: 1122 × 793 world units.
    tabulorix::testing::RecordingPrinter printer{7016, 4961, 600};
    tabulorix::testing::RecordingScrollBar hBar;
    tabulorix::testing::RecordingScrollBar vBar;
    tabulorix::testing::RecordingClipboard clipboard;
    ImagePaintBox measuring(800, 600);
    ZMGDrawBox layoutBox{measuring, printer, hBar, vBar, clipboard};
    layoutBox.SetZoom(100, 1);
    TSetDlg settings;
    MGBuildSettings build;
    build.displayFlags = settings.DisplayFlags();
    build.pagesAcross = 2;
    BuildDiagramAfterReading(diagram, layoutBox, static_cast<int>(schemas.size()), build);
    BuildRelations(diagram);
    EXPECT_TRUE(ports.messages.empty()) << ports.messages.front();

    // Paint into an image exactly the size of the page grid.
    const int width = layoutBox.PaperW() * build.pagesAcross;
    const int height = layoutBox.PaperH() * build.pagesDown;
    ImagePaintBox image(width, height);
    ZMGDrawBox box{image, printer, hBar, vBar, clipboard};
    box.SetPageCount(build.pagesAcross, build.pagesDown);
    box.SetZoom(100, 1);
    ASSERT_EQ(box.MapX(0), 0);
    PaintDiagram(diagram, box, MGPaintRequest{build.displayFlags, 2, 0, 0, std::nullopt});
    const std::string png = std::string(TABULORIX_BINARY_DIR) + "/sample-diagram.png";
    ASSERT_TRUE(image.Image().save(QString::fromStdString(png), "PNG"));
    // The first page on its own, for a closer look.
    const std::string page = std::string(TABULORIX_BINARY_DIR) + "/sample-diagram-page1.png";
    ASSERT_TRUE(
        image.Image().copy(0, 0, layoutBox.PaperW(), layoutBox.PaperH()).save(QString::fromStdString(page)));

    ASSERT_EQ(diagram.Count(), tables + 1);
    EXPECT_TRUE(diagram.Item(tables)->IsLegend());
    for (int i = 0; i < diagram.Count(); ++i) {
        const MGShapeTable& a = *diagram.Item(i);
        EXPECT_EQ(a.State(), MGShapeRect::kStateNormal);
        EXPECT_LE(a.Position().right, width) << a.Name();
        EXPECT_LE(a.Position().bottom, height) << a.Name();
        for (int j = i + 1; j < diagram.Count(); ++j)
            EXPECT_FALSE(Overlap(a.Position(), diagram.Item(j)->Position()))
                << a.Name() << " " << diagram.Item(j)->Name();
    }
    int selfReferences = 0;
    int cascades = 0;
    int drawn = 0;
    for (int i = 0; i < diagram.RelationCount(); i += 2) {
        const MGShapeRelation& forward = *diagram.RelationItem(i);
        selfReferences += forward.OwnBox() == forward.OtherBox() ? 1 : 0;
        cascades += forward.Cascade() ? 1 : 0;
        drawn += forward.OwnBox()->RelationCounter() > 0 ? 1 : 0;
    }
    EXPECT_GE(diagram.RelationCount() / 2, 10);
    EXPECT_GE(selfReferences, 2);  // EMPLOYEE's boss and SALES_REGION's parent
    EXPECT_GE(cascades, 1);        // ORDER_LINE deletes with its order
    EXPECT_EQ(drawn, diagram.RelationCount() / 2);
    const MGShapeTable* view = nullptr;
    for (int i = 0; i < diagram.Count(); ++i)
        if (diagram.Item(i)->IsView()) view = diagram.Item(i);
    EXPECT_NE(view, nullptr);
}
