/* A SQLite extension that adds Oracle's NVL(a, b): a unless it is NULL,
   else b. Drivers that load extensions by path (the SQLite ODBC driver's
   LoadExt attribute) use it to run the catalogue statements, which call NVL,
   against a dictionary snapshot. The snapshot source inside Tabulorix
   registers the same function itself. */
#include <sqlite3ext.h>
#include <string.h>
SQLITE_EXTENSION_INIT1

static void nvl(sqlite3_context* context, int count, sqlite3_value** arguments) {
    (void)count;
    sqlite3_result_value(context,
                         sqlite3_value_type(arguments[0]) == SQLITE_NULL ? arguments[1] : arguments[0]);
}

/* For tests only: TABULORIX_FAIL_ON(value, trigger) gives value, but fails
   the statement with an error naming the value when value equals trigger.
   A dictionary view that passes a column through it makes a statement fail
   in the middle of its rows, after the first rows have been fetched. */
static void fail_on(sqlite3_context* context, int count, sqlite3_value** arguments) {
    (void)count;
    const unsigned char* value = sqlite3_value_text(arguments[0]);
    const unsigned char* trigger = sqlite3_value_text(arguments[1]);
    if (value != 0 && trigger != 0 && strcmp((const char*)value, (const char*)trigger) == 0) {
        char* message = sqlite3_mprintf("TABULORIX_FAIL_ON: the value %s cannot be read", value);
        sqlite3_result_error(context, message, -1);
        sqlite3_free(message);
        return;
    }
    sqlite3_result_value(context, arguments[0]);
}

#ifdef _WIN32
__declspec(dllexport)
#endif
    int sqlite3_extension_init(sqlite3* db, char** error, const sqlite3_api_routines* api) {
    (void)error;
    SQLITE_EXTENSION_INIT2(api);
    const int rc = sqlite3_create_function(db, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, 0, nvl, 0, 0);
    if (rc != SQLITE_OK) return rc;
    return sqlite3_create_function(db, "TABULORIX_FAIL_ON", 2, SQLITE_UTF8, 0, fail_on, 0, 0);
}
