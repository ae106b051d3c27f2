#include "plain_scans.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "reading/dictionary_reader.h"
#include "reading/dictionary_statements.h"
#include "catalogue/query_layer.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_view.h"
#include "platform/snapshot_database.h"
#include "reading/box_building.h"

using namespace tabulorix;

namespace tabulorix::plain {
namespace {

struct Layout {
    std::vector<int> keyItems;
    std::vector<int> columnItems;
};

enum class Kind { Index, Primary, Unique, Foreign, Condition };

Layout LayoutOf(Kind kind) {
    if (kind == Kind::Foreign) return {{1, 2, 3, 4, 5, 6}, {7, 8}};
    if (kind == Kind::Condition) return {{1, 2, 3, 4}, {}};
    return {{1, 2}, {3, 4}};
}

ZMGCell& Target(MGShapeTable& box, Kind kind) {
    switch (kind) {
        case Kind::Index:
            return box.IndexRows();
        case Kind::Primary:
            return box.PrimaryKeyRows();
        case Kind::Unique:
            return box.UniqueRows();
        case Kind::Foreign:
            return box.ForeignKeyRows();
        default:
            return box.ConditionRows();
    }
}

bool IsTableOrView(const MGShapeTable& box) {
    return (box.Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) != 0;
}

void Copy(const ZMGRowExt& from, const std::vector<int>& items, ZMGRowExt& to) {
    for (const int i : items) to.AddItem(from.ItemOrEmpty(i));
}

// The serial of the first column row of the box with this physical name.
int ColumnSerial(MGShapeTable& box, const std::string& name) {
    const ZMGCell& columns = box.ColumnRows();
    for (int r = 1; !columns.IsPastEnd(r); ++r) {
        if (columns.GetRow(r).ItemOrEmpty(1) == name) return columns.GetRow(r).Serial();
    }
    return -1;
}

int LargestKeyNumber(const MGDrawTableList& diagram) {
    int largest = 0;
    for (int i = 0; i < diagram.Count(); ++i) {
        for (const ZMGCell* keys : {&diagram.Item(i)->PrimaryKeyRows(), &diagram.Item(i)->UniqueRows()}) {
            for (int r = 0; !keys->IsPastEnd(r); ++r)
                largest = std::max(largest, keys->GetRow(r).KeyNumber());
        }
    }
    return largest;
}

void Distribute(MGSchema& schema, const ZMGCell& result, Kind kind) {
    if (result.RowCount() == 0) return;
    MGDrawTableList& diagram = *MGDrawTableList::Current();
    const Layout layout = LayoutOf(kind);
    const ZMGRowExt& header = result.GetRow(0);
    ZMGRowExt templ;
    Copy(header, layout.columnItems, templ);
    templ.SetSerial(0);
    auto addTemplate = [&](ZMGCell& columns) {
        auto copy = std::make_unique<ZMGRowExt>();
        copy->CopyRow(templ);
        columns.AddRow(std::move(copy));
    };
    auto mine = [&](const MGShapeTable& box) {
        return box.SchemaNumber() == schema.SchemaNumber() && IsTableOrView(box);
    };
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable& box = *diagram.Item(i);
        if (!mine(box)) continue;
        if (kind == Kind::Condition) {
            auto row = std::make_unique<ZMGRowExt>();
            Copy(header, layout.keyItems, *row);
            row->SetSerial(ColumnSerial(box, header.ItemOrEmpty(3)));
            Target(box, kind).AddRow(std::move(row));
            continue;
        }
        auto row = std::make_unique<ZMGRowCell>();
        Copy(header, layout.keyItems, *row);
        if (kind == Kind::Index) row->SetSerial(box.IndexRows().NextSerial(0));
        addTemplate(row->Child());
        Target(box, kind).AddRow(std::move(row));
    }
    std::string previousTable;
    std::string previousName;
    for (int r = 1; !result.IsPastEnd(r); ++r) {
        const ZMGRowExt& row = result.GetRow(r);
        for (int i = 0; i < diagram.Count(); ++i) {
            MGShapeTable& box = *diagram.Item(i);
            if (!mine(box) || box.Name() != row.ItemOrEmpty(0)) continue;
            ZMGCell& table = Target(box, kind);
            if (kind == Kind::Condition) {
                auto condition = std::make_unique<ZMGRowExt>();
                Copy(row, layout.keyItems, *condition);
                condition->SetSerial(ColumnSerial(box, row.ItemOrEmpty(3)));
                table.AddRow(std::move(condition));
                continue;
            }
            if (row.ItemOrEmpty(0) != previousTable || row.ItemOrEmpty(1) != previousName) {
                auto key = std::make_unique<ZMGRowCell>();
                Copy(row, layout.keyItems, *key);
                if (kind == Kind::Primary || kind == Kind::Unique)
                    key->SetKeyNumber(LargestKeyNumber(diagram) + 1);
                if (kind == Kind::Index) key->SetSerial(table.NextSerial(0));
                table.AddRow(std::move(key));
                previousTable = row.ItemOrEmpty(0);
                previousName = row.ItemOrEmpty(1);
            }
            auto& key = dynamic_cast<ZMGRowCell&>(table.GetRow(table.RowCount() - 1));
            if (key.Child().RowCount() == 0) addTemplate(key.Child());
            auto column = std::make_unique<ZMGRowExt>();
            Copy(row, layout.columnItems, *column);
            column->SetSerial(ColumnSerial(box, column->ItemOrEmpty(0)));
            key.Child().AddRow(std::move(column));
        }
    }
}

void BuildTables(MGSchema& schema) {
    const ZMGCell& columns = schema.Columns();
    const ZMGCell& tables = schema.Tables();
    MGShapeTable* box = nullptr;
    std::string previous;
    for (int i = 1; !columns.IsPastEnd(i); ++i) {
        const ZMGRowExt& row = columns.GetRow(i);
        if (i == 1 || row.ItemOrEmpty(1) != previous) {
            previous = row.ItemOrEmpty(1);
            box = nullptr;
            for (int t = 1; !tables.IsPastEnd(t); ++t) {
                const ZMGRowExt& table = tables.GetRow(t);
                if (table.ItemOrEmpty(0) != row.ItemOrEmpty(0)) continue;
                box = &MGDrawTableList::Current()->AddBox(std::make_unique<MGShapeTable>(
                    schema.SchemaNumber(), schema.OwnerName(), row.ItemOrEmpty(0), previous,
                    table.ItemOrEmpty(2), table.Detail()));
                break;
            }
        }
        if (box != nullptr) AddColumnRow(columns.GetRow(0), row, *box, 0, false);
    }
}

void BuildViews(MGSchema& schema) {
    const ZMGCell& columns = schema.ViewColumns();
    const ZMGCell& sources = schema.ViewSources();
    MGShapeTable* box = nullptr;
    std::string previous;
    for (int i = 1; !columns.IsPastEnd(i); ++i) {
        const ZMGRowExt& row = columns.GetRow(i);
        if (i == 1 || row.ItemOrEmpty(1) != previous) {
            previous = row.ItemOrEmpty(1);
            const ZMGRowExt* source = nullptr;
            for (int s = 1; source == nullptr && !sources.IsPastEnd(s); ++s) {
                if (sources.GetRow(s).ItemOrEmpty(0) == previous) source = &sources.GetRow(s);
            }
            box = &MGDrawTableList::Current()->AddBox(
                std::make_unique<MGShapeView>(schema.SchemaNumber(), schema.OwnerName(), row.ItemOrEmpty(0),
                                              previous, source ? source->ItemOrEmpty(2) : std::string(),
                                              source ? source->ItemOrEmpty(1) : std::string()));
        }
        AddColumnRow(columns.GetRow(0), row, *box, 0, false);
    }
}

void AttachPrivileges(MGSchema& schema) {
    const ZMGCell& privileges = schema.Privileges();
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    for (int r = 1; !privileges.IsPastEnd(r); ++r) {
        for (int i = 0; i < diagram.Count(); ++i) {
            MGShapeTable& box = *diagram.Item(i);
            if (box.Owner() != schema.OwnerName() || box.Name() != privileges.GetRow(r).ItemOrEmpty(0))
                continue;
            auto copy = std::make_unique<ZMGRowExt>();
            copy->CopyRow(privileges.GetRow(r));
            box.PrivilegeRows().AddRow(std::move(copy));
            break;
        }
    }
}

void Query(MGSchema& schema, ZMGQuery& query, DictionaryQuery which, ZMGCell& target, bool append = false) {
    RunQueryInto(query, schema.GetConnection(),
                 DictionaryStatement(which, schema.OwnsConnection(), schema.OwnerName()), target, append);
}

void ReadSchema(MGSchema& schema) {
    ZMGQuery query;
    Query(schema, query, DictionaryQuery::Tables, schema.Tables());
    Query(schema, query, DictionaryQuery::PrivilegesMade, schema.Privileges());
    Query(schema, query, DictionaryQuery::PrivilegesReceived, schema.Privileges(), true);
    for (int i = 0; i < 4 && i < schema.Privileges().GetRow(0).ItemCount(); ++i)
        schema.Privileges().GetRow(0).PutItem(i, kPrivilegeCaptions[i]);
    Query(schema, query, DictionaryQuery::Columns, schema.Columns());
    BuildTables(schema);
    Query(schema, query, DictionaryQuery::ViewColumns, schema.ViewColumns());
    Query(schema, query, DictionaryQuery::ViewSources, schema.ViewSources());
    BuildViews(schema);
    AttachPrivileges(schema);
    Query(schema, query, DictionaryQuery::Indexes, schema.Indexes());
    Distribute(schema, schema.Indexes(), Kind::Index);
    Query(schema, query, DictionaryQuery::PrimaryKeys, schema.PrimaryKeys());
    Query(schema, query, DictionaryQuery::UniqueKeys, schema.UniqueKeys());
    Query(schema, query, DictionaryQuery::ForeignKeys, schema.ForeignKeys());
    Query(schema, query, DictionaryQuery::Conditions, schema.Conditions());
    Distribute(schema, schema.PrimaryKeys(), Kind::Primary);
    Distribute(schema, schema.UniqueKeys(), Kind::Unique);
    Distribute(schema, schema.ForeignKeys(), Kind::Foreign);
    Distribute(schema, schema.Conditions(), Kind::Condition);
}

bool IsTableBox(const MGShapeTable& box) {
    return !box.IsLegend() && box.BaseKind() != MGShapeField::kKindText;
}

void CollectOwners(std::vector<std::pair<std::string, bool>>& queue) {
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    for (int i = 0; i < diagram.Count(); ++i) {
        if (!IsTableBox(*diagram.Item(i))) continue;
        const ZMGCell& keys = diagram.Item(i)->ForeignKeyRows();
        for (int r = 1; !keys.IsPastEnd(r); ++r) {
            const std::string owner = keys.GetRow(r).ItemOrEmpty(2);
            bool known = false;
            for (const auto& entry : queue) known = known || entry.first == owner;
            if (!known) queue.emplace_back(owner, false);
        }
    }
}

}  // namespace

bool ReadCatalogue(MGSchemaMng& manager, const std::string& snapshot, const std::string& user,
                   const std::string& password) {
    auto login = std::make_unique<MGSchema>();
    login->SetSchemaNumber(manager.NextSchemaNumber());
    login->SetManager(&manager);
    login->SetIdentity(user, password, snapshot, "");
    login->AdoptConnection(tabulorix::OpenSnapshotDatabase(snapshot, user, password));
    ReadSchema(*login);
    MGSchema& first = *login;
    manager.AddSchema(std::move(login));
    std::vector<std::pair<std::string, bool>> queue{{user, true}};
    CollectOwners(queue);
    for (std::size_t next = 0; next < queue.size(); ++next) {
        if (queue[next].second) continue;
        auto schema = std::make_unique<MGSchema>();
        schema->SetSchemaNumber(manager.NextSchemaNumber());
        schema->SetManager(&manager);
        schema->SetIdentity(queue[next].first, "", "", "");
        schema->AttachConnection(first.GetConnection());
        ReadSchema(*schema);
        queue[next].second = true;
        manager.AddSchema(std::move(schema));
        CollectOwners(queue);
        next = static_cast<std::size_t>(-1);  // search again from the first entry
    }
    ResolveForeignKeys(*MGDrawTableList::Current());
    return true;
}

void ResolveForeignKeys(MGDrawTableList& diagram) {
    auto find = [&](bool unique, const std::string& owner, const std::string& name) -> const ZMGRowExt* {
        for (int i = 0; i < diagram.Count(); ++i) {
            MGShapeTable& box = *diagram.Item(i);
            if (!IsTableBox(box) || box.Owner() != owner) continue;
            const ZMGCell& keys = unique ? box.UniqueRows() : box.PrimaryKeyRows();
            for (int r = 1; !keys.IsPastEnd(r); ++r) {
                if (keys.GetRow(r).ItemOrEmpty(0) == name) return &keys.GetRow(r);
            }
        }
        return nullptr;
    };
    for (int i = 0; i < diagram.Count(); ++i) {
        if (!IsTableBox(*diagram.Item(i))) continue;
        ZMGCell& keys = diagram.Item(i)->ForeignKeyRows();
        for (int r = 1; !keys.IsPastEnd(r); ++r) {
            ZMGRowExt& row = keys.GetRow(r);
            const ZMGRowExt* key = find(false, row.ItemOrEmpty(2), row.ItemOrEmpty(3));
            if (key == nullptr) key = find(true, row.ItemOrEmpty(2), row.ItemOrEmpty(3));
            row.SetKeyNumber(key != nullptr ? key->KeyNumber() : -1);
        }
    }
}

void MarkKeys(MGDrawTableList& diagram) {
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable& box = *diagram.Item(i);
        if (box.BaseKind() != MGShapeField::kKindTable) continue;
        auto mark = [&](ZMGCell& keys, auto flagOf) {
            for (int r = 1; !keys.IsPastEnd(r); ++r) {
                const std::uint32_t flag = flagOf(keys.GetRow(r));
                keys.GetRow(r).SetFlags(flag);
                const auto& key = dynamic_cast<const ZMGRowCell&>(keys.GetRow(r));
                for (int c = 1; !key.Child().IsPastEnd(c); ++c) {
                    const ZMGCell& columns = box.ColumnRows();
                    for (int k = 1; !columns.IsPastEnd(k); ++k) {
                        if (columns.GetRow(k).ItemOrEmpty(1) != key.Child().GetRow(c).ItemOrEmpty(0))
                            continue;
                        dynamic_cast<ZMGRowField&>(box.ColumnRows().GetRow(k))
                            .AddKeyMark(flag & kAnyKeyOrIndexFlags, std::to_string(r));
                        break;
                    }
                }
            }
        };
        mark(box.PrimaryKeyRows(), [](const ZMGRowExt&) -> std::uint32_t { return kKeyPrimary; });
        mark(box.UniqueRows(), [](const ZMGRowExt&) -> std::uint32_t { return kKeyUnique; });
        mark(box.ForeignKeyRows(), [](const ZMGRowExt& row) -> std::uint32_t {
            return kKeyForeign | (row.ItemOrEmpty(4) == "CASCADE" ? kKeyCascade : 0u);
        });
        mark(box.IndexRows(), [](const ZMGRowExt& row) -> std::uint32_t {
            return row.ItemOrEmpty(1) == "UNIQUE" ? kIndexUnique : kIndexNonUnique;
        });
    }
}

void BuildRelations(MGDrawTableList& diagram) {
    diagram.Relations().Clear();
    int number = 0;
    auto match = [&](MGShapeTable& parent, int keyNumber) {
        for (int c = 0; c < diagram.Count(); ++c) {
            MGShapeTable& child = *diagram.Item(c);
            if (child.BaseKind() != MGShapeField::kKindTable) continue;
            const ZMGCell& keys = child.ForeignKeyRows();
            for (int r = 1; !keys.IsPastEnd(r); ++r) {
                const auto& row = dynamic_cast<const ZMGRowCell&>(keys.GetRow(r));
                if (row.ItemOrEmpty(2) != parent.Owner() || row.KeyNumber() != keyNumber) continue;
                bool dashed = false;
                for (int k = 1; !row.Child().IsPastEnd(k); ++k) {
                    const ZMGCell& columns = child.ColumnRows();
                    for (int n = 1; !columns.IsPastEnd(n); ++n) {
                        if (columns.GetRow(n).ItemOrEmpty(1) != row.Child().GetRow(k).ItemOrEmpty(0))
                            continue;
                        dashed = dashed || columns.GetRow(n).ItemOrEmpty(4) == "Y";
                        break;
                    }
                }
                ++number;
                auto forward = std::make_unique<MGShapeRelation>();
                auto twin = std::make_unique<MGShapeRelation>();
                for (MGShapeRelation* relation : {forward.get(), twin.get()}) {
                    relation->SetRelationNumber(number);
                    relation->SetOwnKeyNumber(keyNumber);
                    relation->SetOtherKeyNumber(keyNumber);
                    relation->SetState(MGShapeRect::kStateNormal);
                }
                forward->SetTwinFlag(0);
                forward->SetOwnBox(&child);
                forward->SetOtherBox(&parent);
                forward->SetRelationName(row.ItemOrEmpty(0));
                forward->SetDashedLine(dashed);
                forward->SetCascade((row.GetFlags() & kKeyCascade) != 0);
                twin->SetTwinFlag(1);
                twin->SetOwnBox(&parent);
                twin->SetOtherBox(&child);
                diagram.AddRelation(std::move(forward));
                diagram.AddRelation(std::move(twin));
                if (!dashed && child.Detailed() && parent.Detailed()) child.SetRounded(true);
            }
        }
    };
    for (int p = 0; p < diagram.Count(); ++p) {
        MGShapeTable& parent = *diagram.Item(p);
        if (parent.BaseKind() != MGShapeField::kKindTable) continue;
        const ZMGCell& primary = parent.PrimaryKeyRows();
        for (int r = 1; !primary.IsPastEnd(r); ++r) {
            if (primary.GetRow(r).ItemOrEmpty(0).empty() || primary.GetRow(r).KeyNumber() == -1) continue;
            match(parent, primary.GetRow(r).KeyNumber());
        }
        const ZMGCell& unique = parent.UniqueRows();
        for (int r = 1; !unique.IsPastEnd(r); ++r) match(parent, unique.GetRow(r).KeyNumber());
    }
}

}  // namespace tabulorix::plain
