// Recording the diagram into an enhanced metafile: one page or all pages, to
// a file or the clipboard, with the view restored afterwards.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "render_fixture.h"
#include "support/emf_records.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;

// The record types of a metafile, in order.
std::vector<std::uint32_t> RecordTypes(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint32_t> types;
    for (const EmfRecord& record : EmfRecords(bytes)) types.push_back(record.type);
    return types;
}

// The header's bounds rectangle: the picture's device pixels, inclusive.
Rect Bounds(const std::vector<std::uint8_t>& bytes) {
    const EmfRecord header = EmfRecords(bytes).at(0);
    return Rect{header.I32(8), header.I32(12), header.I32(16), header.I32(20)};
}

// Stroked lines or text: what page frames and page numbers would leave.
// Filled areas (the white paper) are recorded as paths, whose outline moves
// between BEGINPATH and ENDPATH do not count.
bool DrawsLinesOrText(const std::vector<std::uint32_t>& types) {
    const std::set<std::uint32_t> strokes{kEmrMoveTo, kEmrLineTo, kEmrPolyline16};
    bool inPath = false;
    for (const std::uint32_t type : types) {
        if (type == kEmrBeginPath) inPath = true;
        if (type == kEmrEndPath) inPath = false;
        if (type == kEmrExtTextOutW || (!inPath && strokes.contains(type))) return true;
    }
    return false;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    const std::string bytes = ReadFileBytes(path.string());
    return {bytes.begin(), bytes.end()};
}

class EmfTest : public RenderTest {
protected:
    void SetUp() override { Grid(2, 3, 50); }  // the window's zoom is 50 %

    // The paint pass the main window runs while recording.
    void PaintPass() {
        box.ClearPaper();
        box.DrawPageDecorations(true, 0, 0);
        box.DrawPageDecorations(false, 0, 0);
    }

    TempDirectory tmp_;
    fs::path dir_{tmp_.path()};
};

TEST_F(EmfTest, PageFourIsOnePaperWithItsOriginAtTheThirdPageAndShapesReachIt) {
    const fs::path file = dir_ / "page4.emf";
    ASSERT_TRUE(box.BeginEmf(4, file.string()));
    // Output mode, zoom and page origin; one world unit per metafile unit.
    EXPECT_EQ(
        (std::vector<int>{console.OutputMode(), console.Zoom(), console.PageOriginX(), console.PageOriginY(),
                          console.MapX(kPaperW + 10), console.MapY(kPaperH + 20)}),
        (std::vector<int>{1, 100, kPaperW, kPaperH, 10, 20}));
    paintBox.canvas.Clear();
    PaintPass();
    EXPECT_TRUE(paintBox.canvas.calls.empty());  // everything went into the metafile
    ASSERT_TRUE(box.EndEmf());
    EXPECT_TRUE(ports.messages.empty());
    const auto bytes = ReadBytes(file);
    const auto types = RecordTypes(bytes);
    ASSERT_FALSE(types.empty());
    EXPECT_TRUE(types.front() == kEmrHeader && types.back() == kEmrEof);
    EXPECT_EQ(Bounds(bytes), (Rect{0, 0, kPaperW - 1, kPaperH - 1}));
    EXPECT_FALSE(DrawsLinesOrText(types));                               // no page frames, no page numbers
    EXPECT_EQ(std::count(types.begin(), types.end(), kEmrFillPath), 1);  // the white paper
    EXPECT_TRUE(clipboard.pictures.empty());

    // Lines and text drawn while recording do reach the picture.
    ASSERT_TRUE(box.BeginEmf(1, file.string()));
    box.MoveTo(0, 0);
    box.LineTo(100, 100);
    box.DrawText(10, 10, "表A", kBlack);
    ASSERT_TRUE(box.EndEmf());
    const auto drawn = RecordTypes(ReadBytes(file));
    EXPECT_TRUE(DrawsLinesOrText(drawn));
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), kEmrExtTextOutW), drawn.end());
}

TEST_F(EmfTest, TheViewIsRestoredAfterRecording) {
    UserScroll(true, 2000);
    Canvas* before = &console.CurrentCanvas();
    ASSERT_TRUE(box.BeginEmf(2, (dir_ / "p2.emf").string()));
    EXPECT_NE(&console.CurrentCanvas(), before);
    EXPECT_EQ(console.CurrentCanvas().Font(), paintBox.canvas.Font());  // drawn in the diagram font
    ASSERT_TRUE(box.EndEmf());
    EXPECT_EQ(&console.CurrentCanvas(), before);
    // Zoom, scroll offsets, output mode and page origin as before.
    EXPECT_EQ((std::vector<int>{console.Zoom(), console.ScrollOffsetX(), console.ScrollOffsetY(),
                                console.OutputMode(), console.PageOriginX(), console.PageOriginY()}),
              (std::vector<int>{50, 2000, 3248, 0, 0, 0}));
    paintBox.canvas.Clear();  // drawing reaches the paint box again
    PaintPass();
    EXPECT_EQ(paintBox.canvas.Calls("TextOut").size(), 6u);

    // A failing write tells the user, naming the file, and ends the recording.
    const fs::path file = dir_ / "missing-dir" / "x.emf";
    ASSERT_TRUE(box.BeginEmf(4, file.string()));
    ASSERT_FALSE(box.EndEmf());
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_TRUE(ports.messages[0].starts_with("Failed to save EMF file")) << ports.messages[0];
    EXPECT_NE(ports.messages[0].find("x.emf"), std::string::npos);
    EXPECT_FALSE(fs::exists(file) || console.IsRecording());
    EXPECT_EQ(console.Zoom(), 50);
}

}  // namespace
}  // namespace tabulorix::testing
