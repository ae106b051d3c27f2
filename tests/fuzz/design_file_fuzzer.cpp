// A whole design file from bytes, through the real loader (file read,
// decoding, schema blocks, settings, layout with a drawing box) into a fresh
// model, then written out again. Loading must never crash; a failed load
// leaves the fresh model empty and says why.
#include <cstdlib>

#include "diagram/settings.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_loader.h"
#include "designfile/design_writer.h"
#include "diagram/draw_table_list.h"
#include "fuzz/fuzz_support.h"
#include "render/draw_box.h"
#include "support/recording_host.h"

using namespace tabulorix;

using namespace tabulorix::testing;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tabulorix::fuzzing::InitializeProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tabulorix::fuzzing::MemoryFile file;
    file.Write(tabulorix::fuzzing::AsText(data, size));

    BoxParts<RecordingPrinter> parts{6250, 6250, 600};
    ZMGDrawBox& box = parts.box;
    RecordingSettingsHost host;
    TSetDlg settings{&host};
    RecordingDesignWindow window;
    {
        MGSchemaMng manager;
        const MGDesignContext context{manager, settings, window, &box};
        if (LoadDesignFile(context, file.Path())) {
            BuildDesignLines(context);
        } else {
            // Undecodable text or a wrong document type: reported, nothing kept.
            if (parts.ports.messages.empty() || manager.SchemaCount() != 0 ||
                MGDrawTableList::Current() != nullptr) {
                std::abort();
            }
        }
    }
    MGDrawTableList::DestroyCurrent();
    return 0;
}
