// The reader's statements, word for word, in both forms.
#include <gtest/gtest.h>

#include "reading/dictionary_statements.h"

using namespace tabulorix;

namespace {

std::string User(DictionaryQuery query) {
    return DictionaryStatement(query, true, "SCOTT");
}
std::string All(DictionaryQuery query, const std::string& owner = "SCOTT") {
    return DictionaryStatement(query, false, owner);
}

}  // namespace

TEST(DictionaryStatements, TablesAndPrivileges) {
    EXPECT_EQ(User(DictionaryQuery::Tables),
              "select USER_TABLES.TABLE_NAME TableNameL, USER_TABLES.TABLE_NAME TableNameP, "
              "USER_TAB_COMMENTS.COMMENTS Comments from USER_TABLES, USER_TAB_COMMENTS where "
              "USER_TABLES.TABLE_NAME=USER_TAB_COMMENTS.TABLE_NAME and USER_TAB_COMMENTS.TABLE_TYPE='TABLE'");
    EXPECT_EQ(All(DictionaryQuery::Tables),
              "select ALL_TABLES.TABLE_NAME TableNameL, ALL_TABLES.TABLE_NAME TableNameP, "
              "ALL_TAB_COMMENTS.COMMENTS "
              "Comments from ALL_TABLES, ALL_TAB_COMMENTS where ALL_TABLES.OWNER='SCOTT' and "
              "ALL_TAB_COMMENTS.OWNER='SCOTT' and ALL_TABLES.TABLE_NAME=ALL_TAB_COMMENTS.TABLE_NAME and "
              "ALL_TAB_COMMENTS.TABLE_TYPE='TABLE'");
    // The privilege statements name the owner in both forms.
    for (const bool user : {true, false}) {
        EXPECT_EQ(
            DictionaryStatement(DictionaryQuery::PrivilegesMade, user, "SCOTT"),
            "select PR.TABLE_NAME TableNameP, PR.GRANTEE Grantee, PR.GRANTOR Grantor, PR.PRIVILEGE Privilege "
            "from ALL_TAB_PRIVS_MADE PR where PR.OWNER = 'SCOTT' order by PR.TABLE_NAME");
        EXPECT_EQ(
            DictionaryStatement(DictionaryQuery::PrivilegesReceived, user, "SCOTT"),
            "select PR.TABLE_NAME TableNameP, PR.GRANTEE Grantee, PR.GRANTOR Grantor, PR.PRIVILEGE Privilege "
            "from ALL_TAB_PRIVS_RECD PR where PR.OWNER = 'SCOTT' order by PR.TABLE_NAME");
    }
}

TEST(DictionaryStatements, ColumnsAndViews) {
    EXPECT_EQ(
        User(DictionaryQuery::Columns),
        "select AT.TABLE_NAME TableNameL,AT.TABLE_NAME TableNameP, AT.COLUMN_NAME ColumnNameL, "
        "AT.COLUMN_NAME "
        "ColumnNameP, AT.DATA_TYPE DataType, AT.DATA_LENGTH DataLength,AT.DATA_PRECISION "
        "DataLength,AT.DATA_SCALE , AT.NULLABLE Nullable, AT.DATA_DEFAULT DataDefault, AC.COMMENTS Comments "
        "FROM USER_TAB_COLUMNS AT, USER_COL_COMMENTS AC, USER_TABLES UT where UT.TABLE_NAME = AT.TABLE_NAME "
        "and AT.TABLE_NAME= AC.TABLE_NAME and AT.COLUMN_NAME=AC.COLUMN_NAME order by AT.TABLE_NAME, "
        "AT.COLUMN_ID");
    EXPECT_EQ(
        All(DictionaryQuery::Columns),
        "select AT.TABLE_NAME TableNameL,AT.TABLE_NAME TableNameP, AT.COLUMN_NAME ColumnNameL, "
        "AT.COLUMN_NAME "
        "ColumnNameP, AT.DATA_TYPE DataType, AT.DATA_LENGTH DataLength,AT.DATA_PRECISION "
        "DataLength,AT.DATA_SCALE , AT.NULLABLE Nullable, AT.DATA_DEFAULT DataDefault, AC.COMMENTS Comments "
        "FROM ALL_TAB_COLUMNS AT, ALL_COL_COMMENTS AC, ALL_TABLES UT where AT.OWNER='SCOTT' and "
        "AC.OWNER='SCOTT' and UT.OWNER='SCOTT' and UT.TABLE_NAME = AT.TABLE_NAME and AT.TABLE_NAME= "
        "AC.TABLE_NAME and AT.COLUMN_NAME=AC.COLUMN_NAME order by AT.TABLE_NAME, AT.COLUMN_ID");
    const std::string viewSelect =
        "select UV.VIEW_NAME ViewNameL,UV.VIEW_NAME ViewNameP, AT.COLUMN_NAME ColumnNameL,AT.COLUMN_NAME "
        "ColumnNameP, AT.DATA_TYPE DataType, AT.DATA_LENGTH DataLength, AT.DATA_PRECISION "
        "DataLength,AT.DATA_SCALE "
        ", AT.NULLABLE Nullable, AT.DATA_DEFAULT DataDefault, AC.COMMENTS Comments";
    EXPECT_EQ(User(DictionaryQuery::ViewColumns),
              viewSelect +
                  " FROM USER_TAB_COLUMNS AT, USER_COL_COMMENTS AC, USER_VIEWS UV where UV.VIEW_NAME = "
                  "AT.TABLE_NAME and AT.TABLE_NAME= AC.TABLE_NAME and AT.COLUMN_NAME=AC.COLUMN_NAME order by "
                  "AT.TABLE_NAME, AT.COLUMN_ID");
    EXPECT_EQ(All(DictionaryQuery::ViewColumns),
              viewSelect +
                  " FROM ALL_TAB_COLUMNS AT, ALL_COL_COMMENTS AC, ALL_VIEWS UV where AT.OWNER='SCOTT' and "
                  "AC.OWNER='SCOTT' and UV.OWNER='SCOTT' and UV.VIEW_NAME = AT.TABLE_NAME and AT.TABLE_NAME= "
                  "AC.TABLE_NAME and AT.COLUMN_NAME=AC.COLUMN_NAME order by AT.TABLE_NAME, AT.COLUMN_ID");
    EXPECT_EQ(
        User(DictionaryQuery::ViewSources),
        "select VIEW_NAME ViewNameP, TEXT ViewSource,USER_TAB_COMMENTS.COMMENTS Comments FROM USER_VIEWS, "
        "USER_TAB_COMMENTS WHERE USER_VIEWS.VIEW_NAME=USER_TAB_COMMENTS.TABLE_NAME and "
        "USER_TAB_COMMENTS.TABLE_TYPE='VIEW' order by VIEW_NAME");
    EXPECT_EQ(
        All(DictionaryQuery::ViewSources),
        "select VIEW_NAME ViewNameP, TEXT ViewSource,ALL_TAB_COMMENTS.COMMENTS Comments FROM ALL_VIEWS, "
        "ALL_TAB_COMMENTS WHERE ALL_VIEWS.OWNER='SCOTT' and ALL_VIEWS.VIEW_NAME=ALL_TAB_COMMENTS.TABLE_NAME "
        "and ALL_TAB_COMMENTS.TABLE_TYPE='VIEW' order by VIEW_NAME");
}

TEST(DictionaryStatements, IndexesAndConstraints) {
    EXPECT_EQ(
        User(DictionaryQuery::Indexes),
        "select IC.TABLE_NAME TableNameP, IC.INDEX_NAME IxName, ID.UNIQUENESS Uniqueness, IC.COLUMN_NAME "
        "ColumnName, IC.COLUMN_POSITION IxPosition from USER_INDEXES ID, USER_IND_COLUMNS IC where "
        "ID.INDEX_NAME = IC.INDEX_NAME order by IC.TABLE_NAME, IC.INDEX_NAME, IC.COLUMN_POSITION,  "
        "IC.COLUMN_NAME");
    EXPECT_EQ(
        All(DictionaryQuery::Indexes),
        "select IC.TABLE_NAME TableNameP, IC.INDEX_NAME IxName, ID.UNIQUENESS Uniqueness, IC.COLUMN_NAME "
        "ColumnName, IC.COLUMN_POSITION IxPosition from ALL_INDEXES ID, ALL_IND_COLUMNS IC where "
        "ID.OWNER='SCOTT' and IC.INDEX_OWNER='SCOTT' and ID.INDEX_NAME = IC.INDEX_NAME order by "
        "IC.TABLE_NAME, IC.INDEX_NAME, IC.COLUMN_POSITION, IC.COLUMN_NAME");
    EXPECT_EQ(
        User(DictionaryQuery::PrimaryKeys),
        "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME PKName, TBL.STATUS PKStatus, FLD.COLUMN_NAME "
        "ColumnNameP, FLD.POSITION Position from USER_CONSTRAINTS TBL, USER_CONS_COLUMNS FLD WHERE "
        "TBL.CONSTRAINT_TYPE='P' and FLD.CONSTRAINT_NAME = TBL.CONSTRAINT_NAME order by TBL.TABLE_NAME, "
        "TBL.CONSTRAINT_NAME, FLD.POSITION");
    EXPECT_EQ(
        All(DictionaryQuery::PrimaryKeys),
        "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME PKName, TBL.STATUS PKStatus, FLD.COLUMN_NAME "
        "ColumnNameP, FLD.POSITION Position from ALL_CONSTRAINTS TBL, ALL_CONS_COLUMNS FLD WHERE "
        "TBL.OWNER='SCOTT' and FLD.OWNER='SCOTT' and TBL.CONSTRAINT_TYPE='P' and FLD.CONSTRAINT_NAME = "
        "TBL.CONSTRAINT_NAME order by TBL.TABLE_NAME, TBL.CONSTRAINT_NAME, FLD.POSITION");
    // Unique keys: the same statements with type U.
    for (const bool user : {true, false}) {
        std::string expected = DictionaryStatement(DictionaryQuery::PrimaryKeys, user, "SCOTT");
        expected.replace(expected.find("CONSTRAINT_TYPE='P'"), 19, "CONSTRAINT_TYPE='U'");
        EXPECT_EQ(DictionaryStatement(DictionaryQuery::UniqueKeys, user, "SCOTT"), expected);
    }
    EXPECT_EQ(
        User(DictionaryQuery::ForeignKeys),
        "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME FKName, TBL.CONSTRAINT_NAME VerbPhrase, "
        "R_OWNER "
        "ReferenceOwner, R_CONSTRAINT_NAME ReferenceName, NVL(TBL.DELETE_RULE, ' ') DeleteRule, TBL.STATUS "
        "FKStatus, FLD.COLUMN_NAME ColumnNameP, FLD.POSITION FKPosition from USER_CONSTRAINTS TBL, "
        "USER_CONS_COLUMNS FLD WHERE TBL.CONSTRAINT_TYPE='R' and FLD.CONSTRAINT_NAME = TBL.CONSTRAINT_NAME "
        "order by TBL.TABLE_NAME, TBL.CONSTRAINT_NAME, FLD.POSITION");
    EXPECT_EQ(
        All(DictionaryQuery::ForeignKeys),
        "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME FKName, TBL.CONSTRAINT_NAME VerbPhrase, "
        "R_OWNER "
        "ReferenceOwner, R_CONSTRAINT_NAME ReferenceName, NVL(TBL.DELETE_RULE, ' ') DeleteRule, TBL.STATUS "
        "FKStatus, FLD.COLUMN_NAME ColumnNameP, FLD.POSITION FKPosition from ALL_CONSTRAINTS TBL, "
        "ALL_CONS_COLUMNS FLD WHERE TBL.OWNER='SCOTT' and FLD.OWNER='SCOTT' and TBL.CONSTRAINT_TYPE='R' and "
        "FLD.CONSTRAINT_NAME = TBL.CONSTRAINT_NAME order by TBL.TABLE_NAME, TBL.CONSTRAINT_NAME, "
        "FLD.POSITION");
    EXPECT_EQ(
        User(DictionaryQuery::Conditions),
        "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME CDName, TBL.STATUS CDStatus, FLD.COLUMN_NAME "
        "ColumnNameP, TBL.SEARCH_CONDITION Condition from USER_CONSTRAINTS TBL, USER_CONS_COLUMNS FLD WHERE "
        "TBL.CONSTRAINT_TYPE='C' and FLD.CONSTRAINT_NAME = TBL.CONSTRAINT_NAME order by TBL.TABLE_NAME, "
        "TBL.CONSTRAINT_NAME");
    EXPECT_EQ(
        All(DictionaryQuery::Conditions),
        "select TBL.TABLE_NAME TableNameP, TBL.CONSTRAINT_NAME CDName, TBL.STATUS CDStatus, FLD.COLUMN_NAME "
        "ColumnNameP, TBL.SEARCH_CONDITION Condition from ALL_CONSTRAINTS TBL, ALL_CONS_COLUMNS FLD WHERE "
        "TBL.OWNER='SCOTT' and FLD.OWNER='SCOTT' and TBL.CONSTRAINT_TYPE='C' and FLD.CONSTRAINT_NAME = "
        "TBL.CONSTRAINT_NAME order by TBL.TABLE_NAME, TBL.CONSTRAINT_NAME");
}

TEST(DictionaryStatements, QuotesInAnOwnerNameAreDoubled) {
    EXPECT_EQ(QuoteOwnerName("O'NEIL"), "O''NEIL");
    EXPECT_EQ(QuoteOwnerName("''"), "''''");
    const std::string tables = All(DictionaryQuery::Tables, "O'NEIL");
    EXPECT_NE(tables.find("ALL_TABLES.OWNER='O''NEIL' and ALL_TAB_COMMENTS.OWNER='O''NEIL'"),
              std::string::npos);
    EXPECT_NE(
        DictionaryStatement(DictionaryQuery::PrivilegesMade, true, "O'NEIL").find("PR.OWNER = 'O''NEIL'"),
        std::string::npos);
}
