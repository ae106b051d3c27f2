#include "designfile/design_writer.h"

#include <array>
#include <cstdint>

#include "base/text_file_save.h"
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

}  // namespace

void WriteSchemaBlock(const MGSchema& schema, std::vector<std::string>& lines) {
    lines.emplace_back("[SCHEMA]");
    lines.push_back(schema.OwnerName());
    lines.emplace_back("[TABLE]");
    WriteCsvLines(*BuildTableList(schema, true, 3, 3, schema.OwnerName(), true), lines);
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    for (const Section& section : kSections) {
        lines.emplace_back(section.line);
        // Written box by box: the header row (added by the first box that
        // has rows) stays as row 0, so later boxes add none, and each box's
        // rows are dropped once written; a section never holds the rows of a
        // whole schema at once. The table has no group columns, so nothing
        // depends on the rows of the previous box.
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
}

std::vector<std::string> BuildDesignLines(const MGDesignContext& context) {
    const MGReferencedKeyScope keys;  // foreign-key rows name the keys they reference
    std::vector<std::string> lines = {"[VERSION]", kDesignVersionLine, "[DOCUMENT TYPE]",
                                      kDesignDocumentType};
    std::string fontLine;
    AppendCsvField(fontLine, context.window.FontNameText());
    fontLine += ',';
    AppendCsvField(fontLine, context.window.FontSizeText());
    lines.push_back(std::move(fontLine));
    const MGSchemaMng& manager = context.manager;
    for (int i = 0; i < manager.SchemaCount(); ++i) WriteSchemaBlock(*manager.GetSchema(i), lines);
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
