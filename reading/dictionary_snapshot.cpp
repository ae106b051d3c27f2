#include "reading/dictionary_snapshot.h"

#include <unordered_set>

#include "base/ui_ports.h"
#include "platform/database.h"
#include "platform/dictionary_tables.h"
#include "platform/snapshot_writer.h"
#include "reading/dictionary_statements.h"

namespace tabulorix {

namespace {

using tabulorix::DictionaryTable;

std::string CopyStatement(const DictionaryTable& table, const std::string& owner) {
    std::string columns;
    for (const std::string& column : table.columns) columns += (columns.empty() ? "" : ", ") + column;
    return "select " + columns + " from " + table.name + " where " + table.ownerColumn + " = '" +
           QuoteOwnerName(owner) + "'";
}

// The owners named by the foreign keys among the copied constraint rows.
std::vector<std::string> ReferencedOwners(const std::vector<std::vector<std::string>>& constraints) {
    constexpr int kType = 2;
    constexpr int kReferencedOwner = 5;
    std::vector<std::string> owners;
    for (const auto& row : constraints) {
        if (row.at(kType) == "R" && !row.at(kReferencedOwner).empty())
            owners.push_back(row[kReferencedOwner]);
    }
    return owners;
}

}  // namespace

MGSnapshotCopy CopyDictionarySnapshot(tabulorix::DatabaseConnection& source, const std::string& loginOwner,
                                      const std::string& path) {
    tabulorix::SnapshotRows rows;
    MGSnapshotCopy copy;
    std::vector<std::string> queue{loginOwner};
    std::unordered_set<std::string> queued{loginOwner};
    tabulorix::StatusPort& status = tabulorix::Status();
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const std::string owner = queue[next];
        status.SetMainLine("スキーマ " + owner + " の定義情報をコピー中...");
        for (const DictionaryTable& table : tabulorix::DictionaryTables()) {
            status.SetDetailLine(table.name);
            tabulorix::QueryResult result = source.Run(CopyStatement(table, owner));
            if (table.name == "ALL_CONSTRAINTS") {
                for (const std::string& referenced : ReferencedOwners(result.rows))
                    if (queued.insert(referenced).second) queue.push_back(referenced);
            }
            copy.rows += result.rows.size();
            auto& target = rows[table.name];
            target.insert(target.end(), std::make_move_iterator(result.rows.begin()),
                          std::make_move_iterator(result.rows.end()));
        }
        copy.owners.push_back(owner);
    }
    tabulorix::WriteSnapshotFile(path, rows);
    return copy;
}

}  // namespace tabulorix
