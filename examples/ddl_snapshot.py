"""Turns a readable Oracle DDL description into dictionary snapshot rows.

The description is ordinary Oracle DDL, one statement per ";" :

    CREATE USER SALES IDENTIFIED BY tiger;        -- a login for the snapshot
    ALTER SESSION SET CURRENT_SCHEMA = SALES;     -- owner of what follows
    CREATE TABLE ... ( column TYPE [DEFAULT x] [NOT NULL] [PRIMARY KEY|UNIQUE],
                       [CONSTRAINT n] PRIMARY KEY|UNIQUE (cols),
                       [CONSTRAINT n] FOREIGN KEY (cols) REFERENCES [owner.]table [(cols)]
                                      [ON DELETE CASCADE|SET NULL],
                       [CONSTRAINT n] CHECK (condition) );
    COMMENT ON TABLE t IS '...';  COMMENT ON COLUMN t.c IS '...';
    CREATE [UNIQUE] INDEX n ON t (cols);
    CREATE VIEW v (column TYPE, ...) AS select ...;   -- the column list carries
                                                       -- the types the dictionary records
    GRANT privilege[, privilege] ON t TO grantee;

Comments start with "--". Names are upper-cased unless double-quoted.
"""

import re

from snapshot_writer import SnapshotWriter

NO_LENGTH_TYPES = {"DATE": 7, "CLOB": 4000, "NCLOB": 4000, "BLOB": 4000, "BFILE": 530, "LONG": 0,
                   "LONG RAW": 0, "ROWID": 10, "XMLTYPE": 2000}


class DdlError(ValueError):
    pass


def strip_comments(text):
    out, quote = [], False
    i = 0
    while i < len(text):
        c = text[i]
        if c == "'":
            quote = not quote
        if not quote and text.startswith("--", i):
            while i < len(text) and text[i] != "\n":
                i += 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def split_top(text, separator):
    """Splits at separators outside quotes and parentheses."""
    parts, depth, quote, start = [], 0, False, 0
    for i, c in enumerate(text):
        if c == "'":
            quote = not quote
        elif not quote and c == "(":
            depth += 1
        elif not quote and c == ")":
            depth -= 1
        elif not quote and depth == 0 and c == separator:
            parts.append(text[start:i])
            start = i + 1
    parts.append(text[start:])
    return parts


def name(token):
    token = token.strip()
    if token.startswith('"') and token.endswith('"'):
        return token[1:-1]
    return token.upper()


def names(text):
    return [name(n) for n in text.split(",") if n.strip()]


def unquote(literal):
    literal = literal.strip()
    if not (literal.startswith("'") and literal.endswith("'")):
        raise DdlError(f"expected a quoted text, found {literal!r}")
    return literal[1:-1].replace("''", "'")


def data_type(text):
    """Returns DATA_TYPE, DATA_LENGTH, DATA_PRECISION, DATA_SCALE as Oracle reports them."""
    t = " ".join(text.upper().split())
    if t in NO_LENGTH_TYPES:
        return t, NO_LENGTH_TYPES[t], None, None
    if t == "NUMBER":
        return "NUMBER", 22, None, None
    if t == "INTEGER":
        return "NUMBER", 22, None, 0
    m = re.fullmatch(r"NUMBER\((\d+)(?:,(\d+))?\)", t.replace(" ", ""))
    if m:
        return "NUMBER", 22, int(m.group(1)), int(m.group(2) or 0)
    m = re.fullmatch(r"FLOAT(?:\((\d+)\))?", t)
    if m:
        return "FLOAT", 22, int(m.group(1) or 126), None
    m = re.fullmatch(r"(N?VARCHAR2|N?CHAR|RAW)\((\d+)(?: (?:BYTE|CHAR))?\)", t)
    if m:
        factor = 2 if m.group(1).startswith("N") else 1
        return m.group(1), int(m.group(2)) * factor, None, None
    m = re.fullmatch(r"TIMESTAMP(?:\((\d)\))?( WITH (?:LOCAL )?TIME ZONE)?", t)
    if m:
        p = int(m.group(1) or 6)
        zone = m.group(2) or ""
        return f"TIMESTAMP({p}){zone}", 13 if "TIME ZONE" in zone and "LOCAL" not in zone else 11, None, p
    m = re.fullmatch(r"INTERVAL DAY(?:\((\d)\))? TO SECOND(?:\((\d)\))?", t)
    if m:
        d, s = int(m.group(1) or 2), int(m.group(2) or 6)
        return f"INTERVAL DAY({d}) TO SECOND({s})", 11, d, s
    raise DdlError(f"unknown data type {text!r}")


class Catalogue:
    def __init__(self):
        self.writer = SnapshotWriter()
        self.owner = None
        self.constraints = {}  # (owner, name) -> (type, table, columns)
        self.pending_fks = []  # resolved when every table is known
        self.indexes = set()

    # -- statements -------------------------------------------------------
    def run(self, text):
        for statement in split_top(strip_comments(text), ";"):
            statement = statement.strip()
            if statement:
                try:
                    self.statement(statement)
                except DdlError as error:
                    raise DdlError(f"{error} in: {statement[:80]}") from None
        self.resolve_foreign_keys()
        return self.writer

    def statement(self, s):
        u = s.upper()
        if m := re.match(r"CREATE\s+USER\s+(\S+)\s+IDENTIFIED\s+BY\s+(\S+)$", s, re.I):
            self.writer.add_user(name(m.group(1)), m.group(2).strip('"'))
        elif m := re.match(r"ALTER\s+SESSION\s+SET\s+CURRENT_SCHEMA\s*=\s*(\S+)$", s, re.I):
            self.owner = name(m.group(1))
        elif u.startswith("CREATE TABLE"):
            self.create_table(s)
        elif m := re.match(r"COMMENT\s+ON\s+TABLE\s+(\S+)\s+IS\s+(.*)$", s, re.I | re.S):
            self.comment_table(name(m.group(1)), unquote(m.group(2)))
        elif m := re.match(r"COMMENT\s+ON\s+COLUMN\s+([^.\s]+)\.(\S+)\s+IS\s+(.*)$", s, re.I | re.S):
            self.comment_column(name(m.group(1)), name(m.group(2)), unquote(m.group(3)))
        elif m := re.match(r"CREATE\s+(UNIQUE\s+)?INDEX\s+(\S+)\s+ON\s+(\S+)\s*\((.*)\)$", s, re.I | re.S):
            self.add_index(name(m.group(2)), name(m.group(3)), names(m.group(4)), bool(m.group(1)))
        elif m := re.match(r"CREATE\s+VIEW\s+(\S+)\s*\((.*?)\)\s*AS\s+(.*)$", s, re.I | re.S):
            self.create_view(name(m.group(1)), m.group(2), m.group(3))
        elif m := re.match(r"GRANT\s+(.*?)\s+ON\s+(\S+)\s+TO\s+(\S+)$", s, re.I | re.S):
            self.grant([p.strip().upper() for p in m.group(1).split(",")], name(m.group(2)), name(m.group(3)))
        else:
            raise DdlError("statement not understood")

    def need_owner(self):
        if not self.owner:
            raise DdlError("ALTER SESSION SET CURRENT_SCHEMA must come first")
        return self.owner

    def create_table(self, s):
        m = re.match(r"CREATE\s+TABLE\s+(\S+)\s*\((.*)\)$", s, re.I | re.S)
        if not m:
            raise DdlError("CREATE TABLE needs a column list")
        owner, table = self.need_owner(), name(m.group(1))
        self.writer.add("ALL_TABLES", OWNER=owner, TABLE_NAME=table)
        self.writer.add("ALL_TAB_COMMENTS", OWNER=owner, TABLE_NAME=table, TABLE_TYPE="TABLE")
        column_id = 0
        for item in split_top(m.group(2), ","):
            head = item.strip().upper()
            if re.match(r"(CONSTRAINT\s|PRIMARY\s+KEY|UNIQUE\s*\(|FOREIGN\s+KEY|CHECK\s*\()", head):
                self.table_constraint(table, item.strip())
            else:
                column_id += 1
                self.column(table, item, column_id)

    def column(self, table, item, column_id):
        m = re.match(r"\s*(\"[^\"]+\"|\S+)\s+(.*)$", item, re.S)
        if not m:
            raise DdlError(f"column definition {item.strip()!r}")
        column, rest = name(m.group(1)), m.group(2)
        keyword = re.search(r"\s(DEFAULT|NOT\s+NULL|PRIMARY\s+KEY|UNIQUE)\b", " " + rest, re.I)
        type_text = (" " + rest)[: keyword.start()] if keyword else rest
        rest = (" " + rest)[keyword.start():] if keyword else ""
        default = None
        if d := re.match(r"\s+DEFAULT\s(.*?)(?=(NOT\s+NULL|PRIMARY\s+KEY|UNIQUE\b|$))", rest, re.I | re.S):
            default = d.group(1)
        not_null = re.search(r"NOT\s+NULL", rest, re.I) is not None
        primary = re.search(r"PRIMARY\s+KEY", rest, re.I) is not None
        dtype, length, precision, scale = data_type(type_text.strip())
        self.writer.add("ALL_TAB_COLUMNS", OWNER=self.owner, TABLE_NAME=table, COLUMN_NAME=column,
                        DATA_TYPE=dtype, DATA_LENGTH=length, DATA_PRECISION=precision, DATA_SCALE=scale,
                        NULLABLE="N" if (not_null or primary) else "Y", DATA_DEFAULT=default,
                        COLUMN_ID=column_id)
        self.writer.add("ALL_COL_COMMENTS", OWNER=self.owner, TABLE_NAME=table, COLUMN_NAME=column)
        if not_null:
            self.add_constraint(self.writer.next_system_constraint_name(), "C", table, [column],
                                condition=f'"{column}" IS NOT NULL')
        if primary:
            self.add_constraint(self.writer.next_system_constraint_name(), "P", table, [column])
        elif re.search(r"\bUNIQUE\b", rest, re.I):
            self.add_constraint(self.writer.next_system_constraint_name(), "U", table, [column])

    def table_constraint(self, table, item):
        m = re.match(r"CONSTRAINT\s+(\S+)\s+(.*)$", item, re.I | re.S)
        cname, body = (name(m.group(1)), m.group(2)) if m else (self.writer.next_system_constraint_name(), item)
        status = "DISABLED" if re.search(r"\bDISABLE\s*$", body, re.I) else "ENABLED"
        body = re.sub(r"\s+(ENABLE|DISABLE)\s*$", "", body, flags=re.I)
        if k := re.match(r"PRIMARY\s+KEY\s*\((.*)\)$", body, re.I | re.S):
            self.add_constraint(cname, "P", table, names(k.group(1)), status=status)
        elif k := re.match(r"UNIQUE\s*\((.*)\)$", body, re.I | re.S):
            self.add_constraint(cname, "U", table, names(k.group(1)), status=status)
        elif k := re.match(r"CHECK\s*\((.*)\)$", body, re.I | re.S):
            columns = [c for c in self.table_columns(table) if re.search(rf"\b{re.escape(c)}\b", k.group(1))]
            self.add_constraint(cname, "C", table, columns or [], condition=k.group(1).strip(), status=status)
        elif k := re.match(r"FOREIGN\s+KEY\s*\((.*?)\)\s*REFERENCES\s+([^\s(]+)\s*(?:\((.*?)\))?\s*"
                           r"(?:ON\s+DELETE\s+(CASCADE|SET\s+NULL))?$", body, re.I | re.S):
            ref = k.group(2).split(".")
            ref_owner, ref_table = (name(ref[0]), name(ref[1])) if len(ref) == 2 else (self.owner, name(ref[0]))
            rule = " ".join(k.group(4).upper().split()) if k.group(4) else "NO ACTION"
            self.add_constraint(cname, "R", table, names(k.group(1)), status=status, delete_rule=rule)
            self.pending_fks.append((self.owner, cname, ref_owner, ref_table,
                                     names(k.group(3)) if k.group(3) else None))
        else:
            raise DdlError(f"constraint not understood: {body.strip()!r}")

    def table_columns(self, table):
        return [r[2] for r in self.writer.rows["ALL_TAB_COLUMNS"] if r[0] == self.owner and r[1] == table]

    def add_constraint(self, cname, ctype, table, columns, condition=None, status="ENABLED",
                       delete_rule=None):
        owner = self.need_owner()
        if (owner, cname) in self.constraints:
            raise DdlError(f"constraint {cname} defined twice")
        self.constraints[(owner, cname)] = (ctype, table, columns)
        self.writer.add("ALL_CONSTRAINTS", OWNER=owner, CONSTRAINT_NAME=cname, CONSTRAINT_TYPE=ctype,
                        TABLE_NAME=table, SEARCH_CONDITION=condition, DELETE_RULE=delete_rule,
                        STATUS=status)
        for position, column in enumerate(columns, 1):
            self.writer.add("ALL_CONS_COLUMNS", OWNER=owner, CONSTRAINT_NAME=cname, TABLE_NAME=table,
                            COLUMN_NAME=column, POSITION=None if ctype == "C" else position)
        if ctype in ("P", "U"):
            self.add_index(cname, table, columns, unique=True)
        if ctype == "P":
            self.mark_not_null(owner, table, columns)

    def add_index(self, iname, table, columns, unique):
        owner = self.need_owner()
        if (owner, iname) in self.indexes:
            return
        self.indexes.add((owner, iname))
        self.writer.add("ALL_INDEXES", OWNER=owner, INDEX_NAME=iname, TABLE_OWNER=owner, TABLE_NAME=table,
                        UNIQUENESS="UNIQUE" if unique else "NONUNIQUE")
        for position, column in enumerate(columns, 1):
            self.writer.add("ALL_IND_COLUMNS", INDEX_OWNER=owner, INDEX_NAME=iname, TABLE_OWNER=owner,
                            TABLE_NAME=table, COLUMN_NAME=column, COLUMN_POSITION=position)

    def mark_not_null(self, owner, table, columns):
        """Primary-key columns are NOT NULL without a check constraint of their own."""
        rows = self.writer.rows["ALL_TAB_COLUMNS"]
        for i, row in enumerate(rows):
            if row[0] == owner and row[1] == table and row[2] in columns:
                rows[i] = row[:7] + ("N",) + row[8:]

    def resolve_foreign_keys(self):
        rows = self.writer.rows["ALL_CONSTRAINTS"]
        for owner, cname, ref_owner, ref_table, ref_columns in self.pending_fks:
            target = None
            for (o, n), (ctype, table, columns) in self.constraints.items():
                if o == ref_owner and table == ref_table and ctype in ("P", "U") and \
                        (columns == ref_columns or (ref_columns is None and ctype == "P")):
                    target = n
                    break
            if target is None:
                raise DdlError(f"{owner}.{cname} references {ref_owner}.{ref_table} without a matching key")
            for i, row in enumerate(rows):
                if row[0] == owner and row[1] == cname:
                    rows[i] = row[:5] + (ref_owner, target) + row[7:]

    def comment_table(self, table, text):
        self.set_comment("ALL_TAB_COMMENTS", lambda r: r[0] == self.owner and r[1] == table, 3, text, table)

    def comment_column(self, table, column, text):
        self.set_comment("ALL_COL_COMMENTS", lambda r: r[0] == self.owner and r[1] == table and r[2] == column,
                         3, text, f"{table}.{column}")

    def set_comment(self, dictionary, match, position, text, what):
        rows = self.writer.rows[dictionary]
        for i, row in enumerate(rows):
            if match(row):
                rows[i] = row[:position] + (text,) + row[position + 1:]
                return
        raise DdlError(f"comment on unknown object {what}")

    def create_view(self, view, column_text, source):
        owner = self.need_owner()
        self.writer.add("ALL_VIEWS", OWNER=owner, VIEW_NAME=view, TEXT=source.strip())
        self.writer.add("ALL_TAB_COMMENTS", OWNER=owner, TABLE_NAME=view, TABLE_TYPE="VIEW")
        for column_id, item in enumerate(split_top(column_text, ","), 1):
            column, type_text = item.strip().split(None, 1)
            dtype, length, precision, scale = data_type(type_text)
            self.writer.add("ALL_TAB_COLUMNS", OWNER=owner, TABLE_NAME=view, COLUMN_NAME=name(column),
                            DATA_TYPE=dtype, DATA_LENGTH=length, DATA_PRECISION=precision, DATA_SCALE=scale,
                            NULLABLE="Y", COLUMN_ID=column_id)
            self.writer.add("ALL_COL_COMMENTS", OWNER=owner, TABLE_NAME=view, COLUMN_NAME=name(column))

    def grant(self, privileges, table, grantee):
        """Privileges as the login (the first user created) sees them: the
        grants on its own objects are privileges made, the grants it received
        on other owners' objects are privileges received."""
        owner = self.need_owner()
        login = self.writer.users[0][0] if self.writer.users else owner
        for privilege in privileges:
            values = dict(GRANTEE=grantee, OWNER=owner, TABLE_NAME=table, GRANTOR=owner, PRIVILEGE=privilege)
            if owner == login:
                self.writer.add("ALL_TAB_PRIVS_MADE", **values)
            elif grantee == login:
                self.writer.add("ALL_TAB_PRIVS_RECD", **values)


def snapshot_from_ddl(text):
    return Catalogue().run(text)
