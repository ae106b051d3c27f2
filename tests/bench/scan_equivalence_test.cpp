// The indexed reading gives what the plain first-match scans give: one
// synthetic catalogue of a few thousand tables (table, key and index names
// repeated across owners) is read by the reverse-engineering driver and by
// the plain scans; the design files, the creation scripts and the CSV lists
// must be equal byte for byte, and so must the relation pairs, also after
// the design file has been loaded again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "catalogue/connection_record.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_loader.h"
#include "designfile/design_writer.h"
#include "diagram/auto_layout.h"
#include "diagram/diagram_build.h"
#include "diagram/draw_table_list.h"
#include "diagram/relation_lines.h"
#include "diagram/script_flags.h"
#include "diagram/settings.h"
#include "outputs/csv_export.h"
#include "outputs/sql_script.h"
#include "plain_scans.h"
#include "reading/reverse_driver.h"
#include "render/draw_box.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;

using namespace tabulorix::testing;

namespace {

constexpr int kTables = 1500;

struct Outputs {
    std::vector<std::string> design;
    std::string script;
    std::vector<std::vector<std::string>> lists;
    std::vector<std::string> relations;
};

class ScanEquivalence : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string command = "/usr/bin/python3 " TABULORIX_SOURCE_DIR
                                    "/bench/make-snapshot --tables " +
                                    std::to_string(kTables) + " --shared-names 0.3 --seed 7 -o " + snapshot_;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        // Some tables with a second comment row, after the first: a lookup
        // must take the first.
        ExecuteOnFile(snapshot_,
                      "INSERT INTO ALL_TAB_COMMENTS (OWNER, TABLE_NAME, TABLE_TYPE, COMMENTS) SELECT OWNER, "
                      "TABLE_NAME, TABLE_TYPE, 'second' FROM ALL_TAB_COMMENTS WHERE rowid % 7 = 0");
        MGDrawTableList::SetDefaultDrawBox(&box);
        box.RefreshPaper();
        box.Reset();
        box.SetDiagramFont("IPAPGothic", "9");
        window.fontName = "IPAPGothic";
    }
    void TearDown() override {
        manager.ClearSchemas();
        MGDrawTableList::SetDefaultDrawBox(nullptr);
    }

    // The diagram steps of the driver; with plain set the scans of the
    // reference replace the indexed ones.
    void BuildDiagram(bool plainScans) {
        MGDrawTableList& diagram = *MGDrawTableList::Current();
        manager.SetCurrentSchema(manager.GetSchema(0));
        MGBuildSettings build;
        build.displayFlags = settings.DisplayFlags();
        if (!plainScans) return BuildDiagramAfterReading(diagram, box, manager.SchemaCount(), build);
        AddLegend(diagram);
        plain::MarkKeys(diagram);
        diagram.ApplySchemaCount(manager.SchemaCount());
        diagram.ApplyDisplayFlags(build.displayFlags);
        ApplyDiagramFont(diagram, box, "IPAPGothic", "9", 2);
        LayoutDiagram(diagram, box, 2, {}, build.pagesAcross, build.pagesDown);
        box.SetZoom(100, 1);
    }

    Outputs Collect() {
        Outputs out;
        out.design = BuildDesignLines(context);
        const std::uint32_t flags = script_flags::kCreation | script_flags::kSeparateConstraints |
                                    script_flags::kTablesEnabled | script_flags::kViewsEnabled | 0x3FF;
        GenerateScript(manager.GetSchema(0), false, false, "", out.script, flags, 0, false);
        for (int s = 0; s < manager.SchemaCount(); ++s) {
            MGCsvListChoice choice;
            choice.owner = manager.GetSchema(s)->OwnerName();
            for (int kind = 0; kind < kCsvListCount; ++kind) {
                std::vector<std::string> lines;
                BuildCsvList(manager, kind, choice, false)->WriteCsvLines(lines);
                out.lists.push_back(lines);
            }
        }
        out.relations = Relations();
        return out;
    }

    static std::vector<std::string> Relations() {
        std::vector<std::string> pairs;
        const MGDrawTableList& diagram = *MGDrawTableList::Current();
        for (int i = 0; i < diagram.RelationCount(); ++i) {
            const MGShapeRelation& r = *diagram.RelationItem(i);
            pairs.push_back(std::to_string(r.RelationNumber()) + "/" + std::to_string(r.TwinFlag()) + " " +
                            std::to_string(r.OwnBox()->ObjectNumber()) + ">" +
                            std::to_string(r.OtherBox()->ObjectNumber()) + " key " +
                            std::to_string(r.OwnKeyNumber()) + " " + r.RelationName() +
                            (r.DashedLine() ? " dashed" : "") + (r.Cascade() ? " cascade" : "") +
                            (r.OwnBox()->Rounded() ? " rounded" : ""));
        }
        return pairs;
    }

    static void ExpectEqual(const Outputs& indexed, const Outputs& reference) {
        ASSERT_EQ(indexed.design.size(), reference.design.size());
        for (std::size_t i = 0; i < indexed.design.size(); ++i)
            ASSERT_EQ(indexed.design[i], reference.design[i]) << "design line " << i + 1;
        EXPECT_TRUE(indexed.script == reference.script) << "the creation scripts differ";
        EXPECT_EQ(indexed.lists, reference.lists);
        EXPECT_EQ(indexed.relations, reference.relations);
    }

    BoxParts<RecordingPrinter> parts{6250, 6250, 600};
    ZMGDrawBox& box = parts.box;
    RecordingSettingsHost host;
    TSetDlg settings{&host};
    RecordingDesignWindow window;
    MGSchemaMng manager;
    MGDesignContext context{manager, settings, window, &box};

    TempDirectory directory;
    const std::string snapshot_ = directory.File("shared-names.sqlite");
};

// The driver's steps after reading, with the fixture's diagram steps.
struct Host final : ReverseHost {
    std::function<void()> build;
    void GenerateBoxSources(MGSchemaMng& manager) override { ::GenerateBoxSources(manager.GetSchema(0)); }
    void BuildDiagram(MGSchemaMng&) override { build(); }
    void BuildRelations(MGSchemaMng&) override { ::BuildRelations(*MGDrawTableList::Current()); }
};

TEST_F(ScanEquivalence, ReadingWritingAndLoadingMatchThePlainScans) {
    // The reference: plain scans from the dictionary to the relation pairs.
    ASSERT_TRUE(plain::ReadCatalogue(manager, snapshot_, "APP01", "bench"));
    ::GenerateBoxSources(manager.GetSchema(0));
    BuildDiagram(true);
    plain::BuildRelations(*MGDrawTableList::Current());
    const Outputs reference = Collect();
    ASSERT_GE(manager.SchemaCount(), 2);
    ASSERT_GT(reference.relations.size(), static_cast<std::size_t>(kTables));
    manager.ClearSchemas();

    // The product: the driver with its indexes.
    Host hostSteps;
    hostSteps.build = [this] { BuildDiagram(false); };
    ASSERT_TRUE(ReverseDatabase(manager, 0, MakeUserInfo("APP01", "bench", snapshot_), hostSteps));
    const Outputs indexed = Collect();
    ExpectEqual(indexed, reference);

    // Loading the design file again: the keys, the layout lines and the
    // relations are found through indexes once more.
    const std::string path = directory.File("design.tlx");
    WriteDesignFile(context, path);
    ASSERT_TRUE(LoadDesignFile(context, path));
    const Outputs loaded = Collect();
    ExpectEqual(loaded, indexed);

    // The plain resolution and relation building on the loaded model change
    // nothing.
    plain::ResolveForeignKeys(*MGDrawTableList::Current());
    plain::BuildRelations(*MGDrawTableList::Current());
    ExpectEqual(Collect(), loaded);
}

}  // namespace
