#include "diagram/box_sources.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/worker_thread.h"
#include "diagram/box_walk.h"
#include "diagram/referenced_keys.h"
#include "diagram/script_flags.h"
#include "diagram/shape_table.h"

namespace tabulorix {

namespace {

constexpr std::size_t kRunBoxes = 64;

}  // namespace

void WriteBoxSources() {
    const std::vector<MGShapeTable*> boxes = BoxesToWrite(std::string(), false);
    const auto keys = MGReferencedKeyScope::BuildIndex();
    tabulorix::ShareWithWorker((boxes.size() + kRunBoxes - 1) / kRunBoxes, [&](std::size_t run) {
        const MGReferencedKeyScope scope(keys);
        std::string text;
        const std::size_t first = run * kRunBoxes;
        for (std::size_t i = first; i < std::min(first + kRunBoxes, boxes.size()); ++i)
            boxes[i]->WriteBoxScript(script_flags::kBoxSource, text, 1, false);
    });
}

}  // namespace tabulorix
