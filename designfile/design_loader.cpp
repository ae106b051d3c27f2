#include "designfile/design_loader.h"

#include <memory>
#include <span>
#include <string>

#include "base/file_io.h"
#include "base/ui_ports.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_sections.h"
#include "diagram/auto_layout.h"
#include "diagram/box_sources.h"
#include "diagram/diagram_build.h"
#include "diagram/draw_table_list.h"
#include "diagram/layout_lines.h"
#include "diagram/relation_lines.h"
#include "diagram/settings.h"
#include "reading/reverse_driver.h"
#include "reading/schema_connect.h"
#include "render/draw_box.h"

namespace tabulorix {

namespace {

// Walks the lines of a design file once: version, document type, font
// line, then the schema blocks, each handed to its schema when the next
// block starts or the lines end.
class DesignReader {
public:
    DesignReader(const MGDesignContext& context, const std::string& path) : context_(context), path_(path) {}

    // False at a wrong document type.
    bool Walk(const std::vector<std::string>& lines) {
        lines_ = lines;
        for (position_ = 0; position_ < lines.size(); ++position_) {
            if (!Step(lines[position_])) return false;
        }
        return true;
    }

    // Loads the schema still collecting lines.
    void Finish() {
        if (state_ == State::SchemaLines) LoadCollected(lines_.size());
    }

    bool CreatedSchema() const { return created_; }
    // The prints of the column names of every schema read.
    const MGColumnPrintBook& Book() const { return reading_.Book(); }

private:
    enum class State { Version, DocumentType, Type, FontLine, Schema, Owner, SchemaLines };

    bool Step(const std::string& line) {
        switch (state_) {
            case State::Version:
                if (line == "[VERSION]") state_ = State::DocumentType;
                return true;
            case State::DocumentType:
                if (line == "[DOCUMENT TYPE]") state_ = State::Type;
                return true;
            case State::Type:
                state_ = State::FontLine;
                return line == "TYPE 1";
            case State::FontLine: {
                const std::vector<std::string> fields = ParseSectionFields(line);
                context_.window.SelectFontItems(fields.empty() ? std::string() : fields[0],
                                                fields.size() < 2 ? std::string() : fields[1]);
                state_ = State::Schema;
                return true;
            }
            case State::Schema:
                if (line == "[SCHEMA]") state_ = State::Owner;
                return true;
            case State::Owner:
                // An owner is never empty: blank lines after "[SCHEMA]" (a
                // file ending there, say) make no schema without a name.
                if (!line.empty()) StartSchema(line);
                return true;
            case State::SchemaLines:
                if (line == "[SCHEMA]") {
                    LoadCollected(position_);
                    state_ = State::Owner;
                }
                return true;
        }
        return true;
    }

    void StartSchema(const std::string& owner) {
        MGSchemaMng& manager = context_.manager;
        auto schema = std::make_unique<MGSchema>();
        schema->SetSchemaNumber(manager.NextSchemaNumber());
        // The design path travels as the schema's layout source.
        if (!Connect(*schema, &manager, kSourceDesign, owner, "", "", path_, nullptr)) return;
        current_ = schema.get();
        manager.AddSchema(std::move(schema));
        created_ = true;
        firstSchemaLine_ = position_ + 1;
        state_ = State::SchemaLines;
    }

    // The schema's lines run from the line after its owner up to end.
    void LoadCollected(std::size_t end) {
        ReadSchemaFromDesignLines(*current_, lines_.subspan(firstSchemaLine_, end - firstSchemaLine_),
                                  &reading_);
    }

    const MGDesignContext& context_;
    const std::string& path_;
    State state_ = State::Version;
    MGSchema* current_ = nullptr;
    std::span<const std::string> lines_;
    std::size_t position_ = 0;
    std::size_t firstSchemaLine_ = 0;
    bool created_ = false;
    MGDesignReading reading_;
};

void ApplyFont(const MGDesignContext& context, MGDrawTableList& diagram) {
    if (context.drawBox == nullptr) return;
    ApplyDiagramFont(diagram, *context.drawBox, context.window.FontNameText(), context.window.FontSizeText(),
                     context.manager.DisplayMode());
}

// What the boxes' measured sizes depend on besides their own contents.
struct Measuring {
    std::string fontName;
    std::string fontSize;
    int displayMode = 0;
    int zoom = 0;
    int boxes = 0;
    bool operator==(const Measuring&) const = default;
};

Measuring MeasuringNow(const MGDesignContext& context, const MGDrawTableList& diagram) {
    if (context.drawBox == nullptr) return {};
    return {context.window.FontNameText(), context.window.FontSizeText(), context.manager.DisplayMode(),
            context.drawBox->Zoom(), diagram.Count()};
}

// Applies the font once more. Placing the boxes and building the relations
// change nothing a box's size is measured from, so when font, display mode,
// zoom and boxes are still those of the first measuring, measuring again
// gives every box the size it has: the font is applied without it.
void ApplyFontAgain(const MGDesignContext& context, MGDrawTableList& diagram, const Measuring& first) {
    if (context.drawBox == nullptr) return;
    if (MeasuringNow(context, diagram) == first) {
        context.drawBox->SetDiagramFont(context.window.FontNameText(), context.window.FontSizeText());
        return;
    }
    ApplyFont(context, diagram);
}

// The layout lines place the boxes they name; the rest are placed
// automatically when there is a drawing box to measure them with.
void PlaceBoxes(const MGDesignContext& context, MGDrawTableList& diagram,
                const std::vector<std::string>& lines) {
    const TSetDlg::Values& values = context.settings.StoredValues();
    if (context.drawBox == nullptr) {
        ReadLayoutLines(diagram, lines);
        return;
    }
    int across = values.PaperX;
    int down = values.PaperY;
    LayoutDiagram(diagram, *context.drawBox, context.manager.DisplayMode(), lines, across, down);
    context.drawBox->SetZoom(100, 1);
}

void BuildAfterLoading(const MGDesignContext& context, const std::vector<std::string>& lines,
                       const MGColumnPrintBook& book) {
    MGDrawTableList& diagram = MGDrawTableList::EnsureCurrent();
    MGDesignWindow& window = context.window;
    window.ShowRightPanel();
    ResolveForeignKeys(diagram);
    tabulorix::Status().SetMainLine("テーブル間の関係解析中...");
    MarkKeys(diagram, &book);
    AddLegend(diagram);
    diagram.ApplySchemaCount(context.manager.SchemaCount());
    window.ResetListViewMemory();
    diagram.ApplyDisplayFlags(context.settings.DisplayFlags());
    ApplyFont(context, diagram);
    const Measuring measured = MeasuringNow(context, diagram);
    PlaceBoxes(context, diagram, lines);
    window.SetWindowZoom100();
    window.RebuildSchemaList();
    BuildRelations(diagram, &book);
    WriteBoxSources();
    window.ExpandDesignNode();
    ApplyFontAgain(context, diagram, measured);
}

void ClearModel(const MGDesignContext& context, const std::string& path) {
    context.manager.SetDesignPath(path);
    context.manager.ClearSchemas();
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) diagram->Clear();
}

}  // namespace

bool LoadDesignLines(const MGDesignContext& context, const std::string& path,
                     const std::vector<std::string>& lines) {
    tabulorix::StatusPort& status = tabulorix::Status();
    status.Reset();
    status.Show(false);
    context.window.ResetViewForLoading();
    if (context.drawBox != nullptr) context.drawBox->SetZoom(100, 1);
    ClearModel(context, path);

    DesignReader reader(context, path);
    if (!reader.Walk(lines)) {
        tabulorix::ShowMessage(kDesignTypeError);
        context.window.DeleteRootNode();
        status.Close();
        return false;
    }
    // A value that is not a whole number is reported; the keys before it are
    // kept and the design is still loaded, so nothing else of it is lost.
    if (const auto error = context.settings.ReadItems(lines)) tabulorix::ShowMessage(error->message);
    reader.Finish();
    if (reader.CreatedSchema()) BuildAfterLoading(context, lines, reader.Book());
    status.Close();
    return true;
}

bool LoadDesignFile(const MGDesignContext& context, const std::string& path) {
    tabulorix::TextLines text;
    try {
        text = tabulorix::ReadTextLines(path);
    } catch (const tabulorix::FileError& error) {
        tabulorix::ShowMessage(error.what());
        return false;
    }
    return LoadDesignLines(context, path, text.lines);
}

}  // namespace tabulorix
