// The script operations of the boxes: the statements a table or view box
// contributes to a generated SQL script, in creation or removal form.
#include <array>
#include <functional>
#include <string_view>

#include "catalogue/row_items.h"
#include "diagram/box_script.h"
#include "diagram/referenced_keys.h"
#include "diagram/script_flags.h"
#include "diagram/shape_table.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"

namespace tabulorix {

using namespace script_flags;

namespace {

bool Creation(std::uint32_t flags) {
    return (flags & kCreation) != 0;
}

std::string Prefixed(const MGShapeTable& box, std::uint32_t flags, const std::string& name) {
    return (flags & kOwnerPrefix) != 0 ? box.Owner() + "." + name : name;
}

std::string QuoteSqlText(const std::string& text) {
    std::string quoted;
    for (const char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted;
}

// The first items of the data rows of a row table, joined by ",".
std::string JoinColumns(const ZMGCell& columns, int item) {
    std::string joined;
    for (int r = 1; !columns.IsPastEnd(r); ++r) {
        if (r > 1) joined += ",";
        joined += columns.GetRow(r).ItemOrEmpty(item);
    }
    return joined;
}

const ZMGCell* ChildOf(const ZMGRowExt& row) {
    const auto* cell = dynamic_cast<const ZMGRowCell*>(&row);
    return cell != nullptr ? &cell->Child() : nullptr;
}

std::string KeyColumns(const ZMGRowExt& row) {
    const ZMGCell* child = ChildOf(row);
    return child != nullptr ? JoinColumns(*child, 0) : std::string();
}

// A condition that only says that one column is not null: such columns
// carry NOT NULL in their definition already.
// The text without its first "IS NOT NULL" must be one word at most
// (blanks around it allowed); the two pieces around it are read in place.
bool IsNotNullOnly(const std::string& condition) {
    constexpr std::string_view kNotNull = "IS NOT NULL";
    const auto at = condition.find(kNotNull);
    if (at == std::string::npos) return false;
    const std::string_view text = condition;
    bool word = false;  // a non-blank was seen
    bool gap = false;   // a blank came after it
    for (const std::string_view piece : {text.substr(0, at), text.substr(at + kNotNull.size())}) {
        for (const char c : piece) {
            if (c != ' ') {
                if (gap) return false;
                word = true;
            } else if (word) {
                gap = true;
            }
        }
    }
    return true;
}

// One constraint of a table: its name and the text after the name
// (creation form).
struct Constraint {
    std::string name;
    std::string body;
};

class TableScript {
public:
    TableScript(const MGShapeTable& box, std::uint32_t flags) : box_(box), flags_(flags) {}

    std::vector<Constraint> Keys(const ZMGCell& rows, const char* keyword) const {
        std::vector<Constraint> keys;
        for (int r = 1; !rows.IsPastEnd(r); ++r) {
            const ZMGRowExt& row = rows.GetRow(r);
            keys.push_back({row.ItemOrEmpty(key_row::kKeyName),
                            std::string(" ") + keyword + " (" + KeyColumns(row) + ")"});
        }
        return keys;
    }

    // A check constraint may be listed once per column it names; it is
    // written once.
    std::vector<Constraint> Conditions() const {
        std::vector<Constraint> conditions;
        const ZMGCell& rows = box_.ConditionRows();
        for (int r = 1; !rows.IsPastEnd(r); ++r) {
            const ZMGRowExt& row = rows.GetRow(r);
            const std::string& text = row.ItemOrEmpty(condition_row::kCondition);
            if (IsNotNullOnly(text)) continue;
            if (!conditions.empty() && conditions.back().name == row.ItemOrEmpty(key_row::kKeyName)) continue;
            conditions.push_back({row.ItemOrEmpty(key_row::kKeyName), " CHECK (" + text + ")"});
        }
        return conditions;
    }

    std::vector<Constraint> ForeignKeys() const {
        std::vector<Constraint> keys;
        const ZMGCell& rows = box_.ForeignKeyRows();
        for (int r = 1; !rows.IsPastEnd(r); ++r) {
            const ZMGRowExt& row = rows.GetRow(r);
            const MGReferencedKey target = FindReferencedKey(box_, row);
            if (target.key == nullptr) continue;
            const std::string& owner = row.ItemOrEmpty(foreign_key_row::kReferenceOwner);
            // The referenced table is named with its owner when it lives in
            // another schema, and whenever the script names owners.
            const bool qualify = owner != box_.Owner() || (flags_ & kOwnerPrefix) != 0;
            std::string body = " FOREIGN KEY (" + KeyColumns(row) + ") REFERENCES " +
                               (qualify ? owner + "." : "") + target.box->Name() + "(" +
                               KeyColumns(*target.key) + ") ";
            if (row.ItemOrEmpty(foreign_key_row::kDeleteRule) == "CASCADE") body += "ON DELETE CASCADE ";
            keys.push_back({row.ItemOrEmpty(key_row::kKeyName), body});
        }
        return keys;
    }

    // The constraints of one kind bit, in the order the box lists them.
    std::vector<Constraint> OfKind(std::uint32_t kind) const {
        switch (kind) {
            case kPrimaryKeys:
                return Keys(box_.PrimaryKeyRows(), "PRIMARY KEY");
            case kUniqueKeys:
                return Keys(box_.UniqueRows(), "UNIQUE");
            case kForeignKeys:
                return ForeignKeys();
            default:
                return Conditions();
        }
    }

    void TableStatement(std::string& out) const {
        AppendCommentHeader(box_, flags_, "", out);
        if (!Creation(flags_)) {
            out += "DROP TABLE " + TableName() + ";\n";
            return;
        }
        out += "CREATE TABLE " + TableName() + "\n(\n";
        const ZMGCell& columns = box_.ColumnRows();
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            if (r > 1) out += ",\n";
            out += "    " + ColumnDefinition(columns.GetRow(r));
        }
        if ((flags_ & kInlineConstraints) != 0) {
            for (const std::uint32_t kind : kConstraintOrder) {
                if ((flags_ & kind) == 0) continue;
                for (const Constraint& constraint : OfKind(kind)) {
                    out += ",\n    CONSTRAINT " + constraint.name + constraint.body;
                }
            }
        }
        out += "\n);\n";
    }

    void SeparateConstraints(std::uint32_t kind, const char* label, std::string& out) const {
        const std::vector<Constraint> constraints = OfKind(kind);
        if (constraints.empty()) return;
        AppendCommentHeader(box_, flags_, label, out);
        for (const Constraint& constraint : constraints) {
            out += "ALTER TABLE " + TableName() + (Creation(flags_) ? " ADD" : " DROP") + "    CONSTRAINT " +
                   constraint.name;
            if (Creation(flags_)) out += constraint.body;
            out += ";\n";
        }
    }

    void Indexes(std::string& out) const {
        const ZMGCell& rows = box_.IndexRows();
        bool header = false;
        for (int r = 1; !rows.IsPastEnd(r); ++r) {
            const ZMGRowExt& row = rows.GetRow(r);
            const std::string& name = row.ItemOrEmpty(key_row::kKeyName);
            if (IsKeyName(name)) continue;
            if (!header) AppendCommentHeader(box_, flags_, "索引", out);
            header = true;
            if (Creation(flags_)) {
                out += std::string("CREATE ") +
                       (row.ItemOrEmpty(index_row::kUniqueness) == "UNIQUE" ? "UNIQUE " : "") + "INDEX " +
                       Prefixed(box_, flags_, name) + " ON " + TableName() + " (" + KeyColumns(row) + ");\n";
            } else {
                out += "DROP INDEX " + Prefixed(box_, flags_, name) + ";\n";
            }
        }
    }

    void Comments(std::string& out) const {
        bool header = false;
        auto statement = [&](const std::string& target, const std::string& comment) {
            if (!header) AppendCommentHeader(box_, flags_, "コメント", out);
            header = true;
            out +=
                "COMMENT ON " + target + " IS '" + (Creation(flags_) ? QuoteSqlText(comment) : "") + "';\n";
        };
        if (!box_.Comment().empty()) statement("TABLE " + TableName(), box_.Comment());
        const ZMGCell& columns = box_.ColumnRows();
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            const ZMGRowExt& column = columns.GetRow(r);
            const std::string& comment = column.ItemOrEmpty(column_row::kComments);
            if (comment.empty()) continue;
            statement("COLUMN " + TableName() + "." + column.ItemOrEmpty(column_row::kColumnNameP), comment);
        }
    }

    void Privileges(std::string& out) const {
        const ZMGCell& rows = box_.PrivilegeRows();
        if (rows.RowCount() == 0) return;
        AppendCommentHeader(box_, flags_, "OBJECT権限", out);
        for (int r = 0; !rows.IsPastEnd(r); ++r) {
            const ZMGRowExt& row = rows.GetRow(r);
            if (Creation(flags_)) {
                out += "GRANT " + row.ItemOrEmpty(privilege_row::kPrivilege) + " ON " + TableName() + " TO " +
                       row.ItemOrEmpty(privilege_row::kGrantee) + ";\n";
            } else {
                out += "REVOKE " + row.ItemOrEmpty(privilege_row::kPrivilege) + " ON " + TableName() +
                       " FROM " + row.ItemOrEmpty(privilege_row::kGrantee) + ";\n";
            }
        }
    }

    void ViewStatement(const std::string& source, bool blankLineRemoval, std::string& out) const {
        AppendCommentHeader(box_, flags_, "ソース", out);
        if (!Creation(flags_)) {
            out += "DROP VIEW " + TableName() + ";\n";
            return;
        }
        out += "CREATE OR REPLACE VIEW " + TableName() + "\n  (" +
               JoinColumns(box_.ColumnRows(), column_row::kColumnNameL) + ")\nAS\n" +
               (blankLineRemoval ? RemoveBlankLines(source) : source) + ";\n";
    }

    std::string TableName() const { return Prefixed(box_, flags_, box_.Name()); }

    static constexpr std::array<std::uint32_t, 4> kConstraintOrder = {kPrimaryKeys, kUniqueKeys, kForeignKeys,
                                                                      kConditions};

private:
    bool IsKeyName(const std::string& name) const {
        for (const ZMGCell* keys : {&box_.PrimaryKeyRows(), &box_.UniqueRows()}) {
            for (int r = 1; !keys->IsPastEnd(r); ++r) {
                if (keys->GetRow(r).ItemOrEmpty(key_row::kKeyName) == name) return true;
            }
        }
        return false;
    }

    const MGShapeTable& box_;
    std::uint32_t flags_;
};

void FinishPerBox(MGShapeTable& box, int perBoxMode, const std::string& out) {
    if (perBoxMode == 1) box.SetSqlSource(out);
}

}  // namespace

std::string ColumnDefinition(const ZMGRowExt& column) {
    static const std::array<const char*, 9> kNoLength = {"DATE", "LONG",    "LONG RAW", "ROWID", "BLOB",
                                                         "CLOB", "XMLTYPE", "NCLOB",    "BFILE"};
    const std::string& name = column.ItemOrEmpty(1);
    if (name.empty()) return std::string();
    const std::string& type = column.ItemOrEmpty(2);
    const std::string& length = column.ItemOrEmpty(3);
    std::string text = name + " " + type;
    bool takesNoLength = false;
    for (const char* kind : kNoLength) takesNoLength = takesNoLength || type == kind;
    if (takesNoLength) {
        text += " ";
    } else if (!length.empty() && type.find('(') == std::string::npos) {
        text += "(" + length + ")";
    }
    if (!column.ItemOrEmpty(5).empty()) text += " DEFAULT " + column.ItemOrEmpty(5);
    if (column.ItemOrEmpty(4) == "N") text += " NOT NULL";
    return text;
}

void AppendCommentHeader(const MGShapeTable& box, std::uint32_t scriptFlags, const std::string& label,
                         std::string& out) {
    if ((scriptFlags & kHeaders) == 0) return;
    out += "\n/* " + box.GetTypeName(false) + " : " + box.Name();
    if (!label.empty()) out += " の " + label;
    out += " */\n";
}

std::string RemoveBlankLines(const std::string& source) {
    std::string kept;
    bool textSinceLineFeed = false;
    for (const char c : source) {
        if (c == '\n') {
            if (textSinceLineFeed) kept += c;
            textSinceLineFeed = false;
        } else {
            kept += c;
            textSinceLineFeed = true;
        }
    }
    return kept;
}

void MGShapeTable::WriteObjectStatement(std::uint32_t scriptFlags, std::string& out) {
    TableScript(*this, scriptFlags).TableStatement(out);
}

bool MGShapeTable::WriteBoxScript(std::uint32_t scriptFlags, std::string& out, int perBoxMode,
                                  bool /*blankLineRemoval*/) {
    if (perBoxMode == 1) out.clear();
    if ((scriptFlags & kTablesEnabled) != 0) {
        const TableScript script(*this, scriptFlags);
        if ((scriptFlags & kTables) != 0) WriteObjectStatement(scriptFlags, out);
        if ((scriptFlags & kSeparateConstraints) != 0) {
            static constexpr std::array<std::pair<std::uint32_t, const char*>, 4> kSeparate = {
                {{kPrimaryKeys, "主キー"},
                 {kUniqueKeys, "一意"},
                 {kForeignKeys, "外部キー"},
                 {kConditions, "条件"}}};
            for (const auto& [kind, label] : kSeparate) {
                if ((scriptFlags & kind) != 0) script.SeparateConstraints(kind, label, out);
            }
        }
        if ((scriptFlags & kIndexes) != 0) script.Indexes(out);
        if ((scriptFlags & kComments) != 0) script.Comments(out);
        if ((scriptFlags & kPrivileges) != 0) script.Privileges(out);
    }
    FinishPerBox(*this, perBoxMode, out);
    return true;
}

std::string MGShapeTable::GetTypeName(bool englishKeys) const {
    return englishKeys ? "Table" : "表";
}

void MGShapeView::WriteObjectStatement(std::uint32_t scriptFlags, std::string& out) {
    TableScript(*this, scriptFlags).ViewStatement(ViewSource(), false, out);
}

bool MGShapeView::WriteBoxScript(std::uint32_t scriptFlags, std::string& out, int perBoxMode,
                                 bool blankLineRemoval) {
    if (perBoxMode == 1) out.clear();
    if ((scriptFlags & kViewsEnabled) != 0) {
        const TableScript script(*this, scriptFlags);
        if ((scriptFlags & kViews) != 0) script.ViewStatement(ViewSource(), blankLineRemoval, out);
        if ((scriptFlags & kComments) != 0) script.Comments(out);
        if ((scriptFlags & kPrivileges) != 0) script.Privileges(out);
    }
    FinishPerBox(*this, perBoxMode, out);
    return true;
}

std::string MGShapeView::GetTypeName(bool englishKeys) const {
    return englishKeys ? "View" : "ビュー";
}

std::string MGShapeText::GetTypeName(bool englishKeys) const {
    return englishKeys ? "Text" : "テキスト";
}

}  // namespace tabulorix
