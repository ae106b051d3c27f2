#include "outputs/box_source_job.h"

#include <string>

#include "diagram/shape_table.h"
#include "outputs/box_walk.h"
#include "outputs/script_flags.h"
#include "platform/worker_thread.h"

// The same texts as GenerateBoxSources: per-box mode 1 with the box-source
// flags, one box after another in list order.
MGBoxSourceJob::MGBoxSourceJob()
    : boxes_(BoxesToWrite(std::string(), false)), keys_(MGReferencedKeyScope::BuildIndex()) {
    done_ = tabulorix::RunOnWorker([this] {
        const MGReferencedKeyScope keys(keys_);
        std::string text;
        for (MGShapeTable* box : boxes_) box->WriteBoxScript(script_flags::kBoxSource, text, 1, false);
    });
}

MGBoxSourceJob::~MGBoxSourceJob() {
    if (done_.valid()) done_.wait();
}

void MGBoxSourceJob::Finish() {
    if (done_.valid()) done_.get();
}
