// tabulorix-cli reverse: reads a schema and every owner its foreign keys
// reach from a database or a dictionary snapshot, builds the diagram as the
// connection command does, and writes the design file.
#include "base/file_io.h"
#include "catalogue/connection_record.h"
#include "cli/commands.h"
#include "cli/password.h"
#include "cli/terminal_ports.h"
#include "designfile/design_writer.h"
#include "platform/gui_application.h"
#include "session/headless_document.h"
#include "session/reverse_workflow.h"

namespace tabulorix::cli {
namespace {

int TableItemOf(const ParsedOptions& options) {
    const std::string columns = options.ChoiceValue("columns", {"keys", "all", "names"}).value_or("keys");
    return columns == "keys" ? 0 : columns == "all" ? 1 : 2;
}

int RunReverse(const ParsedOptions& options) {
    const std::string service = *options.Value("service");
    const std::string user = *options.Value("user");
    const int pagesAcross = options.IntValue("pages-across", 1, TSetDlg::kMaxPages).value_or(1);
    const int tableItem = TableItemOf(options);
    const std::string out = *options.Value("output");
    const auto password = ResolvePassword(options.Value("password"), UpperCaseName(user));
    if (!password)
        throw UsageError("no password: give --password, set " + std::string(kPasswordVariable) +
                         " or run on a terminal to be asked");

    EnsureGuiApplication();
    TerminalPorts ports(stderr, ProgressWanted());
    HeadlessDocument document;
    MGDocumentReverseHost host(document);
    if (!ReverseIntoDocument(document, {MakeUserInfo(user, *password, service), 0, pagesAcross, tableItem},
                             host))
        return Fail("reverse", "nothing was read from " + service);
    try {
        WriteDesignFile(document.Context(), out);
    } catch (const FileError& failure) {
        return Fail("reverse", failure.what());
    }
    return kExitOk;
}

}  // namespace

Command ReverseCommand() {
    return Command{
        CommandSpec{
            "reverse",
            "Read a schema and the owners its foreign keys reach; write the design file.",
            "",
            {OptionSpec{"service", 0, "S", "Oracle service name, host:port:SID, or a snapshot file.", true},
             OptionSpec{"user", 0, "U", "Login user (upper-cased as Oracle names are).", true},
             OptionSpec{"password", 0, "P", "Password; see below for the other ways to give it."},
             OptionSpec{"pages-across", 0, "N", "Pages across the diagram is laid out on (default 1)."},
             OptionSpec{"columns", 0, "keys|all|names",
                        "Columns in the boxes: keys and indexed (default), all, names only."},
             OutputOption("OUT.tlx", "The design file to write.")},
            {"The password comes from --password, else from the environment variable\n"
             "TABULORIX_PASSWORD, else it is asked on the terminal without echo. It keeps\n"
             "its case and is never printed.",
             "The design gets the settings' start values, the given pages across and\n"
             "columns, and the default diagram font (IPAPGothic 9 pt)."}},
        &RunReverse};
}

}  // namespace tabulorix::cli
