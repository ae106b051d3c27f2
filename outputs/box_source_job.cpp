#include "outputs/box_source_job.h"

#include <algorithm>
#include <string>

#include "diagram/shape_table.h"
#include "outputs/box_walk.h"
#include "outputs/script_flags.h"
#include "platform/worker_thread.h"

namespace {

constexpr std::size_t kRunBoxes = 64;

}  // namespace

// The same texts as GenerateBoxSources: per-box mode 1 with the box-source
// flags, in runs of boxes in list order.
MGBoxSourceJob::MGBoxSourceJob()
    : boxes_(BoxesToWrite(std::string(), false)),
      keys_(MGReferencedKeyScope::BuildIndex()),
      work_((boxes_.size() + kRunBoxes - 1) / kRunBoxes, [this](std::size_t run) { WriteRun(run); }) {}

void MGBoxSourceJob::WriteRun(std::size_t run) const {
    const MGReferencedKeyScope keys(keys_);
    std::string text;
    const std::size_t first = run * kRunBoxes;
    for (std::size_t i = first; i < std::min(first + kRunBoxes, boxes_.size()); ++i)
        boxes_[i]->WriteBoxScript(script_flags::kBoxSource, text, 1, false);
}

void MGBoxSourceJob::Finish() {
    work_.Finish();
}
