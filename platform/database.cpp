#include "platform/database.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/odbc_database.h"
#include "platform/snapshot_database.h"

namespace tabulorix {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

bool NamesSnapshotFile(const std::string& server) {
    return EndsWithNoCase(server, ".sqlite") || EndsWithNoCase(server, ".sqlite3") || IsSqliteFile(server);
}

std::unique_ptr<DatabaseConnection> OpenDatabase(const LoginData& login) {
    if (NamesSnapshotFile(login.server))
        return OpenSnapshotDatabase(login.server, login.user, login.password);
    return OpenOdbcDatabase(login);
}

std::string TrimTrailingBlanks(std::string text) {
    const auto last =
        std::find_if(text.rbegin(), text.rend(), [](char c) { return static_cast<unsigned char>(c) > 0x20; });
    // A value of blanks only is all leading blanks and stays (NVL(x, ' ')).
    if (last != text.rend()) text.erase(last.base(), text.end());
    return text;
}

}  // namespace tabulorix
