// The CSV lists of one schema: tables, columns, primary keys, unique
// constraints, foreign keys, conditions, indexes, view sources and object
// privileges, with Japanese captions, and their files named by owner and
// date.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace tabulorix {

class MGSchemaMng;
class ZMGCell;

struct MGCsvListKind {
    const char* caption;        // the list's caption ("表一覧", ...)
    std::uint32_t sectionKind;  // rows of WriteBoxRows (0 for the table list)
    int groupColumns;           // leading columns blanked when repeated, with "サプレス"
    const char* suffix;         // file name suffix ("_Table.csv", ...)
};

inline constexpr int kCsvListCount = 9;
const std::array<MGCsvListKind, kCsvListCount>& CsvListKinds();

// What the list dialog's controls choose.
struct MGCsvListChoice {
    std::string owner;        // ComboBoxSelectSchema
    bool suppress = true;     // "サプレス"
    bool visibleOnly = true;  // "表示対象のみ出力" (not applied to the table list)
};

// The rows of list kind (0 .. 8) for the owner, group columns set by the
// suppress choice. Nothing when the walk was cancelled through the status
// dialog (cancellable) or the kind is out of range.
std::unique_ptr<ZMGCell> BuildCsvList(const MGSchemaMng& manager, int kind, const MGCsvListChoice& choice,
                                      bool cancellable);

// A calendar date.
struct MGDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
MGDate Today();

// owner + "_" + "yyyy_mm_dd" + "_" + suffix, e.g. SCOTT_2026_12_05__Table.csv.
std::string ProposedCsvName(const std::string& owner, const MGDate& date, int kind);

// What the save dialog hands over.
struct MGCsvSaveRequest {
    std::string directory;
    std::array<bool, kCsvListCount> selected{};
    std::array<std::string, kCsvListCount> fileNames;
};

// Writes every selected list with a file name into the directory, in list
// order. An existing file is overwritten only when the question is answered
// Yes; No and Cancel skip that list. A list that cannot be built (cancelled)
// or written (the message is shown; lists already written stay) ends the
// saving with false.
bool SaveCsvLists(const MGSchemaMng& manager, const MGCsvListChoice& choice, const MGCsvSaveRequest& request);

}  // namespace tabulorix
