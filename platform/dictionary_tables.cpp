#include "platform/dictionary_tables.h"

namespace tabulorix {

const std::vector<DictionaryTable>& DictionaryTables() {
    static const std::vector<DictionaryTable> tables{
        {"ALL_TABLES", {"OWNER", "TABLE_NAME"}, "OWNER", {}},
        {"ALL_TAB_COMMENTS", {"OWNER", "TABLE_NAME", "TABLE_TYPE", "COMMENTS"}, "OWNER", {}},
        {"ALL_TAB_COLUMNS",
         {"OWNER", "TABLE_NAME", "COLUMN_NAME", "DATA_TYPE", "DATA_LENGTH", "DATA_PRECISION", "DATA_SCALE",
          "NULLABLE", "DATA_DEFAULT", "COLUMN_ID"},
         "OWNER",
         {"DATA_LENGTH", "DATA_PRECISION", "DATA_SCALE", "COLUMN_ID"}},
        {"ALL_COL_COMMENTS", {"OWNER", "TABLE_NAME", "COLUMN_NAME", "COMMENTS"}, "OWNER", {}},
        {"ALL_VIEWS", {"OWNER", "VIEW_NAME", "TEXT"}, "OWNER", {}},
        {"ALL_INDEXES", {"OWNER", "INDEX_NAME", "TABLE_OWNER", "TABLE_NAME", "UNIQUENESS"}, "OWNER", {}},
        {"ALL_IND_COLUMNS",
         {"INDEX_OWNER", "INDEX_NAME", "TABLE_OWNER", "TABLE_NAME", "COLUMN_NAME", "COLUMN_POSITION"},
         "INDEX_OWNER",
         {"COLUMN_POSITION"}},
        {"ALL_CONSTRAINTS",
         {"OWNER", "CONSTRAINT_NAME", "CONSTRAINT_TYPE", "TABLE_NAME", "SEARCH_CONDITION", "R_OWNER",
          "R_CONSTRAINT_NAME", "DELETE_RULE", "STATUS"},
         "OWNER",
         {}},
        {"ALL_CONS_COLUMNS",
         {"OWNER", "CONSTRAINT_NAME", "TABLE_NAME", "COLUMN_NAME", "POSITION"},
         "OWNER",
         {"POSITION"}},
        {"ALL_TAB_PRIVS_MADE", {"GRANTEE", "OWNER", "TABLE_NAME", "GRANTOR", "PRIVILEGE"}, "OWNER", {}},
        {"ALL_TAB_PRIVS_RECD", {"GRANTEE", "OWNER", "TABLE_NAME", "GRANTOR", "PRIVILEGE"}, "OWNER", {}},
    };
    return tables;
}

}  // namespace tabulorix
