// The password of a login is used to connect and nowhere else: not in the
// design file written after reading, not in any message or progress line
// (the error texts of a refused login: SnapshotSource, OdbcSource).
// A distinctive password is searched for, as typed and upper-cased, in
// everything the run produced.
#include <gtest/gtest.h>

#include <algorithm>

#include "reading/reverse_driver.h"
#include "reading/schema_connect.h"
#include "designfile/design_writer.h"
#include "base/file_io.h"
#include "platform/snapshot_database.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

constexpr const char* kPassword = "Kite-7Qx#secret";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// Where the password shows up in text, or "" when nowhere.
std::string Leak(const std::string& text) {
    for (const std::string& form : {std::string(kPassword), Upper(kPassword)}) {
        const auto at = text.find(form);
        if (at != std::string::npos) return text.substr(at > 40 ? at - 40 : 0, 100);
    }
    return {};
}

class PasswordSecrecy : public DesignTest {};

TEST_F(PasswordSecrecy, TheDesignFileAndTheProgressOfAReadHoldNoPassword) {
    const std::string snapshot = CopyInto(dir, SampleSnapshotPath(), "secret.sqlite");
    ExecuteOnFile(snapshot, std::string("UPDATE SNAPSHOT_USERS SET PASSWORD = '") + kPassword +
                                "' WHERE USERNAME = 'SALES';");
    ReverseHost host;
    ASSERT_TRUE(ReverseDatabase(manager, kSourceDatabase, MakeUserInfo("SALES", kPassword, snapshot), host))
        << JoinedLines(ports.messages);
    WriteDesignFile(context, dir.File("read.tlx"));
    const std::string bytes = ReadFileBytes(dir.File("read.tlx"));
    EXPECT_TRUE(Contains(bytes, "SALES"));
    EXPECT_EQ(Leak(bytes), "");
    // Nor in any text the ports received.
    EXPECT_EQ(Leak(JoinedLines(ports.messages) + JoinedLines(ports.statusLog) + JoinedLines(ports.questions)),
              "");
}

}  // namespace
