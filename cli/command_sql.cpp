// tabulorix-cli sql: the SQL output dialog's script for a schema of a design.
#include <cstdint>

#include "base/file_io.h"
#include "catalogue/schema.h"
#include "cli/commands.h"
#include "cli/design_command.h"
#include "session/sql_choice.h"
#include "session/sql_output.h"

namespace tabulorix::cli {
namespace {

// The friendly options, each one a control of the SQL output dialog.
const std::vector<std::string>& FriendlyOptions() {
    static const std::vector<std::string> names{
        "drop",       "alter",         "inline",     "per-table",      "owner-prefix", "headers",
        "no-tables",  "no-columns",    "no-indexes", "no-constraints", "no-primary",   "no-unique",
        "no-foreign", "no-conditions", "no-views",   "no-view-source", "no-comments",  "no-privileges"};
    return names;
}

// The SQL output dialog's choices from the friendly options.
MGSqlChoice ChoiceFromOptions(const ParsedOptions& o) {
    o.RequireAtMostOne({"alter", "inline"});
    o.RequireAtMostOne({"drop", "inline"});
    MGSqlChoice c;
    c.removal = o.Has("drop");
    c.inlineConstraints = o.Has("inline");
    c.boxByBox = o.Has("per-table");
    c.ownerPrefix = o.Has("owner-prefix");
    c.headers = o.Has("headers");
    c.tables = !o.Has("no-tables");
    c.columns = !o.Has("no-columns");
    c.indexes = !o.Has("no-indexes");
    c.constraints = !o.Has("no-constraints");
    c.primaryKeys = !o.Has("no-primary");
    c.uniqueKeys = !o.Has("no-unique");
    c.foreignKeys = !o.Has("no-foreign");
    c.conditions = !o.Has("no-conditions");
    c.views = !o.Has("no-views");
    c.viewSource = !o.Has("no-view-source");
    c.blankLineRemoval = o.Has("blank-removal");
    c.comments = !o.Has("no-comments");
    c.privileges = !o.Has("no-privileges");
    c.visibleOnly = o.Has("visible-only");
    return c;
}

std::uint32_t ScriptFlags(const ParsedOptions& o) {
    const auto raw = o.Value("flags");
    if (!raw) return ScriptFlagsOf(ChoiceFromOptions(o));
    for (const std::string& name : FriendlyOptions()) {
        if (o.Has(name)) throw UsageError("--flags and --" + name + " cannot be used together");
    }
    std::string text = *raw;
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) text = text.substr(2);
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 16);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || value > 0xFFFFFFFFul)
        throw UsageError("--flags wants a hexadecimal number such as 0x2F0BBF, not \"" + *raw + "\"");
    return std::uint32_t(value);
}

// The owner whose boxes are written: --schema, else the first schema.
std::optional<std::string> ChooseOwner(const MGSchemaMng& manager, const ParsedOptions& o,
                                       const char* command) {
    const std::string owner =
        o.ValueOr("schema", manager.GetSchema(0) ? manager.GetSchema(0)->OwnerName() : "");
    if (manager.FindSchema(owner) != nullptr) return owner;
    std::string known;
    for (int i = 0; i < manager.SchemaCount(); ++i)
        known += (known.empty() ? "" : ", ") + manager.GetSchema(i)->OwnerName();
    Fail(command, "the design has no schema " + owner + " (schemas: " + known + ")");
    return std::nullopt;
}

int RunSql(const ParsedOptions& options) {
    const std::uint32_t flags = ScriptFlags(options);
    auto design = OpenDesign("sql", options.Positional());
    if (!design) return kExitFailure;
    MGSchemaMng& manager = design->document->Manager();
    const auto owner = ChooseOwner(manager, options, "sql");
    if (!owner) return kExitFailure;
    std::string script;
    Status().Reset();
    const MGSqlRequest request{*owner, flags, options.Has("visible-only"), options.Has("blank-removal")};
    if (!GenerateSqlScript(manager, request, false, script)) return Fail("sql", "the script could not be generated");
    Status().Close();
    try {
        SaveSqlScript(*options.Value("output"), script);
    } catch (const FileError& failure) {
        return Fail("sql", failure.what());
    }
    return kExitOk;
}

}  // namespace

Command SqlCommand() {
    std::vector<OptionSpec> o{
        OptionSpec{"schema", 0, "OWNER", "Schema whose boxes are written (default: the first schema)."},
        OptionSpec{"flags", 0, "HEX", "Raw script flags of the generator (no friendly options then)."},
        OptionSpec{"drop", 0, "", "Removal script (DROP statements in removal order)."},
        OptionSpec{"alter", 0, "", "Constraints as ALTER TABLE statements (default for creation)."},
        OptionSpec{"inline", 0, "", "Constraints inside CREATE TABLE."},
        OptionSpec{"per-table", 0, "", "Statements grouped table by table."},
        OptionSpec{"owner-prefix", 0, "", "Names prefixed with the owner."},
        OptionSpec{"headers", 0, "", "A comment header before each table's statements."},
        OptionSpec{"no-tables", 0, "", "No table statements (nor columns, indexes, constraints)."},
        OptionSpec{"no-columns", 0, "", "No CREATE TABLE column definitions."},
        OptionSpec{"no-indexes", 0, "", "No indexes."},
        OptionSpec{"no-constraints", 0, "", "No constraints of any kind."},
        OptionSpec{"no-primary", 0, "", "No primary keys."},
        OptionSpec{"no-unique", 0, "", "No unique keys."},
        OptionSpec{"no-foreign", 0, "", "No foreign keys."},
        OptionSpec{"no-conditions", 0, "", "No check conditions."},
        OptionSpec{"no-views", 0, "", "No views."},
        OptionSpec{"no-view-source", 0, "", "Views without their source."},
        OptionSpec{"no-comments", 0, "", "No COMMENT statements."},
        OptionSpec{"no-privileges", 0, "", "No object privileges."},
        OptionSpec{"visible-only", 0, "", "Only boxes shown with their columns (not as titles only)."},
        OptionSpec{"blank-removal", 0, "", "Empty lines removed from view sources."},
        OutputOption("OUT.sql", "The script to write (CP932, CR LF).")};
    return Command{
        CommandSpec{"sql",
                    "Write the DDL script of a schema of a design file.",
                    "DESIGN.tlx",
                    std::move(o),
                    {"Without options the script creates everything: tables with their columns,\n"
                     "indexes, primary, unique and foreign keys and conditions (as ALTER TABLE),\n"
                     "views with their source, comments and object privileges, as the SQL output\n"
                     "dialog starts. --flags takes the generator's raw flags instead, e.g. 0x2F0BBF."}},
        &RunSql};
}

}  // namespace tabulorix::cli
