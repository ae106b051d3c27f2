#include "designfile/design_writer.h"

#include <array>
#include <cstdint>
#include <iterator>

#include "base/text_file_save.h"
#include "base/worker_thread.h"
#include "catalogue/csv_lines.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/layout_lines.h"
#include "diagram/referenced_keys.h"
#include "diagram/section_kinds.h"
#include "diagram/settings.h"
#include "diagram/table_list.h"

namespace tabulorix {

namespace {

struct Section {
    const char* line;
    std::uint32_t kind;
};

constexpr std::array<Section, 8> kSections = {{{"[COLUMN]", 0xC020},
                                               {"[PRIMARY KEY]", 0x4001},
                                               {"[UNIQUE]", 0x4002},
                                               {"[FOREIGN KEY]", 0x104048},
                                               {"[CONDITION]", 0x4004},
                                               {"[INDEX]", 0x4080},
                                               {"[OBJECT PRIVILEGE]", 0x4200},
                                               {"[VIEW]", 0x4010}}};

bool IsTableOrView(const MGShapeTable& box) {
    return (box.Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) != 0;
}

// The lines of one piece of a schema block: piece 0 is the schema's head and
// its table list, pieces 1 .. 8 the sections of the boxes' rows. Pieces
// only read the schema and the boxes, so they can be made side by side.
void WriteSchemaPiece(const MGSchema& schema, std::size_t piece, std::vector<std::string>& lines) {
    if (piece == 0) {
        lines.emplace_back("[SCHEMA]");
        lines.push_back(schema.OwnerName());
        lines.emplace_back("[TABLE]");
        WriteCsvLines(*BuildTableList(schema, true, 3, 3, schema.OwnerName(), true), lines);
        return;
    }
    const Section& section = kSections[piece - 1];
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    lines.emplace_back(section.line);
    // Written box by box: the header row (added by the first box that has
    // rows) stays as row 0, so later boxes add none, and each box's rows are
    // dropped once written; a section never holds the rows of a whole schema
    // at once. The table has no group columns, so nothing depends on the
    // rows of the previous box.
    ZMGCell rows;
    int firstUnwritten = 0;
    for (int i = 0; diagram != nullptr && i < diagram->Count(); ++i) {
        MGShapeTable* box = diagram->Item(i);
        if (!IsTableOrView(*box) || box->Owner() != schema.OwnerName()) continue;
        box->WriteBoxRows(section.kind, rows, true);
        WriteCsvLines(rows, lines, firstUnwritten);
        if (rows.RowCount() > 0) {
            rows.ClearRows(1);
            firstUnwritten = 1;
        }
    }
}

constexpr std::size_t kSchemaPieces = kSections.size() + 1;

}  // namespace

void WriteSchemaBlock(const MGSchema& schema, std::vector<std::string>& lines) {
    for (std::size_t piece = 0; piece < kSchemaPieces; ++piece) WriteSchemaPiece(schema, piece, lines);
}

namespace {

// Every schema block, its pieces made by this thread and the worker side by
// side while nothing else runs (a joined phase: the model is only read), then
// put together in file order.
void WriteSchemaBlocks(const MGSchemaMng& manager, const std::shared_ptr<const MGReferencedKeyScope::Index>& keys,
                       std::vector<std::string>& lines) {
    const std::size_t count = static_cast<std::size_t>(manager.SchemaCount()) * kSchemaPieces;
    std::vector<std::vector<std::string>> pieces(count);
    ShareWithWorker(count, [&](std::size_t k) {
        const MGReferencedKeyScope scope(keys);  // the lookup answers on the thread that asks
        WriteSchemaPiece(*manager.GetSchema(static_cast<int>(k / kSchemaPieces)), k % kSchemaPieces, pieces[k]);
    });
    std::size_t total = lines.size();
    for (const auto& piece : pieces) total += piece.size();
    lines.reserve(total);
    for (auto& piece : pieces) std::move(piece.begin(), piece.end(), std::back_inserter(lines));
}

}  // namespace

std::vector<std::string> BuildDesignLines(const MGDesignContext& context) {
    // Foreign-key rows name the keys they reference: one index of them for
    // this thread and the worker.
    const auto index = MGReferencedKeyScope::BuildIndex();
    const MGReferencedKeyScope keys(index);
    std::vector<std::string> lines = {"[VERSION]", kDesignVersionLine, "[DOCUMENT TYPE]",
                                      kDesignDocumentType};
    std::string fontLine;
    AppendCsvField(fontLine, context.window.FontNameText());
    fontLine += ',';
    AppendCsvField(fontLine, context.window.FontSizeText());
    lines.push_back(std::move(fontLine));
    const MGSchemaMng& manager = context.manager;
    WriteSchemaBlocks(manager, index, lines);
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (manager.SchemaCount() > 0 && diagram != nullptr) {
        lines.emplace_back("[TEXT]");
        NameTextsAndLegend(*diagram);
        ZMGCell texts;
        WriteTextRows(*diagram, texts);
        WriteCsvLines(texts, lines);
        lines.emplace_back("[TABLE LAYOUT]");
        WriteLayoutLines(*diagram, lines);
        lines.emplace_back("[SET ITEM]");
        context.settings.WriteItems(lines);
    }
    lines.emplace_back();
    return lines;
}

void WriteDesignFile(const MGDesignContext& context, const std::string& path) {
    SaveTextFile(path, BuildDesignLines(context));
}

}  // namespace tabulorix
