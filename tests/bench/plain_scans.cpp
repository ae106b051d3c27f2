#include "plain_scans.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "catalogue/query_layer.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_view.h"
#include "platform/snapshot_database.h"
#include "reading/box_building.h"
#include "reading/dictionary_reader.h"
#include "reading/dictionary_statements.h"

using namespace tabulorix;

namespace tabulorix::plain {
namespace {

enum class Kind { Index, Primary, Unique, Foreign, Condition };

MGDrawTableList& Diagram() {
    return *MGDrawTableList::Current();
}

// The first data row whose item equals the text, or -1.
int FirstRow(const ZMGCell& table, int item, const std::string& text) {
    for (int r = 1; !table.IsPastEnd(r); ++r)
        if (table.GetRow(r).ItemOrEmpty(item) == text) return r;
    return -1;
}

// The serial of the first column row of the box with this physical name.
int ColumnSerial(MGShapeTable& box, const std::string& name) {
    const int r = FirstRow(box.ColumnRows(), 1, name);
    return r < 0 ? -1 : box.ColumnRows().GetRow(r).Serial();
}

void Copy(const ZMGRowExt& from, const std::vector<int>& items, ZMGRowExt& to) {
    for (const int i : items) to.AddItem(from.ItemOrEmpty(i));
}

int LargestKeyNumber() {
    int largest = 0;
    for (int i = 0; i < Diagram().Count(); ++i)
        for (const ZMGCell* keys : {&Diagram().Item(i)->PrimaryKeyRows(), &Diagram().Item(i)->UniqueRows()})
            for (int r = 0; !keys->IsPastEnd(r); ++r)
                largest = std::max(largest, keys->GetRow(r).KeyNumber());
    return largest;
}

void Distribute(MGSchema& schema, const ZMGCell& result, Kind kind) {
    if (result.RowCount() == 0) return;
    const bool foreign = kind == Kind::Foreign, condition = kind == Kind::Condition;
    const std::vector<int> keyItems = foreign     ? std::vector{1, 2, 3, 4, 5, 6}
                                      : condition ? std::vector{1, 2, 3, 4}
                                                  : std::vector{1, 2};
    const std::vector<int> columnItems = foreign     ? std::vector{7, 8}
                                         : condition ? std::vector<int>{}
                                                     : std::vector{3, 4};
    auto target = [kind](MGShapeTable& box) -> ZMGCell& {
        ZMGCell* const tables[] = {&box.IndexRows(), &box.PrimaryKeyRows(), &box.UniqueRows(),
                                   &box.ForeignKeyRows(), &box.ConditionRows()};
        return *tables[static_cast<int>(kind)];
    };
    auto mine = [&](const MGShapeTable& box) {
        return box.SchemaNumber() == schema.SchemaNumber() &&
               (box.Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) != 0;
    };
    const ZMGRowExt& header = result.GetRow(0);
    // A condition row, or a key row whose columns start with the header's.
    auto add = [&](MGShapeTable& box, const ZMGRowExt& from, bool numbered) {
        ZMGCell& table = target(box);
        if (condition) {
            auto row = std::make_unique<ZMGRowExt>();
            Copy(from, keyItems, *row);
            row->SetSerial(ColumnSerial(box, from.ItemOrEmpty(3)));
            table.AddRow(std::move(row));
            return;
        }
        auto key = std::make_unique<ZMGRowCell>();
        Copy(from, keyItems, *key);
        if (numbered && (kind == Kind::Primary || kind == Kind::Unique))
            key->SetKeyNumber(LargestKeyNumber() + 1);
        if (kind == Kind::Index) key->SetSerial(table.NextSerial(0));
        auto columns = std::make_unique<ZMGRowExt>();
        Copy(header, columnItems, *columns);
        columns->SetSerial(0);
        key->Child().AddRow(std::move(columns));
        table.AddRow(std::move(key));
    };
    for (int i = 0; i < Diagram().Count(); ++i)
        if (mine(*Diagram().Item(i))) add(*Diagram().Item(i), header, false);
    std::pair<std::string, std::string> previous;  // table and name of the last key made
    for (int r = 1; !result.IsPastEnd(r); ++r) {
        const ZMGRowExt& row = result.GetRow(r);
        for (int i = 0; i < Diagram().Count(); ++i) {
            MGShapeTable& box = *Diagram().Item(i);
            if (!mine(box) || box.Name() != row.ItemOrEmpty(0)) continue;
            if (condition) {
                add(box, row, true);
                continue;
            }
            if (std::pair(row.ItemOrEmpty(0), row.ItemOrEmpty(1)) != previous) {
                add(box, row, true);
                previous = {row.ItemOrEmpty(0), row.ItemOrEmpty(1)};
            }
            ZMGCell& table = target(box);
            auto column = std::make_unique<ZMGRowExt>();
            Copy(row, columnItems, *column);
            column->SetSerial(ColumnSerial(box, column->ItemOrEmpty(0)));
            dynamic_cast<ZMGRowCell&>(table.GetRow(table.RowCount() - 1)).Child().AddRow(std::move(column));
        }
    }
}

void BuildBoxes(MGSchema& schema) {
    const ZMGCell& columns = schema.Columns();
    MGShapeTable* box = nullptr;
    for (int i = 1; !columns.IsPastEnd(i); ++i) {
        const ZMGRowExt& row = columns.GetRow(i);
        if (i == 1 || row.ItemOrEmpty(1) != columns.GetRow(i - 1).ItemOrEmpty(1)) {
            const int t = FirstRow(schema.Tables(), 0, row.ItemOrEmpty(0));
            box = t < 0
                      ? nullptr
                      : &Diagram().AddBox(std::make_unique<MGShapeTable>(
                            schema.SchemaNumber(), schema.OwnerName(), row.ItemOrEmpty(0), row.ItemOrEmpty(1),
                            schema.Tables().GetRow(t).ItemOrEmpty(2), schema.Tables().GetRow(t).Detail()));
        }
        if (box != nullptr) AddColumnRow(columns.GetRow(0), row, *box, 0, false);
    }
    const ZMGCell& views = schema.ViewColumns();
    for (int i = 1; !views.IsPastEnd(i); ++i) {
        const ZMGRowExt& row = views.GetRow(i);
        if (i == 1 || row.ItemOrEmpty(1) != views.GetRow(i - 1).ItemOrEmpty(1)) {
            const int s = FirstRow(schema.ViewSources(), 0, row.ItemOrEmpty(1));
            const ZMGRowExt* source = s < 0 ? nullptr : &schema.ViewSources().GetRow(s);
            box = &Diagram().AddBox(std::make_unique<MGShapeView>(
                schema.SchemaNumber(), schema.OwnerName(), row.ItemOrEmpty(0), row.ItemOrEmpty(1),
                source ? source->ItemOrEmpty(2) : "", source ? source->ItemOrEmpty(1) : ""));
        }
        AddColumnRow(views.GetRow(0), row, *box, 0, false);
    }
}

void AttachPrivileges(MGSchema& schema) {
    const ZMGCell& privileges = schema.Privileges();
    for (int r = 1; !privileges.IsPastEnd(r); ++r) {
        for (int i = 0; i < Diagram().Count(); ++i) {
            MGShapeTable& box = *Diagram().Item(i);
            if (box.Owner() != schema.OwnerName() || box.Name() != privileges.GetRow(r).ItemOrEmpty(0))
                continue;
            auto copy = std::make_unique<ZMGRowExt>();
            copy->CopyRow(privileges.GetRow(r));
            box.PrivilegeRows().AddRow(std::move(copy));
            break;
        }
    }
}

void ReadSchema(MGSchema& schema) {
    ZMGQuery query;
    auto read = [&](DictionaryQuery which, ZMGCell& target, bool append = false) {
        RunQueryInto(query, schema.GetConnection(),
                     DictionaryStatement(which, schema.OwnsConnection(), schema.OwnerName()), target, append);
    };
    read(DictionaryQuery::Tables, schema.Tables());
    read(DictionaryQuery::PrivilegesMade, schema.Privileges());
    read(DictionaryQuery::PrivilegesReceived, schema.Privileges(), true);
    for (int i = 0; i < 4 && i < schema.Privileges().GetRow(0).ItemCount(); ++i)
        schema.Privileges().GetRow(0).PutItem(i, kPrivilegeCaptions[i]);
    read(DictionaryQuery::Columns, schema.Columns());
    read(DictionaryQuery::ViewColumns, schema.ViewColumns());
    read(DictionaryQuery::ViewSources, schema.ViewSources());
    BuildBoxes(schema);
    AttachPrivileges(schema);
    read(DictionaryQuery::Indexes, schema.Indexes());
    Distribute(schema, schema.Indexes(), Kind::Index);
    read(DictionaryQuery::PrimaryKeys, schema.PrimaryKeys());
    read(DictionaryQuery::UniqueKeys, schema.UniqueKeys());
    read(DictionaryQuery::ForeignKeys, schema.ForeignKeys());
    read(DictionaryQuery::Conditions, schema.Conditions());
    Distribute(schema, schema.PrimaryKeys(), Kind::Primary);
    Distribute(schema, schema.UniqueKeys(), Kind::Unique);
    Distribute(schema, schema.ForeignKeys(), Kind::Foreign);
    Distribute(schema, schema.Conditions(), Kind::Condition);
}

bool IsTableBox(const MGShapeTable& box) {
    return !box.IsLegend() && box.BaseKind() != MGShapeField::kKindText;
}

// Appends the owners the foreign keys reach that are not listed yet.
void CollectOwners(std::vector<std::string>& owners) {
    for (int i = 0; i < Diagram().Count(); ++i) {
        if (!IsTableBox(*Diagram().Item(i))) continue;
        const ZMGCell& keys = Diagram().Item(i)->ForeignKeyRows();
        for (int r = 1; !keys.IsPastEnd(r); ++r)
            if (std::find(owners.begin(), owners.end(), keys.GetRow(r).ItemOrEmpty(2)) == owners.end())
                owners.push_back(keys.GetRow(r).ItemOrEmpty(2));
    }
}

}  // namespace

bool ReadCatalogue(MGSchemaMng& manager, const std::string& snapshot, const std::string& user,
                   const std::string& password) {
    std::vector<std::string> owners{user};
    MGSchema* login = nullptr;
    for (std::size_t next = 0; next < owners.size(); ++next) {
        auto schema = std::make_unique<MGSchema>();
        schema->SetSchemaNumber(manager.NextSchemaNumber());
        schema->SetManager(&manager);
        if (login == nullptr) {
            schema->SetIdentity(user, password, snapshot, "");
            schema->AdoptConnection(OpenSnapshotDatabase(snapshot, user, password));
            login = schema.get();
        } else {
            schema->SetIdentity(owners[next], "", "", "");
            schema->AttachConnection(login->GetConnection());
        }
        ReadSchema(*schema);
        manager.AddSchema(std::move(schema));
        CollectOwners(owners);
    }
    ResolveForeignKeys(Diagram());
    return true;
}

void ResolveForeignKeys(MGDrawTableList& diagram) {
    auto find = [&](bool unique, const std::string& owner, const std::string& name) -> const ZMGRowExt* {
        for (int i = 0; i < diagram.Count(); ++i) {
            MGShapeTable& box = *diagram.Item(i);
            if (!IsTableBox(box) || box.Owner() != owner) continue;
            const ZMGCell& keys = unique ? box.UniqueRows() : box.PrimaryKeyRows();
            if (const int r = FirstRow(keys, 0, name); r >= 0) return &keys.GetRow(r);
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
                const ZMGCell& columns = dynamic_cast<const ZMGRowCell&>(keys.GetRow(r)).Child();
                for (int c = 1; !columns.IsPastEnd(c); ++c)
                    if (const int k = FirstRow(box.ColumnRows(), 1, columns.GetRow(c).ItemOrEmpty(0)); k >= 0)
                        dynamic_cast<ZMGRowField&>(box.ColumnRows().GetRow(k))
                            .AddKeyMark(flag & kAnyKeyOrIndexFlags, std::to_string(r));
            }
        };
        mark(box.PrimaryKeyRows(), [](const ZMGRowExt&) { return std::uint32_t{kKeyPrimary}; });
        mark(box.UniqueRows(), [](const ZMGRowExt&) { return std::uint32_t{kKeyUnique}; });
        mark(box.ForeignKeyRows(), [](const ZMGRowExt& row) {
            return std::uint32_t{kKeyForeign | (row.ItemOrEmpty(4) == "CASCADE" ? kKeyCascade : 0u)};
        });
        mark(box.IndexRows(), [](const ZMGRowExt& row) {
            return std::uint32_t{row.ItemOrEmpty(1) == "UNIQUE" ? kIndexUnique : kIndexNonUnique};
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
                    const int n = FirstRow(child.ColumnRows(), 1, row.Child().GetRow(k).ItemOrEmpty(0));
                    dashed = dashed || (n >= 0 && child.ColumnRows().GetRow(n).ItemOrEmpty(4) == "Y");
                }
                ++number;
                for (const int twin : {0, 1}) {
                    auto relation = std::make_unique<MGShapeRelation>();
                    relation->SetRelationNumber(number);
                    relation->SetOwnKeyNumber(keyNumber);
                    relation->SetOtherKeyNumber(keyNumber);
                    relation->SetState(MGShapeRect::kStateNormal);
                    relation->SetTwinFlag(twin);
                    relation->SetOwnBox(twin ? &parent : &child);
                    relation->SetOtherBox(twin ? &child : &parent);
                    if (twin == 0) {
                        relation->SetRelationName(row.ItemOrEmpty(0));
                        relation->SetDashedLine(dashed);
                        relation->SetCascade((row.GetFlags() & kKeyCascade) != 0);
                    }
                    diagram.AddRelation(std::move(relation));
                }
                if (!dashed && child.Detailed() && parent.Detailed()) child.SetRounded(true);
            }
        }
    };
    for (int p = 0; p < diagram.Count(); ++p) {
        MGShapeTable& parent = *diagram.Item(p);
        if (parent.BaseKind() != MGShapeField::kKindTable) continue;
        const ZMGCell& primary = parent.PrimaryKeyRows();
        for (int r = 1; !primary.IsPastEnd(r); ++r)
            if (!primary.GetRow(r).ItemOrEmpty(0).empty() && primary.GetRow(r).KeyNumber() != -1)
                match(parent, primary.GetRow(r).KeyNumber());
        for (int r = 1; !parent.UniqueRows().IsPastEnd(r); ++r)
            match(parent, parent.UniqueRows().GetRow(r).KeyNumber());
    }
}

}  // namespace tabulorix::plain
