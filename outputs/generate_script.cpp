// The passes of the script generator over the boxes of the diagram.
#include <array>

#include "base/ui_ports.h"
#include "diagram/box_walk.h"
#include "diagram/draw_table_list.h"
#include "diagram/script_flags.h"
#include "outputs/sql_script.h"

namespace tabulorix {

using namespace script_flags;

namespace {

struct Pass {
    std::uint32_t kinds;
    const char* text;
};

constexpr std::array<Pass, 9> kCreationPasses = {{{kTables, "表の列定義出力"},
                                                  {kViews, "ビューソース出力"},
                                                  {kIndexes, "索引出力"},
                                                  {kComments, "コメント出力"},
                                                  {kPrivileges, "OBJECT権限出力"},
                                                  {kPrimaryKeys, "主キー出力"},
                                                  {kUniqueKeys, "一意キー出力"},
                                                  {kConditions, "条件出力"},
                                                  {kForeignKeys, "外部キー出力"}}};

constexpr std::array<Pass, 9> kRemovalPasses = {{{kForeignKeys, "外部キー出力"},
                                                 {kConditions, "条件出力"},
                                                 {kPrimaryKeys, "主キー出力"},
                                                 {kUniqueKeys, "一意キー出力"},
                                                 {kIndexes, "索引出力"},
                                                 {kComments, "コメント出力"},
                                                 {kPrivileges, "OBJECT権限出力"},
                                                 {kViews, "ビュー出力"},
                                                 {kTables, "表の列定義出力"}}};

// The kind bits a pass hands to the boxes, or 0 when the pass is skipped.
std::uint32_t PassKinds(const Pass& pass, std::uint32_t flags) {
    const bool creation = (flags & kRemovalOrder) == 0;
    const bool inlineForm = (flags & kInlineConstraints) != 0;
    if ((pass.kinds & kKeyKinds) != 0) {
        // Separate constraint statements have passes of their own only in
        // the separate form; inline ones travel with the table pass.
        if (creation && (flags & kSeparateConstraints) == 0) return 0;
    }
    std::uint32_t kinds = pass.kinds;
    if (pass.kinds == kTables && creation && inlineForm) kinds |= kKeyKinds;
    return flags & kinds;
}

}  // namespace

bool GenerateScript(MGSchema* /*schema*/, bool cancellable, bool visibleOnly, const std::string& owner,
                    std::string& out, std::uint32_t scriptFlags, int perBoxMode, bool blankLineRemoval) {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return true;
    const MGReferencedKeyScope keys;
    const std::vector<MGShapeTable*> boxes = BoxesToWrite(owner, visibleOnly);
    auto runPass = [&](std::uint32_t passFlags, const char* text) {
        return VisitBoxes(boxes, text, cancellable, [&](MGShapeTable& box) {
            return box.WriteBoxScript(passFlags, out, perBoxMode, blankLineRemoval);
        });
    };
    const std::uint32_t form = scriptFlags & ~kStatementKinds;
    if ((scriptFlags & kBoxByBox) != 0) return runPass(scriptFlags, "SQLソース出力");
    const bool removal = (scriptFlags & kRemovalOrder) != 0;
    for (const Pass& pass : removal ? kRemovalPasses : kCreationPasses) {
        const std::uint32_t kinds = PassKinds(pass, scriptFlags);
        if (kinds == 0) continue;
        if (!runPass(form | kinds, pass.text)) return false;
    }
    return true;
}

void GenerateBoxSources(MGSchema* schema) {
    std::string text;
    GenerateScript(schema, false, false, std::string(), text, kBoxSource, 1, false);
}

}  // namespace tabulorix
