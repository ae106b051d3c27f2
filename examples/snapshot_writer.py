"""Writes dictionary snapshot files: one SQLite database holding copies of
Oracle's ALL_ dictionary views with Oracle's own column names.

Used by examples/make-sample-snapshot (the bundled sample, from a readable
DDL description) and by the benchmarks (synthetic schemas). The tables follow
Oracle's habits: NOT NULL columns also appear as check constraints named
SYS_Cnnnnnn with the condition "COL" IS NOT NULL, primary and unique keys have
a unique index of the same name, NUMBER has DATA_LENGTH 22 and DATE 7.
"""

import sqlite3

DICTIONARY_TABLES = {
    "ALL_TABLES": ["OWNER", "TABLE_NAME"],
    "ALL_TAB_COMMENTS": ["OWNER", "TABLE_NAME", "TABLE_TYPE", "COMMENTS"],
    "ALL_TAB_COLUMNS": ["OWNER", "TABLE_NAME", "COLUMN_NAME", "DATA_TYPE", "DATA_LENGTH",
                        "DATA_PRECISION", "DATA_SCALE", "NULLABLE", "DATA_DEFAULT", "COLUMN_ID"],
    "ALL_COL_COMMENTS": ["OWNER", "TABLE_NAME", "COLUMN_NAME", "COMMENTS"],
    "ALL_VIEWS": ["OWNER", "VIEW_NAME", "TEXT"],
    "ALL_INDEXES": ["OWNER", "INDEX_NAME", "TABLE_OWNER", "TABLE_NAME", "UNIQUENESS"],
    "ALL_IND_COLUMNS": ["INDEX_OWNER", "INDEX_NAME", "TABLE_OWNER", "TABLE_NAME", "COLUMN_NAME",
                        "COLUMN_POSITION"],
    "ALL_CONSTRAINTS": ["OWNER", "CONSTRAINT_NAME", "CONSTRAINT_TYPE", "TABLE_NAME", "SEARCH_CONDITION",
                        "R_OWNER", "R_CONSTRAINT_NAME", "DELETE_RULE", "STATUS"],
    "ALL_CONS_COLUMNS": ["OWNER", "CONSTRAINT_NAME", "TABLE_NAME", "COLUMN_NAME", "POSITION"],
    "ALL_TAB_PRIVS_MADE": ["GRANTEE", "OWNER", "TABLE_NAME", "GRANTOR", "PRIVILEGE"],
    "ALL_TAB_PRIVS_RECD": ["GRANTEE", "OWNER", "TABLE_NAME", "GRANTOR", "PRIVILEGE"],
}

INTEGER_COLUMNS = {"DATA_LENGTH", "DATA_PRECISION", "DATA_SCALE", "COLUMN_ID", "COLUMN_POSITION",
                   "POSITION"}

# Indexes that let SQLite answer the reader's statements without full scans.
SEARCH_INDEXES = [
    ("ALL_TABLES", ["OWNER", "TABLE_NAME"]),
    ("ALL_TAB_COMMENTS", ["OWNER", "TABLE_NAME"]),
    ("ALL_TAB_COLUMNS", ["OWNER", "TABLE_NAME", "COLUMN_ID"]),
    ("ALL_COL_COMMENTS", ["OWNER", "TABLE_NAME", "COLUMN_NAME"]),
    ("ALL_VIEWS", ["OWNER", "VIEW_NAME"]),
    ("ALL_INDEXES", ["OWNER", "INDEX_NAME"]),
    ("ALL_IND_COLUMNS", ["INDEX_OWNER", "INDEX_NAME"]),
    ("ALL_CONSTRAINTS", ["OWNER", "CONSTRAINT_TYPE", "TABLE_NAME"]),
    ("ALL_CONS_COLUMNS", ["OWNER", "CONSTRAINT_NAME"]),
    ("ALL_TAB_PRIVS_MADE", ["OWNER", "TABLE_NAME"]),
    ("ALL_TAB_PRIVS_RECD", ["OWNER", "TABLE_NAME"]),
]


def create_schema(db):
    for table, columns in DICTIONARY_TABLES.items():
        defs = ", ".join(f"{c} {'INTEGER' if c in INTEGER_COLUMNS else 'TEXT'}" for c in columns)
        db.execute(f"CREATE TABLE {table} ({defs})")
    db.execute("CREATE TABLE SNAPSHOT_USERS (USERNAME TEXT, PASSWORD TEXT)")


def create_search_indexes(db):
    for number, (table, columns) in enumerate(SEARCH_INDEXES):
        db.execute(f"CREATE INDEX IX_SNAPSHOT_{number} ON {table} ({', '.join(columns)})")


class SnapshotWriter:
    """Collects dictionary rows in memory and writes them in one transaction."""

    def __init__(self):
        self.rows = {table: [] for table in DICTIONARY_TABLES}
        self.users = []
        self._system_constraint = 9000

    def add(self, table, **values):
        unknown = set(values) - set(DICTIONARY_TABLES[table])
        if unknown:
            raise ValueError(f"{table} has no column {sorted(unknown)}")
        self.rows[table].append(tuple(values.get(c) for c in DICTIONARY_TABLES[table]))

    def add_user(self, name, password):
        self.users.append((name, password))

    def next_system_constraint_name(self):
        self._system_constraint += 1
        return f"SYS_C{self._system_constraint:07d}"

    def write(self, path):
        db = sqlite3.connect(path)
        try:
            create_schema(db)
            for table, rows in self.rows.items():
                if rows:
                    marks = ", ".join("?" for _ in DICTIONARY_TABLES[table])
                    db.executemany(f"INSERT INTO {table} VALUES ({marks})", rows)
            if self.users:
                db.executemany("INSERT INTO SNAPSHOT_USERS VALUES (?, ?)", self.users)
            create_search_indexes(db)
            db.commit()
        finally:
            db.close()
