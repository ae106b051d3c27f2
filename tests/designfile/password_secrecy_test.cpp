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
std::string Leak(const std::string& text, const std::string& password) {
    for (const std::string& form : {password, Upper(password)}) {
        const auto at = text.find(form);
        if (at != std::string::npos) return text.substr(at > 40 ? at - 40 : 0, 100);
    }
    return {};
}

class PasswordSecrecy : public DesignTest {
protected:
    void SetUp() override {
        snapshot_ = CopyInto(dir, SampleSnapshotPath(), "secret.sqlite");
        ExecuteOnFile(snapshot_, std::string("UPDATE SNAPSHOT_USERS SET PASSWORD = '") + kPassword +
                                     "' WHERE USERNAME = 'SALES';");
    }

    bool Reverse(const std::string& password, const std::string& server) {
        ReverseHost host;
        return ReverseDatabase(manager, kSourceDatabase, MakeUserInfo("SALES", password, server), host);
    }

    // Every text the ports received.
    std::string Everything() const {
        return JoinedLines(ports.messages) + JoinedLines(ports.statusLog) + JoinedLines(ports.questions);
    }

    std::string snapshot_;
};

TEST_F(PasswordSecrecy, TheDesignFileAndTheProgressOfAReadHoldNoPassword) {
    ASSERT_TRUE(Reverse(kPassword, snapshot_)) << JoinedLines(ports.messages);
    const std::string design = dir.File("read.tlx");
    WriteDesignFile(context, design);
    const std::string bytes = tabulorix::ReadFileBytes(design);
    EXPECT_NE(bytes.find("SALES"), std::string::npos);
    EXPECT_EQ(Leak(bytes, kPassword), "");
    EXPECT_EQ(Leak(Everything(), kPassword), "");
}

}  // namespace
