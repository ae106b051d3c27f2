#include "reading/dictionary_statements.h"

namespace tabulorix {

namespace {

std::string Tables(bool user, const std::string& o) {
    if (user) {
        return "select USER_TABLES.TABLE_NAME TableNameL, USER_TABLES.TABLE_NAME TableNameP, "
               "USER_TAB_COMMENTS.COMMENTS Comments from USER_TABLES, USER_TAB_COMMENTS where "
               "USER_TABLES.TABLE_NAME=USER_TAB_COMMENTS.TABLE_NAME and USER_TAB_COMMENTS.TABLE_TYPE='TABLE'";
    }
    return "select ALL_TABLES.TABLE_NAME TableNameL, ALL_TABLES.TABLE_NAME TableNameP, "
           "ALL_TAB_COMMENTS.COMMENTS Comments from ALL_TABLES, ALL_TAB_COMMENTS where ALL_TABLES.OWNER='" +
           o + "' and ALL_TAB_COMMENTS.OWNER='" + o +
           "' and ALL_TABLES.TABLE_NAME=ALL_TAB_COMMENTS.TABLE_NAME and ALL_TAB_COMMENTS.TABLE_TYPE='TABLE'";
}

std::string Privileges(const char* view, const std::string& o) {
    return std::string(
               "select PR.TABLE_NAME TableNameP, PR.GRANTEE Grantee, PR.GRANTOR Grantor, "
               "PR.PRIVILEGE Privilege from ") +
           view + " PR where PR.OWNER = '" + o + "' order by PR.TABLE_NAME";
}

std::string Columns(bool user, const std::string& o) {
    const std::string select =
        "select AT.TABLE_NAME TableNameL,AT.TABLE_NAME TableNameP, AT.COLUMN_NAME ColumnNameL, "
        "AT.COLUMN_NAME ColumnNameP, AT.DATA_TYPE DataType, AT.DATA_LENGTH DataLength,AT.DATA_PRECISION "
        "DataLength,AT.DATA_SCALE , AT.NULLABLE Nullable, AT.DATA_DEFAULT DataDefault, AC.COMMENTS Comments ";
    const std::string tail =
        "UT.TABLE_NAME = AT.TABLE_NAME and AT.TABLE_NAME= AC.TABLE_NAME and AT.COLUMN_NAME=AC.COLUMN_NAME "
        "order by AT.TABLE_NAME, AT.COLUMN_ID";
    if (user) return select + "FROM USER_TAB_COLUMNS AT, USER_COL_COMMENTS AC, USER_TABLES UT where " + tail;
    return select + "FROM ALL_TAB_COLUMNS AT, ALL_COL_COMMENTS AC, ALL_TABLES UT where AT.OWNER='" + o +
           "' and AC.OWNER='" + o + "' and UT.OWNER='" + o + "' and " + tail;
}

std::string ViewColumns(bool user, const std::string& o) {
    const std::string select =
        "select UV.VIEW_NAME ViewNameL,UV.VIEW_NAME ViewNameP, AT.COLUMN_NAME ColumnNameL,AT.COLUMN_NAME "
        "ColumnNameP, AT.DATA_TYPE DataType, AT.DATA_LENGTH DataLength, AT.DATA_PRECISION "
        "DataLength,AT.DATA_SCALE , AT.NULLABLE Nullable, AT.DATA_DEFAULT DataDefault, AC.COMMENTS Comments";
    const std::string tail =
        "UV.VIEW_NAME = AT.TABLE_NAME and AT.TABLE_NAME= AC.TABLE_NAME and AT.COLUMN_NAME=AC.COLUMN_NAME "
        "order by AT.TABLE_NAME, AT.COLUMN_ID";
    if (user) return select + " FROM USER_TAB_COLUMNS AT, USER_COL_COMMENTS AC, USER_VIEWS UV where " + tail;
    return select + " FROM ALL_TAB_COLUMNS AT, ALL_COL_COMMENTS AC, ALL_VIEWS UV where AT.OWNER='" + o +
           "' and AC.OWNER='" + o + "' and UV.OWNER='" + o + "' and " + tail;
}

std::string ViewSources(bool user, const std::string& o) {
    if (user) {
        return "select VIEW_NAME ViewNameP, TEXT ViewSource,USER_TAB_COMMENTS.COMMENTS Comments FROM "
               "USER_VIEWS, USER_TAB_COMMENTS WHERE USER_VIEWS.VIEW_NAME=USER_TAB_COMMENTS.TABLE_NAME and "
               "USER_TAB_COMMENTS.TABLE_TYPE='VIEW' order by VIEW_NAME";
    }
    return "select VIEW_NAME ViewNameP, TEXT ViewSource,ALL_TAB_COMMENTS.COMMENTS Comments FROM ALL_VIEWS, "
           "ALL_TAB_COMMENTS WHERE ALL_VIEWS.OWNER='" +
           o +
           "' and ALL_VIEWS.VIEW_NAME=ALL_TAB_COMMENTS.TABLE_NAME and ALL_TAB_COMMENTS.TABLE_TYPE='VIEW' "
           "order by VIEW_NAME";
}

std::string Indexes(bool user, const std::string& o) {
    const std::string select =
        "select IC.TABLE_NAME TableNameP, IC.INDEX_NAME IxName, ID.UNIQUENESS Uniqueness, IC.COLUMN_NAME "
        "ColumnName, IC.COLUMN_POSITION IxPosition from ";
    if (user) {
        return select +
               "USER_INDEXES ID, USER_IND_COLUMNS IC where ID.INDEX_NAME = IC.INDEX_NAME order by "
               "IC.TABLE_NAME, IC.INDEX_NAME, IC.COLUMN_POSITION,  IC.COLUMN_NAME";
    }
    return select + "ALL_INDEXES ID, ALL_IND_COLUMNS IC where ID.OWNER='" + o + "' and IC.INDEX_OWNER='" + o +
           "' and ID.INDEX_NAME = IC.INDEX_NAME order by IC.TABLE_NAME, IC.INDEX_NAME, IC.COLUMN_POSITION, "
           "IC.COLUMN_NAME";
}

// The constraint statements share their shape: a select list, the two
// views, the owner filter of the ALL_ form, the type and the order.
std::string Constraints(bool user, const std::string& o, const std::string& select, char type,
                        const std::string& order) {
    const std::string from = user ? "USER_CONSTRAINTS TBL, USER_CONS_COLUMNS FLD WHERE "
                                  : "ALL_CONSTRAINTS TBL, ALL_CONS_COLUMNS FLD WHERE TBL.OWNER='" + o +
                                        "' and FLD.OWNER='" + o + "' and ";
    return select + " from " + from + "TBL.CONSTRAINT_TYPE='" + type +
           "' and FLD.CONSTRAINT_NAME = TBL.CONSTRAINT_NAME order by " + order;
}

const std::string kKeySelect =
    "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME PKName, TBL.STATUS PKStatus, FLD.COLUMN_NAME "
    "ColumnNameP, FLD.POSITION Position";
const std::string kForeignKeySelect =
    "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME FKName, TBL.CONSTRAINT_NAME VerbPhrase, R_OWNER "
    "ReferenceOwner, R_CONSTRAINT_NAME ReferenceName, NVL(TBL.DELETE_RULE, ' ') DeleteRule, TBL.STATUS "
    "FKStatus, FLD.COLUMN_NAME ColumnNameP, FLD.POSITION FKPosition";
const std::string kConditionSelect =
    "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME CDName, TBL.STATUS CDStatus, FLD.COLUMN_NAME "
    "ColumnNameP, TBL.SEARCH_CONDITION Condition";
const std::string kKeyOrder = "TBL.TABLE_NAME, TBL.CONSTRAINT_NAME, FLD.POSITION";

}  // namespace

std::string QuoteOwnerName(const std::string& owner) {
    std::string quoted;
    quoted.reserve(owner.size());
    for (const char c : owner) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted;
}

std::string DictionaryStatement(DictionaryQuery query, bool userViews, const std::string& owner) {
    const std::string o = QuoteOwnerName(owner);
    switch (query) {
        case DictionaryQuery::Tables:
            return Tables(userViews, o);
        case DictionaryQuery::PrivilegesMade:
            return Privileges("ALL_TAB_PRIVS_MADE", o);
        case DictionaryQuery::PrivilegesReceived:
            return Privileges("ALL_TAB_PRIVS_RECD", o);
        case DictionaryQuery::Columns:
            return Columns(userViews, o);
        case DictionaryQuery::ViewColumns:
            return ViewColumns(userViews, o);
        case DictionaryQuery::ViewSources:
            return ViewSources(userViews, o);
        case DictionaryQuery::Indexes:
            return Indexes(userViews, o);
        case DictionaryQuery::PrimaryKeys:
            return Constraints(userViews, o, kKeySelect, 'P', kKeyOrder);
        case DictionaryQuery::UniqueKeys:
            return Constraints(userViews, o, kKeySelect, 'U', kKeyOrder);
        case DictionaryQuery::ForeignKeys:
            return Constraints(userViews, o, kForeignKeySelect, 'R', kKeyOrder);
        case DictionaryQuery::Conditions:
            return Constraints(userViews, o, kConditionSelect, 'C', "TBL.TABLE_NAME, TBL.CONSTRAINT_NAME");
    }
    return {};
}

}  // namespace tabulorix
