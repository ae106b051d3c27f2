// The legend box: explains the line marks and the key and index symbols in
// the diagram's own drawing style. Its column rows are fixed.
#pragma once

#include <cstdint>
#include <string>

#include "diagram/shape_table.h"

namespace tabulorix {

class MGShapeLegend : public MGShapeTable {
public:
    // Flags of the legend rows that show a line mark instead of a key.
    static constexpr std::uint32_t kMarkChildEnd = 0x200;
    static constexpr std::uint32_t kMarkNullable = 0x400;
    static constexpr std::uint32_t kMarkNotNull = 0x800;
    static constexpr std::uint32_t kMarkCascade = 0x1000;

    // Builds the fixed rows: header, four line marks, a spacer, three key
    // kinds and three index kinds.
    MGShapeLegend();
    ~MGShapeLegend() override;

    // An ideographic space followed by "凡例", whatever the mode.
    std::string GetTitle(int displayMode) const override;
    // The line marks of the first four rows.
    void DrawMarkExtra(ZMGDrawBox& box, std::uint32_t keyFlags, const tabulorix::Rect& iconCell) override;
};

}  // namespace tabulorix
