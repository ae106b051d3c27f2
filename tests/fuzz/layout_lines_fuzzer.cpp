// The "[TABLE LAYOUT]" lines over a small diagram (two tables of one owner,
// a table of another, a text and the legend): read directly, then through
// the automatic layout that places the boxes the lines do not name.
#include <memory>

#include "base/file_io.h"
#include "diagram/auto_layout.h"
#include "diagram/diagram_build.h"
#include "diagram/draw_table_list.h"
#include "diagram/layout_lines.h"
#include "diagram/shape_table.h"
#include "diagram/shape_text.h"
#include "fuzz/fuzz_support.h"
#include "render/draw_box.h"
#include "support/recording_host.h"

using namespace tabulorix;

namespace {

using namespace tabulorix::testing;

void AddBoxes(MGDrawTableList& diagram) {
    diagram.AddBox(std::make_unique<MGShapeTable>(1, "SCOTT", "EMP", "EMP", "", true));
    diagram.AddBox(std::make_unique<MGShapeTable>(1, "SCOTT", "DEPT", "DEPT", "", true));
    diagram.AddBox(std::make_unique<MGShapeTable>(2, "HR", "JOBS", "JOBS", "", true));
    diagram.AddBox(std::make_unique<MGShapeText>("注記", "IPAPGothic", 9, 0));
    AddLegend(diagram);
    NameTextsAndLegend(diagram);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tabulorix::fuzzing::InitializeProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first two bytes choose the page grid of the automatic layout.
    int across = data[0] % 5;
    int down = data[1] % 5;
    std::vector<std::string> lines = {"[TABLE LAYOUT]"};
    for (std::string& line : tabulorix::SplitLines(tabulorix::fuzzing::AsText(data + 2, size - 2))) {
        lines.push_back(std::move(line));
    }

    BoxParts<RecordingPrinter> parts{6250, 6250, 600};
    ZMGDrawBox& box = parts.box;
    {
        MGDrawTableList diagram{&box};
        AddBoxes(diagram);
        ReadLayoutLines(diagram, lines);
        std::vector<std::string> written;
        WriteLayoutLines(diagram, written);
    }
    {
        MGDrawTableList diagram{&box};
        AddBoxes(diagram);
        LayoutDiagram(diagram, box, 0, lines, across, down);
    }
    return 0;
}
