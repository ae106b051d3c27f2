// tabulorix-cli snapshot: copies the dictionary rows of a login owner and of
// every owner its foreign keys reach into a new snapshot file.
#include "cli/commands.h"
#include "cli/password.h"

namespace tabulorix::cli {
namespace {

int RunSnapshot(const ParsedOptions&) {
    return Fail("snapshot", kNotAvailable);
}

}  // namespace

Command SnapshotCommand() {
    return Command{
        CommandSpec{"snapshot",
                    "Copy the dictionary rows of a schema and the owners it references into a snapshot.",
                    "",
                    {OptionSpec{"service", 0, "S", "Oracle service name or host:port:SID.", true},
                     OptionSpec{"user", 0, "U", "Login user.", true},
                     OptionSpec{"password", 0, "P", "Password (else TABULORIX_PASSWORD, else asked)."},
                     OutputOption("OUT.sqlite", "The snapshot file to create.")},
                    {"Not available in this build: the snapshot copier is not part of the core yet."}},
        &RunSnapshot};
}

}  // namespace tabulorix::cli
