// The reader's statements, word for word, in both forms: the expected texts
// are kept in tests/data/catalogue/dictionary_statements.txt.
#include <gtest/gtest.h>

#include <map>

#include "reading/dictionary_statements.h"
#include "support/data_cases.h"

using namespace tabulorix;

namespace {

// Heading "[<query> <user|all>]" to the statement on the line after it.
std::map<std::string, std::string> ExpectedStatements() {
    std::map<std::string, std::string> expected;
    std::string heading;
    for (const std::string& line : tabulorix::testing::DataLines("catalogue/dictionary_statements.txt")) {
        if (line.starts_with("[")) heading = line;
        else if (!line.starts_with("#")) expected[heading] = line;
    }
    return expected;
}

}  // namespace

TEST(DictionaryStatements, EveryQueryInBothForms) {
    const std::map<std::string, std::string> expected = ExpectedStatements();
    using enum DictionaryQuery;
    const std::pair<DictionaryQuery, const char*> queries[] = {
        {Tables, "Tables"}, {PrivilegesMade, "PrivilegesMade"}, {PrivilegesReceived, "PrivilegesReceived"},
        {Columns, "Columns"}, {ViewColumns, "ViewColumns"}, {ViewSources, "ViewSources"},
        {Indexes, "Indexes"}, {PrimaryKeys, "PrimaryKeys"}, {UniqueKeys, "UniqueKeys"},
        {ForeignKeys, "ForeignKeys"}, {Conditions, "Conditions"}};
    ASSERT_EQ(expected.size(), 2 * std::size(queries));
    for (const auto& [query, name] : queries) {
        for (const bool user : {true, false}) {
            const std::string heading = std::string("[") + name + (user ? " user]" : " all]");
            EXPECT_EQ(DictionaryStatement(query, user, "SCOTT"), expected.at(heading)) << heading;
            // An owner holding quotes stays one literal wherever the owner is named.
            std::string quoted = expected.at(heading);
            for (auto at = quoted.find("'SCOTT'"); at != std::string::npos; at = quoted.find("'SCOTT'", at))
                quoted.replace(at, 7, "'O''NEIL'");
            EXPECT_EQ(DictionaryStatement(query, user, "O'NEIL"), quoted) << heading;
        }
    }
}
