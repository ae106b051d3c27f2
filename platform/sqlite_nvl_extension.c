/* A SQLite extension that adds Oracle's NVL(a, b): a unless it is NULL,
   else b. Drivers that load extensions by path (the SQLite ODBC driver's
   LoadExt attribute) use it to run the catalogue statements, which call NVL,
   against a dictionary snapshot. The snapshot source inside Tabulorix
   registers the same function itself. */
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

static void nvl(sqlite3_context* context, int count, sqlite3_value** arguments) {
    (void)count;
    sqlite3_result_value(context,
                         sqlite3_value_type(arguments[0]) == SQLITE_NULL ? arguments[1] : arguments[0]);
}

#ifdef _WIN32
__declspec(dllexport)
#endif
    int sqlite3_extension_init(sqlite3* db, char** error, const sqlite3_api_routines* api) {
    (void)error;
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_function(db, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, 0, nvl, 0, 0);
}
