// Expected rows kept as text under tests/data/catalogue: one row a line,
// "key|value|value|...". Several lines of one key are the rows of one table
// in order; "\n" in a value is a line break, {server} the server text.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/data_cases.h"

namespace catalogue_test {

using Strings = std::vector<std::string>;

inline std::vector<Strings> WantRows(const std::string& file, const std::string& key,
                                     const std::string& server = "") {
    std::vector<Strings> rows;
    for (tabulorix::testing::Fields fields : tabulorix::testing::DataCases("catalogue/" + file)) {
        if (fields.front() != key) continue;
        fields.erase(fields.begin());
        for (std::string& field : fields)
            for (const auto& [from, to] : {std::pair<std::string, std::string>{"\\n", "\n"}, {"{server}", server}})
                for (auto at = field.find(from); at != std::string::npos; at = field.find(from, at + to.size()))
                    field.replace(at, from.size(), to);
        rows.push_back(fields);
    }
    EXPECT_FALSE(rows.empty()) << file << ": " << key;
    return rows;
}

inline Strings Want(const std::string& file, const std::string& key, const std::string& server = "") {
    const auto rows = WantRows(file, key, server);
    return rows.empty() ? Strings{} : rows.front();
}

}  // namespace catalogue_test
