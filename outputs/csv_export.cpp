#include "outputs/csv_export.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include <QDate>

#include "base/file_io.h"
#include "base/text_file_save.h"
#include "base/ui_ports.h"
#include "catalogue/row_table.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/box_walk.h"
#include "diagram/shape_table.h"
#include "diagram/table_list.h"
#include "outputs/sql_script.h"

namespace tabulorix {

namespace {

// Every list shows physical names only, and the column list its key marks.
constexpr std::uint32_t kListKindBits = 0x4000 | 0x800000;
// The section kind of the foreign-key list.
constexpr std::uint32_t kForeignKeyList = 0x08;

}  // namespace

const std::array<MGCsvListKind, kCsvListCount>& CsvListKinds() {
    static const std::array<MGCsvListKind, kCsvListCount> kKinds = {
        {{"表一覧", 0, 1, "_Table.csv"},
         {"列定義一覧", 0x20, 2, "_Column.csv"},
         {"主キー制約一覧", 0x01, 3, "_PrimaryKey.csv"},
         {"一意制約一覧", 0x02, 3, "_Unique.csv"},
         {"外部キー制約一覧", 0x08, 6, "_ForeignKey.csv"},
         {"条件制約一覧", 0x04, 3, "_Condition.csv"},
         {"索引一覧", 0x80, 3, "_Index.csv"},
         {"ビューソース一覧", 0x10, 1, "_View.csv"},
         {"OBJECT権限一覧", 0x200, 1, "_Privilege.csv"}}};
    return kKinds;
}

std::unique_ptr<ZMGCell> BuildCsvList(const MGSchemaMng& manager, int kind, const MGCsvListChoice& choice,
                                      bool cancellable) {
    if (kind < 0 || kind >= kCsvListCount) return nullptr;
    const MGCsvListKind& list = CsvListKinds()[static_cast<std::size_t>(kind)];
    std::unique_ptr<ZMGCell> table;
    if (kind == 0) {
        const MGSchema* schema = manager.FindSchema(choice.owner);
        if (schema == nullptr) schema = manager.GetSchema(0);
        table = schema != nullptr ? BuildTableList(*schema, false, 2, 3, choice.owner, false)
                                  : std::make_unique<ZMGCell>();
    } else {
        table = std::make_unique<ZMGCell>();
        // The foreign-key list names referenced tables, found through an
        // index over every box; the other lists need none.
        std::optional<MGReferencedKeyScope> keys;
        if ((list.sectionKind & kForeignKeyList) != 0) keys.emplace();
        const bool completed =
            VisitBoxes(BoxesToWrite(choice.owner, choice.visibleOnly), list.caption, cancellable,
                       [&](MGShapeTable& box) {
                           return box.WriteBoxRows(list.sectionKind | kListKindBits, *table, false);
                       });
        if (!completed) return nullptr;
    }
    table->SetGroupColumns(choice.suppress ? list.groupColumns : 0);
    return table;
}

MGDate Today() {
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

std::string ProposedCsvName(const std::string& owner, const MGDate& date, int kind) {
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%04d_%02d_%02d", date.year, date.month, date.day);
    return owner + "_" + stamp + "_" + CsvListKinds().at(static_cast<std::size_t>(kind)).suffix;
}

bool SaveCsvLists(const MGSchemaMng& manager, const MGCsvListChoice& choice,
                  const MGCsvSaveRequest& request) {
    tabulorix::StatusPort& status = tabulorix::Status();
    status.Reset();
    status.Show(true);
    status.SetMainLine("CSV出力");
    bool completed = true;
    for (int kind = 0; kind < kCsvListCount && completed; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        if (!request.selected[k] || request.fileNames[k].empty()) continue;
        const std::string path = (std::filesystem::path(request.directory) / request.fileNames[k]).string();
        if (std::filesystem::exists(path) &&
            tabulorix::Confirm(path + "は存在しますファイルを上書きしますか?") != tabulorix::Answer::Yes) {
            continue;
        }
        const std::unique_ptr<ZMGCell> list = BuildCsvList(manager, kind, choice, true);
        if (list == nullptr) {
            completed = false;
            break;
        }
        std::vector<std::string> lines;
        list->WriteCsvLines(lines);
        try {
            SaveTextFile(path, std::move(lines));
        } catch (const tabulorix::FileError& error) {
            tabulorix::ShowMessage(error.what());
            completed = false;
        }
    }
    status.Close();
    return completed;
}

}  // namespace tabulorix
