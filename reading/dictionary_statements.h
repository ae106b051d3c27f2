// The statements the dictionary reader runs. The login user's schema uses
// the USER_ views; a referenced owner the ALL_ views with an owner filter.
// The privilege statements always use the ALL_ views with the owner.
//
// The owner name goes between single quotes with every quote inside doubled,
// so a quoted Oracle user name holding a quote neither breaks the statement
// nor changes its meaning.
#pragma once

#include <string>

namespace tabulorix {

enum class DictionaryQuery {
    Tables,
    PrivilegesMade,
    PrivilegesReceived,
    Columns,
    ViewColumns,
    ViewSources,
    Indexes,
    PrimaryKeys,
    UniqueKeys,
    ForeignKeys,
    Conditions,
};

// The statement of a query: the USER_ form when userViews is set (the
// privilege statements ignore it), else the ALL_ form for the owner.
std::string DictionaryStatement(DictionaryQuery query, bool userViews, const std::string& owner);

// The owner name as it stands between the quotes of a statement.
std::string QuoteOwnerName(const std::string& owner);

}  // namespace tabulorix
