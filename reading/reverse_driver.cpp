#include "reading/reverse_driver.h"

#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/ui_ports.h"
#include "catalogue/row_items.h"
#include "catalogue/row_table.h"
#include "catalogue/rows.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "reading/schema_connect.h"

namespace tabulorix {

namespace {

// Item positions of a foreign-key row and of a key row.

// The boxes that carry constraints: tables and views (texts and the legend
// have none).
template <typename Visit>
void ForEachTableBox(MGDrawTableList& diagram, Visit visit) {
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable* box = diagram.Item(i);
        if (box != nullptr && !box->IsLegend() && box->BaseKind() != MGShapeField::kKindText) visit(*box);
    }
}

// Data rows (from 1) of a row table.
template <typename Visit>
void ForEachDataRow(ZMGCell& table, Visit visit) {
    for (int r = 1; !table.IsPastEnd(r); ++r) visit(table.GetRow(r));
}

void ResetRun(MGSchemaMng& manager, ReverseHost& host) {
    tabulorix::StatusPort& status = tabulorix::Status();
    status.Reset();
    status.Show(false);
    status.SetMainLine("");
    status.SetDetailLine("");
    status.SetPosition(0);
    host.ResetOutputDialogs();
    host.ResetView();
    manager.SetDesignPath("");
    host.ClearPresentation();
    manager.ClearSchemas();
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) diagram->Clear();
}

}  // namespace

void CollectReferencedOwners(std::vector<MGString>& queue) {
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return;
    std::unordered_set<std::string> known;
    for (const MGString& entry : queue) known.insert(entry.name);
    ForEachTableBox(*diagram, [&](MGShapeTable& box) {
        ForEachDataRow(box.ForeignKeyRows(), [&](ZMGRowExt& row) {
            std::string owner = row.ItemOrEmpty(foreign_key_row::kReferenceOwner);
            if (known.insert(owner).second) queue.push_back(MGString{owner, 0});
        });
    });
}

void ReadReferencedOwners(MGSchemaMng& manager, int sourceKind, MGSchema& login,
                          const std::string& userName) {
    std::vector<MGString> queue{MGString{userName, 1}};
    CollectReferencedOwners(queue);
    // Entries are only appended and only ever go from waiting to done, so the
    // first waiting entry never lies before the last one found.
    for (std::size_t next = 0;; ++next) {
        while (next < queue.size() && queue[next].done != 0) ++next;
        if (next == queue.size()) break;
        auto schema = std::make_unique<MGSchema>();
        schema->SetSchemaNumber(manager.NextSchemaNumber());
        const std::string owner = queue[next].name;
        if (!Connect(*schema, &manager, sourceKind, owner, "", "", "", login.GetConnection())) break;
        queue[next].done = 1;
        manager.AddSchema(std::move(schema));
        CollectReferencedOwners(queue);
    }
}

void ResolveForeignKeys(MGDrawTableList& diagram) {
    // Owner and constraint name, viewed in the boxes' own texts, which stay
    // as they are while the keys are resolved.
    using Key = std::pair<std::string_view, std::string_view>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            return std::hash<std::string_view>()(key.first) * 31 + std::hash<std::string_view>()(key.second);
        }
    };
    // First match in box order, then row order, for primary and unique keys.
    std::unordered_map<Key, int, KeyHash> primary;
    std::unordered_map<Key, int, KeyHash> unique;
    ForEachTableBox(diagram, [&](MGShapeTable& box) {
        ForEachDataRow(box.PrimaryKeyRows(), [&](ZMGRowExt& row) {
            primary.try_emplace(Key{box.Owner(), row.ItemOrEmpty(key_row::kKeyName)}, row.KeyNumber());
        });
        ForEachDataRow(box.UniqueRows(), [&](ZMGRowExt& row) {
            unique.try_emplace(Key{box.Owner(), row.ItemOrEmpty(key_row::kKeyName)}, row.KeyNumber());
        });
    });
    ForEachTableBox(diagram, [&](MGShapeTable& box) {
        ForEachDataRow(box.ForeignKeyRows(), [&](ZMGRowExt& row) {
            const Key key{row.ItemOrEmpty(foreign_key_row::kReferenceOwner),
                          row.ItemOrEmpty(foreign_key_row::kReferenceName)};
            if (auto p = primary.find(key); p != primary.end())
                row.SetKeyNumber(p->second);
            else if (auto u = unique.find(key); u != unique.end())
                row.SetKeyNumber(u->second);
            else
                row.SetKeyNumber(-1);
        });
    });
}

std::unique_ptr<ZMGCell> BuildSchemaList(const MGSchemaMng& manager) {
    auto list = std::make_unique<ZMGCell>();
    auto header = std::make_unique<ZMGRowExt>();
    header->AddItem(std::string("スキーマ名"));
    list->AddRow(std::move(header));
    for (int i = 0; i < manager.SchemaCount(); ++i) {
        auto row = std::make_unique<ZMGRowExt>();
        row->AddItem(manager.GetSchema(i)->OwnerName());
        list->AddRow(std::move(row));
    }
    return list;
}

bool ReverseDatabase(MGSchemaMng& manager, int sourceKind, const MGUserInfo& login, ReverseHost& host) {
    ResetRun(manager, host);
    auto schema = std::make_unique<MGSchema>();
    schema->SetSchemaNumber(manager.NextSchemaNumber());
    if (!Connect(*schema, &manager, sourceKind, login.userName, login.password, login.server, "", nullptr)) {
        schema.reset();  // the only schema: the diagram goes with it
        host.LoginFailed();
        tabulorix::Status().Close();
        return false;
    }
    MGSchema& loginSchema = *schema;
    manager.AddSchema(std::move(schema));
    ReadReferencedOwners(manager, sourceKind, loginSchema, login.userName);

    if (MGDrawTableList* diagram = MGDrawTableList::Current()) ResolveForeignKeys(*diagram);
    host.GenerateBoxSources(manager);
    tabulorix::Status().SetMainLine("テーブル間の関係解析中...");
    host.BuildDiagram(manager);
    host.ShowSchemaList(*BuildSchemaList(manager));
    host.BuildRelations(manager);
    loginSchema.CloseConnection();
    tabulorix::Status().Close();
    return true;
}

}  // namespace tabulorix
