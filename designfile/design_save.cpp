#include "designfile/design_save.h"

#include "base/file_io.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_writer.h"
#include "diagram/draw_table_list.h"
#include "diagram/settings.h"

namespace tabulorix {

using tabulorix::Answer;

namespace {

// The name dialog; false when cancelled.
bool AskDesignName(const MGDesignContext& context) {
    MGSchemaMng& manager = context.manager;
    const std::string initial = manager.DesignPath().empty() ? manager.DesignTitle() : manager.DesignPath();
    const auto chosen =
        tabulorix::FileNames().AskSaveFileName({"名前を付けて保存", "tlx", kDesignFileFilter, initial});
    if (!chosen) return false;
    manager.SetDesignPath(*chosen);
    context.window.SetRootNodeText(manager.DesignTitle());
    return true;
}

Answer Write(const MGDesignContext& context) {
    try {
        WriteDesignFile(context, context.manager.DesignPath());
    } catch (const tabulorix::FileError& error) {
        tabulorix::ShowMessage(error.what());
        return Answer::Cancel;
    }
    ClearModified(context);
    return Answer::Yes;
}

}  // namespace

Answer SaveDesign(const MGDesignContext& context, bool ask, bool quiet) {
    if (ask) {
        if (!IsModified(context)) return Answer::Yes;
        const std::string& path = context.manager.DesignPath();
        if (path.empty()) {
            const Answer answer = tabulorix::Confirm("デザインファイルを保存しますか?");
            if (answer != Answer::Yes) return answer;
        } else {
            if (!quiet) {
                const Answer answer =
                    tabulorix::Confirm(path + "は変更されています。デザインファイルを保存しますか?");
                if (answer != Answer::Yes) return answer;
            }
            return Write(context);
        }
    }
    if (!AskDesignName(context)) return Answer::Cancel;
    return Write(context);
}

bool IsModified(const MGDesignContext& context) {
    const MGSchemaMng& manager = context.manager;
    if (manager.Modified()) return true;
    if (manager.SchemaCount() == 0) return false;
    if (manager.DesignPath().empty()) return true;
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram != nullptr && diagram->Modified()) return true;
    return context.settings.IsModified();
}

void ClearModified(const MGDesignContext& context) {
    MGSchemaMng& manager = context.manager;
    manager.ClearModified();
    if (manager.SchemaCount() == 0 || manager.DesignPath().empty()) return;
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) diagram->SetModified(false);
    context.settings.ClearModified();
}

}  // namespace tabulorix
