#include "designfile/design_sections.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <utility>

#include "base/ui_ports.h"
#include "base/worker_thread.h"
#include "catalogue/column_index.h"
#include "catalogue/schema.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_text.h"
#include "reading/box_building.h"
#include "reading/detail_distribution.h"

namespace tabulorix {

namespace {

constexpr std::array<std::string_view, 15> kSectionLines = {
    "[VERSION]",          "[DOCUMENT TYPE]", "[SCHEMA]",      "[TABLE]",        "[COLUMN]",
    "[PRIMARY KEY]",      "[UNIQUE]",        "[FOREIGN KEY]", "[CONDITION]",    "[INDEX]",
    "[OBJECT PRIVILEGE]", "[VIEW]",          "[TEXT]",        "[TABLE LAYOUT]", "[SET ITEM]"};

bool IsSectionLine(std::string_view line) {
    return std::find(kSectionLines.begin(), kSectionLines.end(), line) != kSectionLines.end();
}

// Follows the quoting of a row text character by character.
class FieldScanner {
public:
    // Feeds text; each completed field goes to fields when one is given.
    // Inside quotes everything up to the next quote is taken in one piece.
    void Feed(std::string_view text, std::vector<std::string>* fields) {
        std::size_t i = 0;
        while (i < text.size()) {
            if (state_ == State::Quoted) {
                const std::size_t quote = std::min(text.find('"', i), text.size());
                value_.append(text.substr(i, quote - i));
                i = quote;
                if (i == text.size()) break;
            }
            Step(text[i++], fields);
        }
    }
    // The text ended inside a quoted field.
    bool QuoteOpen() const { return state_ == State::Quoted; }
    void Finish(std::vector<std::string>& fields) { fields.push_back(std::move(value_)); }

private:
    enum class State { FieldStart, Quoted, QuoteInQuoted, Unquoted };

    void Step(char c, std::vector<std::string>* fields) {
        switch (state_) {
            case State::FieldStart:
                if (c == '"') {
                    state_ = State::Quoted;
                    return;
                }
                state_ = State::Unquoted;
                break;
            case State::Quoted:
                if (c == '"') {
                    state_ = State::QuoteInQuoted;
                } else {
                    value_ += c;
                }
                return;
            case State::QuoteInQuoted:
                if (c == '"') {  // a doubled quote stands for one
                    value_ += c;
                    state_ = State::Quoted;
                    return;
                }
                state_ = State::Unquoted;  // text after the closing quote runs to the comma
                break;
            case State::Unquoted:
                break;
        }
        if (c == ',') {
            if (fields) fields->push_back(std::move(value_));
            value_.clear();
            state_ = State::FieldStart;
        } else {
            value_ += c;
        }
    }

    State state_ = State::FieldStart;
    std::string value_;
};

bool EndsWithQuote(std::string_view text) {
    return !text.empty() && text.back() == '"';
}

// Fields of a row are few; room for them is made once.
constexpr std::size_t kUsualFieldCount = 16;

// The fields of a line made only of quoted fields without doubled quotes,
// separated by commas and ending with a quote (what the writer writes for
// almost every row): the texts between the quotes, as the scanner reads
// them. False, with fields in any state, for every other line.
bool ReadQuotedLine(std::string_view line, std::vector<std::string>& fields) {
    std::size_t open = 0;
    while (open < line.size() && line[open] == '"') {
        const std::size_t close = line.find('"', open + 1);
        if (close == std::string_view::npos) return false;
        const std::size_t after = close + 1;
        if (after < line.size() && line[after] != ',') return false;  // a doubled quote or text after it
        fields.emplace_back(line.substr(open + 1, close - open - 1));
        if (after == line.size()) return true;
        open = after + 1;
    }
    return false;
}

// One row starting at lines[i] into fields; i moves past the lines it used.
void ReadRow(std::span<const std::string> lines, std::size_t& i, SectionContinuation rule,
             std::vector<std::string>& fields) {
    fields.clear();
    const std::string& first = lines[i++];
    if (ReadQuotedLine(first, fields)) return;
    fields.clear();
    FieldScanner scanner;
    scanner.Feed(first, &fields);
    switch (rule) {
        case SectionContinuation::OneLinePerRow:
            break;
        case SectionContinuation::JoinUntilQuoteAtEnd: {
            // The row goes on until the text so far ends with a quote. A
            // piece that continues an open quoted value follows a line feed,
            // the line break the value held when it was written; outside a
            // quote the pieces are joined directly.
            bool quoteAtEnd = EndsWithQuote(first);
            while (!quoteAtEnd && i < lines.size() && !IsSectionLine(lines[i])) {
                const std::string& piece = lines[i++];
                if (scanner.QuoteOpen()) scanner.Feed("\n", &fields);
                scanner.Feed(piece, &fields);
                if (!piece.empty()) quoteAtEnd = EndsWithQuote(piece);
            }
            break;
        }
        case SectionContinuation::JoinWithLineFeed:
            while (scanner.QuoteOpen() && i < lines.size() && !IsSectionLine(lines[i])) {
                scanner.Feed("\n", &fields);
                scanner.Feed(lines[i++], &fields);
            }
            break;
    }
    scanner.Finish(fields);
}

// Moves the fields from position `from` on into the row.
void MoveFields(std::vector<std::string>& fields, std::size_t from, ZMGRowExt& row) {
    if (fields.size() > from) row.ReserveItems(static_cast<int>(fields.size() - from));
    for (std::size_t f = from; f < fields.size(); ++f) row.AddItem(std::move(fields[f]));
}

std::unique_ptr<ZMGRowExt> RowOf(std::vector<std::string>&& fields, std::size_t from = 0) {
    auto row = std::make_unique<ZMGRowExt>();
    MoveFields(fields, from, *row);
    return row;
}

// Lines from every occurrence of the section line up to the next section
// line (an upper bound of the section's rows, for progress).
std::size_t SectionLineCount(std::span<const std::string> lines, std::string_view section) {
    std::size_t count = 0;
    bool inside = false;
    for (const std::string& line : lines) {
        if (!line.empty() && line.front() == '[')
            inside = line == section;
        else if (inside)
            ++count;
    }
    return count;
}

// Calls take(fields, headerRow) for every row of every occurrence of the
// section. A section written more than once (a hand-edited file) loses no
// row: every occurrence is read, and a later occurrence's first row is
// skipped when it repeats the header row of the first.
template <typename Take>
void ForEachSectionRow(std::span<const std::string> lines, std::string_view section, Take take) {
    const SectionContinuation rule = ContinuationOf(section);
    std::vector<std::string> header;
    // One buffer for every row: the rows take its values, not its room.
    std::vector<std::string> fields;
    fields.reserve(kUsualFieldCount);
    bool firstSection = true;
    for (auto start = std::find(lines.begin(), lines.end(), section); start != lines.end();
         start = std::find(start + 1, lines.end(), section)) {
        bool firstRow = true;
        for (auto i = static_cast<std::size_t>(start - lines.begin()) + 1; i < lines.size();) {
            const std::string& line = lines[i];
            if (line.empty()) {
                ++i;
                continue;
            }
            if (line.front() == '[') break;
            ReadRow(lines, i, rule, fields);
            const bool headerRow = firstRow;
            firstRow = false;
            if (headerRow && firstSection) header = fields;
            if (headerRow && !firstSection && fields == header) continue;
            take(std::move(fields), headerRow);
        }
        firstSection = false;
    }
}

// Rows of a section with a leading Type field, read once and handed out
// without the field: rows whose type is not "View" go to tables, rows whose
// type is not "Table" go to views (the header row, and a row of any other
// type, go to both). With a flag column, "E" there clears the detail flag.
void ReadTypedRows(std::span<const std::string> lines, std::string_view section, ZMGCell& tables,
                   ZMGCell& views, int flagColumn = -1) {
    tables.ClearRows(0);
    views.ClearRows(0);
    ForEachSectionRow(lines, section, [&](std::vector<std::string>&& fields, bool) {
        const std::string type = fields.empty() ? std::string() : fields.front();
        const bool toTables = type != "View";
        const bool toViews = type != "Table";
        auto add = [flagColumn](ZMGCell& target, std::unique_ptr<ZMGRowExt> row) {
            if (flagColumn >= 0) row->SetDetail(row->ItemOrEmpty(flagColumn) != "E");
            target.AddRow(std::move(row));
        };
        if (toTables && toViews) {
            std::vector<std::string> copy = fields;
            add(tables, RowOf(std::move(copy), 1));
        } else if (toTables) {
            add(tables, RowOf(std::move(fields), 1));
        }
        if (toViews) add(views, RowOf(std::move(fields), 1));
    });
}

// "[COLUMN]" read straight into the table boxes: the rows that
// ReadTypedRows would put into the columns table (after its first row, the
// header) are handed to the boxes as they are read, their values moved into
// the boxes' column rows, and the columns table keeps only its header row;
// the view columns table is filled as by ReadTypedRows. Progress counts the
// table rows against the section's line count.
void ReadColumnsIntoBoxes(std::span<const std::string> lines, MGSchema& schema) {
    ZMGCell& columns = schema.Columns();
    ZMGCell& views = schema.ViewColumns();
    columns.ClearRows(0);
    views.ClearRows(0);
    auto& status = tabulorix::Status();
    status.SetMaximum(static_cast<int>(SectionLineCount(lines, "[COLUMN]")));
    MGTableBoxStarter starter(schema, schema.Tables());
    int position = 0;
    // A row's own values from position 3 on (after type, logical and
    // physical table name) make the column row.
    constexpr std::size_t kColumnValues = 3;
    ForEachSectionRow(lines, "[COLUMN]", [&](std::vector<std::string>&& fields, bool) {
        const std::string type = fields.empty() ? std::string() : fields.front();
        const bool toTables = type != "View";
        const bool toViews = type != "Table";
        if (toTables && columns.RowCount() == 0) {
            columns.AddRow(RowOf(std::vector<std::string>(fields), 1));
        } else if (toTables) {
            status.SetPosition(position++);
            static const std::string kNone;
            MGShapeTable* box =
                starter.BoxFor(fields.size() > 1 ? fields[1] : kNone, fields.size() > 2 ? fields[2] : kNone);
            if (box != nullptr) {
                auto column = std::make_unique<ZMGRowField>();
                if (toViews) {
                    for (std::size_t f = kColumnValues; f < fields.size(); ++f) column->AddItem(fields[f]);
                } else {
                    MoveFields(fields, kColumnValues, *column);
                }
                AddColumnRow(columns.GetRow(0), std::move(column), *box, true);
            }
        }
        if (toViews) views.AddRow(RowOf(std::move(fields), 1));
    });
}

void ReadSection(std::span<const std::string> lines, std::string_view section, ZMGCell& target) {
    target.ClearRows(0);
    ReadSectionRows(lines, section, target);
}

// Font size of a text row; a value that is no integer is reported and the
// diagram's usual 9 points are used.
int FontSize(const std::string& name, const std::string& value) {
    int size = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), size);
    if (error == std::errc() && end == value.data() + value.size()) return size;
    tabulorix::ShowMessage("[TEXT] " + name + ": the font size \"" + value +
                           "\" is not a number; 9 is used.");
    return 9;
}

int FontStyle(const std::string& letters) {
    int style = 0;
    for (const char c : letters) {
        if (c == 'B') style |= 1;
        if (c == 'I') style |= 2;
        if (c == 'U') style |= 4;
    }
    return style;
}

void ReadTexts(std::span<const std::string> lines) {
    ZMGCell rows;
    ReadSectionRows(lines, "[TEXT]", rows);
    for (int r = 0; !rows.IsPastEnd(r); ++r) {
        const ZMGRowExt& row = rows.GetRow(r);
        auto text = std::make_unique<MGShapeText>(row.ItemOrEmpty(1), row.ItemOrEmpty(2),
                                                  FontSize(row.ItemOrEmpty(0), row.ItemOrEmpty(3)),
                                                  FontStyle(row.ItemOrEmpty(4)));
        text->SetOwner("/");
        text->SetName(row.ItemOrEmpty(0));
        MGDrawTableList::EnsureCurrent().AddBox(std::move(text));
    }
}

// Tells the user about sections of a schema block written more than once;
// their rows are all read (see ReadSectionRows).
void ReportRepeatedSections(const std::string& owner, std::span<const std::string> lines) {
    for (const std::string_view section :
         {"[TABLE]", "[COLUMN]", "[PRIMARY KEY]", "[UNIQUE]", "[FOREIGN KEY]", "[CONDITION]", "[INDEX]",
          "[OBJECT PRIVILEGE]", "[VIEW]", "[TEXT]"}) {
        const auto count = std::count(lines.begin(), lines.end(), section);
        if (count < 2) continue;
        tabulorix::ShowMessage("デザインファイルのスキーマ " + owner + " にセクション " +
                               std::string(section) + " が " + std::to_string(count) +
                               " 回あります。すべての行を読み込みました。");
    }
}

// Positions of the table list rows once the Type field is removed.
constexpr int kListPhysicalName = 1;
constexpr int kListComment = 2;
constexpr int kListFlag = 3;

// The tables, columns, views, privileges and free texts of a schema block
// into the diagram's boxes.
void ReadBoxes(std::span<const std::string> lines, MGSchema& schema) {
    auto& status = tabulorix::Status();
    status.SetMainLine("テーブル情報解析中...");
    ZMGCell views;
    ReadTypedRows(lines, "[TABLE]", schema.Tables(), views, kListFlag);
    ReadSection(lines, "[OBJECT PRIVILEGE]", schema.Privileges());
    status.SetMainLine("フィールド情報解析中...");
    ReadColumnsIntoBoxes(lines, schema);
    status.SetMainLine("ビュー情報解析中...");
    ReadSection(lines, "[VIEW]", schema.ViewSources());
    BuildViewBoxes(schema, schema.ViewColumns(), ColumnRowMode::Raw, ViewLookup{&schema.ViewSources(), 0, 1},
                   ViewLookup{&views, kListPhysicalName, kListComment, true});
    MGSchema::ReleaseDistributedRows(schema.ViewColumns());
    AttachPrivileges(schema, schema.Privileges());
    ReadTexts(lines);
}

// The detail sections and their row tables: text only, needing no box.
struct DetailSection {
    std::string_view section;
    ZMGCell& (MGSchema::*rows)();
};
constexpr std::array<DetailSection, 5> kDetailSections{{{"[FOREIGN KEY]", &MGSchema::ForeignKeys},
                                                        {"[CONDITION]", &MGSchema::Conditions},
                                                        {"[INDEX]", &MGSchema::Indexes},
                                                        {"[PRIMARY KEY]", &MGSchema::PrimaryKeys},
                                                        {"[UNIQUE]", &MGSchema::UniqueKeys}}};

// Builds the boxes from the tables, columns and views on this thread while
// the worker parses the detail sections into row tables of its own; this
// thread parses those still left once the boxes are built. The parsed
// tables become the schema's after the join, so nothing the window can
// reach is written by the worker.
void ReadBoxesAndDetails(std::span<const std::string> lines, MGSchema& schema, MGDesignReading& reading) {
    std::array<ZMGCell, kDetailSections.size()> parsed;
    tabulorix::SharedWork detailsRead(kDetailSections.size(), [lines, &parsed](std::size_t k) {
        ReadSection(lines, kDetailSections[k].section, parsed[k]);
    });
    ReadBoxes(lines, schema);
    detailsRead.Finish();
    for (std::size_t k = 0; k < kDetailSections.size(); ++k)
        (schema.*kDetailSections[k].rows)().TakeRows(parsed[k]);
    reading.HandOutDetails(schema);
}

}  // namespace

SectionContinuation ContinuationOf(std::string_view section) {
    if (section == "[TABLE]" || section == "[COLUMN]") return SectionContinuation::JoinUntilQuoteAtEnd;
    if (section == "[CONDITION]" || section == "[VIEW]" || section == "[TEXT]") {
        return SectionContinuation::JoinWithLineFeed;
    }
    return SectionContinuation::OneLinePerRow;
}

std::vector<std::string> ParseSectionFields(std::string_view text) {
    std::vector<std::string> fields;
    FieldScanner scanner;
    scanner.Feed(text, &fields);
    scanner.Finish(fields);
    return fields;
}

void ReadSectionRows(std::span<const std::string> lines, std::string_view section, ZMGCell& target) {
    const bool privileges = section == "[OBJECT PRIVILEGE]";
    if (privileges)
        target.AddRow(
            RowOf(std::vector<std::string>(std::begin(kPrivilegeHeader), std::end(kPrivilegeHeader))));
    ForEachSectionRow(lines, section, [&](std::vector<std::string>&& fields, bool headerRow) {
        if (headerRow && privileges) return;
        target.AddRow(RowOf(std::move(fields)));
    });
}

void MGDesignReading::HandOutDetails(MGSchema& schema) {
    auto& status = tabulorix::Status();
    status.SetMainLine("索引情報解析中...");
    status.SetMainLine("制約情報解析中...");
    // Each kind fills its own tables of the boxes and only reads their
    // column rows, so the kinds are handed out on both threads at once and
    // joined here. Primary and unique keys stay in that order: their key
    // numbers continue each other's.
    const MGDetailTargets targets(schema, &book_, &largestKeyNumber_);
    static constexpr std::array<std::pair<ZMGCell& (MGSchema::*)(), DetailKind>, 3> kOthers{
        {{&MGSchema::Indexes, DetailKind::Index},
         {&MGSchema::ForeignKeys, DetailKind::ForeignKey},
         {&MGSchema::Conditions, DetailKind::Condition}}};
    tabulorix::ShareWithWorker(kOthers.size() + 1, [&schema, &targets](std::size_t k) {
        if (k == kOthers.size()) {
            HandDetailsToBoxes(targets, schema.PrimaryKeys(), DetailKind::PrimaryKey);
            HandDetailsToBoxes(targets, schema.UniqueKeys(), DetailKind::UniqueKey);
            return;
        }
        HandDetailsToBoxes(targets, (schema.*kOthers[k].first)(), kOthers[k].second);
    });
}

void ReadSchemaFromDesignLines(MGSchema& schema, std::span<const std::string> lines,
                               MGDesignReading* reading) {
    ReportRepeatedSections(schema.OwnerName(), lines);
    MGDesignReading own;
    ReadBoxesAndDetails(lines, schema, reading != nullptr ? *reading : own);
}

}  // namespace tabulorix
