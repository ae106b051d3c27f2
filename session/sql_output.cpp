#include "session/sql_output.h"

#include "base/text_file_save.h"
#include "base/ui_ports.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/script_flags.h"
#include "outputs/sql_script.h"
#include "session/row_count_progress.h"

namespace tabulorix {

namespace {

// Lines between two progress reports, and lines handed over at once: the
// text area takes large blocks so that a script of megabytes fills at once.
constexpr int kProgressLines = 100;
constexpr int kBlockLines = 20000;

}  // namespace

MGSqlRequest SqlRequestOf(const std::string& owner, const MGSqlChoice& choice) {
    return MGSqlRequest{owner, ScriptFlagsOf(choice), choice.visibleOnly, RemovesBlankLines(choice)};
}

bool GenerateSqlScript(MGSchemaMng& manager, const MGSqlRequest& request, bool cancellable,
                       std::string& script) {
    MGSchema* schema = manager.FindSchema(request.owner);
    if (schema == nullptr) return false;
    Status().SetMainLine("SQL出力");
    const bool blankLineRemoval = request.blankLineRemoval && (request.flags & script_flags::kViews) != 0;
    return GenerateScript(schema, cancellable, request.visibleOnly, request.owner, script, request.flags, 0,
                          blankLineRemoval);
}

bool DisplayScriptLines(std::string_view script,
                        const std::function<void(std::string_view block)>& appendBlock) {
    StatusPort& status = Status();
    MGRowCountProgress progress(status);
    int line = 0;
    std::size_t blockStart = 0;
    std::size_t position = 0;
    while (position < script.size()) {
        const std::size_t feed = script.find('\n', position);
        position = feed == std::string_view::npos ? script.size() : feed + 1;
        ++line;
        if (line % kProgressLines == 0) {
            progress.Offer(line);
            if (status.CancelRequested()) return false;
        }
        if (line % kBlockLines == 0 || position == script.size()) {
            appendBlock(script.substr(blockStart, position - blockStart));
            blockStart = position;
        }
    }
    return !status.CancelRequested();
}

void SaveSqlScript(const std::string& path, const std::string& script) {
    SaveLineFeedText(path, script);
}

}  // namespace tabulorix
