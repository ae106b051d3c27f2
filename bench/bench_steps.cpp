#include "bench/bench_steps.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <chrono>

#include "base/file_io.h"
#include "base/text_file_save.h"
#include "catalogue/lazy_list_texts.h"
#include "catalogue/row_table.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_writer.h"
#include "diagram/diagram_paint.h"
#include "diagram/draw_table_list.h"
#include "diagram/script_flags.h"
#include "outputs/csv_export.h"
#include "outputs/sql_script.h"
#include "platform/qt_canvas.h"
#include "platform/snapshot_database.h"
#include "reading/dictionary_statements.h"
#include "session/catalogue_presentation.h"
#include "session/headless_document.h"

namespace tabulorix::bench {
namespace {

constexpr DictionaryQuery kQueries[] = {
    DictionaryQuery::Tables,      DictionaryQuery::PrivilegesMade, DictionaryQuery::PrivilegesReceived,
    DictionaryQuery::Columns,     DictionaryQuery::ViewColumns,    DictionaryQuery::ViewSources,
    DictionaryQuery::Indexes,     DictionaryQuery::PrimaryKeys,    DictionaryQuery::UniqueKeys,
    DictionaryQuery::ForeignKeys, DictionaryQuery::Conditions,
};

// The script as the SQL output dialog starts: creation in the separate
// constraint form, every statement kind, comments and privileges.
constexpr std::uint32_t kFullCreation =
    script_flags::kCreation | script_flags::kSeparateConstraints | script_flags::kTablesEnabled |
    script_flags::kViewsEnabled | script_flags::kTables | script_flags::kIndexes | script_flags::kViews |
    script_flags::kPrimaryKeys | script_flags::kUniqueKeys | script_flags::kForeignKeys |
    script_flags::kConditions | script_flags::kComments | script_flags::kPrivileges;

}  // namespace

std::vector<std::string> DesignOwners(const std::string& designPath) {
    const tabulorix::TextLines text = tabulorix::ReadTextLines(designPath);
    std::vector<std::string> owners;
    for (std::size_t i = 0; i + 1 < text.lines.size(); ++i) {
        if (text.lines[i] == "[SCHEMA]") owners.push_back(text.lines[i + 1]);
    }
    return owners;
}

std::size_t RunQueryFloor(const std::string& snapshot, const std::string& user, const std::string& password,
                          const std::vector<std::string>& owners) {
    auto connection = tabulorix::OpenSnapshotDatabase(snapshot, user, password);
    std::size_t rows = 0;
    for (std::size_t i = 0; i < owners.size(); ++i) {
        for (const DictionaryQuery query : kQueries) {
            rows += connection->Run(DictionaryStatement(query, i == 0, owners[i])).rows.size();
        }
    }
    connection->Close();
    return rows;
}

std::size_t LoadDesign(tabulorix::HeadlessDocument& window, const std::string& designPath) {
    if (!window.LoadDesign(designPath)) return 0;
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    return diagram == nullptr ? 0 : static_cast<std::size_t>(diagram->Count());
}

void CloseDesign(tabulorix::HeadlessDocument& window) {
    window.Manager().ClearSchemas();
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) diagram->Clear();
}

std::size_t ColumnRowCount() {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return 0;
    std::size_t count = 0;
    for (int i = 0; i < diagram->Count(); ++i) {
        const MGShapeTable* box = diagram->Item(i);
        if (box == nullptr || (box->Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) == 0)
            continue;
        const int rows = box->ColumnRows().RowCount();
        if (rows > 1) count += static_cast<std::size_t>(rows - 1);
    }
    return count;
}

ViewCentre MiddleOfDiagram() {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return {};
    const MGDiagramExtent extent = diagram->PlacedExtent();
    return {extent.right / 2, extent.bottom / 2};
}

PaintResult PaintView(tabulorix::HeadlessDocument& window, const ViewCentre& centre, int width, int height,
                      int zoom, bool countPixels, const std::string& pngPath) {
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return {};
    auto image = tabulorix::QtCanvas::ForImage(width, height);
    tabulorix::OffscreenPaintBox& paintBox = window.PaintBox();
    paintBox.Resize(width, height);
    paintBox.RedirectCanvas(*image);
    ZMGDrawBox& box = window.DrawBox();
    box.SetZoom(zoom, 1);
    box.ScrollTo(true, centre.x);
    box.ScrollTo(false, centre.y);

    MGPaintRequest request;
    request.flags = window.Settings().DisplayFlags();
    request.displayMode = window.Manager().DisplayMode();
    request.pagePosition = window.Settings().PagePositionForDrawing();
    request.pageNumberForm = window.Settings().PageNoFormForDrawing();
    request.repaintArea = tabulorix::Rect{0, 0, width, height};
    PaintDiagram(*diagram, box, request);
    paintBox.RestoreCanvas();

    PaintResult result;
    const QImage* drawn = image->Image();
    if (countPixels && drawn != nullptr) {
        for (int y = 0; y < drawn->height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(drawn->constScanLine(y));
            for (int x = 0; x < drawn->width(); ++x) {
                if ((line[x] & 0xFFFFFF) != 0xFFFFFF) ++result.inkPixels;
            }
        }
    }
    if (!pngPath.empty() && drawn != nullptr) drawn->save(QString::fromStdString(pngPath));
    return result;
}

std::size_t GenerateCreationScript(tabulorix::HeadlessDocument& window) {
    std::string script;
    GenerateScript(window.Manager().GetSchema(0), false, false, std::string(), script, kFullCreation, 0,
                   false);
    return tabulorix::EncodeFileText(script, tabulorix::LineFeeds::ToCrLf).bytes.size();
}

std::size_t GenerateCsvLists(tabulorix::HeadlessDocument& window) {
    const MGSchemaMng& manager = window.Manager();
    std::size_t bytes = 0;
    for (int s = 0; s < manager.SchemaCount(); ++s) {
        MGCsvListChoice choice;
        choice.owner = manager.GetSchema(s)->OwnerName();
        choice.visibleOnly = false;
        for (int kind = 0; kind < kCsvListCount; ++kind) {
            const std::unique_ptr<ZMGCell> list = BuildCsvList(manager, kind, choice, false);
            if (list == nullptr) continue;
            std::vector<std::string> lines;
            list->WriteCsvLines(lines);
            bytes += tabulorix::EncodeTextLines(lines).bytes.size();
        }
    }
    return bytes;
}

RecoveryCopyTimes WriteRecoveryCopy(tabulorix::HeadlessDocument& window, const std::string& path) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    std::vector<std::string> lines = BuildDesignLines(window.Context());
    const auto built = Clock::now();
    SaveTextFile(path, std::move(lines));
    const auto written = Clock::now();
    return {std::chrono::duration<double>(built - start).count(),
            std::chrono::duration<double>(written - built).count()};
}

std::size_t ShowCatalogue(tabulorix::HeadlessDocument& window) {
    constexpr int kScreenRows = 60;
    constexpr int kRowsMeasured = 1000;
    MGSchemaMng& manager = window.Manager();
    const int mode = manager.DisplayMode();
    MGCatalogueTree tree;
    tree.Build(manager);
    int largest = 0;
    int largestBoxes = -1;
    for (int s = 0; s < manager.SchemaCount(); ++s) {
        const int boxes = tree.ChildCount(MGTreeNode::Category(s, kCategoryTables)) +
                          tree.ChildCount(MGTreeNode::Category(s, kCategoryViews));
        if (boxes > largestBoxes) {
            largest = s;
            largestBoxes = boxes;
        }
    }
    std::size_t shown = 0;
    const MGTreeNode tables = MGTreeNode::Category(largest, kCategoryTables);
    for (int i = 0; i < std::min(kScreenRows, tree.ChildCount(tables)); ++i)
        shown += QString::fromStdString(tree.Text(tree.Child(tables, i))).size() > 0 ? 1 : 0;

    MGSheetCache cache;
    const ZMGCell& list = cache.TableList(*manager.GetSchema(largest), mode, 3);
    const MGLazyListTexts texts(&list, (mode & 0x1) != 0 ? 1 : 0);
    const QFontMetrics metrics(QFont(QStringLiteral("IPAPGothic"), 9));
    const int measured = std::min(texts.RowCount(), kRowsMeasured);
    for (int c = 0; c < texts.ColumnCount(); ++c) {
        int width = metrics.horizontalAdvance(QString::fromStdString(texts.Caption(c)));
        for (int r = 0; r < measured; ++r)
            width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(texts.Text(r, c))));
        shown += width > 0 ? 1 : 0;
    }
    for (int r = 0; r < std::min(kScreenRows, texts.RowCount()); ++r)
        for (int c = 0; c < texts.ColumnCount(); ++c) shown += QString::fromStdString(texts.Text(r, c)).size();
    return shown > 0 ? static_cast<std::size_t>(texts.RowCount()) : 0;
}

}  // namespace tabulorix::bench
