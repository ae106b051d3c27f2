// Generating and saving the SQL script of one owner, shared by the SQL
// output dialog and the command line's `sql`: the generator's inputs from
// the choices, the generation under the progress line "SQL出力", the walk
// that hands a generated script to a text area in blocks with its progress
// lines and cancel, and the file (CP932 with CR LF).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "session/sql_choice.h"

namespace tabulorix {

class MGSchemaMng;

// What GenerateScript is called with, apart from the schema.
struct MGSqlRequest {
    std::string owner;
    std::uint32_t flags = 0;
    bool visibleOnly = false;
    bool blankLineRemoval = false;  // counts only when view sources are written
};

MGSqlRequest SqlRequestOf(const std::string& owner, const MGSqlChoice& choice);

// The script of the request's owner appended to `script`. The progress
// dialog shows "SQL出力" and the passes; false when cancelled (cancellable)
// or the design has no schema of that owner.
bool GenerateSqlScript(MGSchemaMng& manager, const MGSqlRequest& request, bool cancellable,
                       std::string& script);

// Hands the script to a text area in blocks of whole lines (the last block
// may end without a line feed). Every 100 lines the cancel flag is tested
// and the progress detail "%d行" is offered the line number
// (MGRowCountProgress); false when the flag was set (the receiver then
// throws away what it got).
bool DisplayScriptLines(std::string_view script,
                        const std::function<void(std::string_view block)>& appendBlock);

// Saves the script, whose lines end at line feeds, with CR LF after every
// line: CP932, else UTF-8 with a byte-order mark and a message. Throws
// tabulorix::FileError; the previous file is then unchanged.
void SaveSqlScript(const std::string& path, const std::string& script);

}  // namespace tabulorix
