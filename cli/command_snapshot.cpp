// tabulorix-cli snapshot: copies the dictionary rows of a login owner and of
// every owner its foreign keys reach into a new snapshot file.
#include "base/file_io.h"
#include "catalogue/connection_record.h"
#include "cli/commands.h"
#include "cli/password.h"
#include "cli/terminal_ports.h"
#include "platform/database.h"
#include "reading/dictionary_snapshot.h"

namespace tabulorix::cli {
namespace {

int RunSnapshot(const ParsedOptions& options) {
    const std::string user = UpperCaseName(*options.Value("user"));
    const std::string service = NormalizeServer(*options.Value("service"));
    const std::string out = *options.Value("output");
    const auto password = ResolvePassword(options.Value("password"), user);
    if (!password)
        throw UsageError("no password: give --password, set " + std::string(kPasswordVariable) +
                         " or run on a terminal to be asked");

    TerminalPorts ports(stderr, ProgressWanted());
    try {
        auto connection = OpenDatabase(LoginData{user, *password, service});
        CopyDictionarySnapshot(*connection, user, out);
        connection->Close();
    } catch (const DatabaseError& error) {
        return Fail("snapshot", error.what());
    } catch (const FileError& error) {
        return Fail("snapshot", error.what());
    }
    return kExitOk;
}

}  // namespace

Command SnapshotCommand() {
    return Command{
        CommandSpec{
            "snapshot",
            "Copy the dictionary rows of a schema and the owners it references into a snapshot.",
            "",
            {OptionSpec{"service", 0, "S", "Oracle service name, host:port:SID, or a snapshot file.", true},
             OptionSpec{"user", 0, "U", "Login user (upper-cased as Oracle names are).", true},
             OptionSpec{"password", 0, "P", "Password (else TABULORIX_PASSWORD, else asked)."},
             OutputOption("OUT.sqlite", "The snapshot file to create.")},
            {"The snapshot holds the eleven dictionary views the reader uses, for the login\n"
             "owner and every owner its foreign keys reach; it holds no password. Read it\n"
             "later with --service OUT.sqlite."}},
        &RunSnapshot};
}

}  // namespace tabulorix::cli
