// Damaged and unusual design files: cut short, a line of megabytes, bytes
// that are no CP932, "[SCHEMA]" as the last line, a section twice, values
// that are no numbers, an empty layout line, one owner in two schema
// blocks, and a file that changes on disk while it is being loaded. Each
// either loads everything the file still holds or says what is wrong and
// where, and the design in memory is never lost to a file that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/file_io.h"
#include "catalogue/schema.h"
#include "designfile/design_loader.h"
#include "designfile/design_writer.h"
#include "diagram/diagram_build.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"
#include "support/catalogue_builder.h"
#include "support/data_cases.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;
using namespace tabulorix::testing;
using Lines = std::vector<std::string>;

namespace {

Lines::iterator Find(Lines& lines, const std::string& line) {
    const auto it = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(it, lines.end()) << line;
    return it;
}

class DamagedDesign : public DesignTest {
protected:
    // SCOTT with EMP (two columns, a key), DEPT, a view over two lines and a
    // text; every box placed. Returns the physical lines the writer saves
    // for it (a value's line breaks end lines too).
    Lines SampleLines(const std::string& empComment = "社員表") {
        MGSchema& scott = AddOwner(manager, "SCOTT");
        MGShapeTable& emp = AddTable(scott, "EMP", "社員", empComment);
        AddColumn(emp, {"EMPNO", "NUMBER", "4", "N"});
        AddColumn(emp, {"ENAME", "VARCHAR2", "10"});
        AddPrimaryKey(emp, "PK_EMP", {"EMPNO"}, 1);
        emp.SetPosition({50, 51, 200, 120});
        MGShapeTable& dept = AddTable(scott, "DEPT", "部門");
        AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N"});
        dept.SetPosition({400, 10, 500, 60});
        MGShapeView& view = AddView(scott, "V_EMP", "select EMPNO\nfrom EMP");
        AddColumn(view, {"EMPNO", "NUMBER", "4"});
        view.SetPosition({600, 10, 700, 60});
        auto text = std::make_unique<MGShapeText>("注記", "IPAPGothic", 12, 0);
        text->SetPosition({100, 500, 200, 520});
        MGDrawTableList::Current()->AddBox(std::move(text));
        AddLegend(*MGDrawTableList::Current()).SetPosition({800, 300, 900, 400});
        const Lines lines = SplitLines(JoinedLines(BuildDesignLines(context)));
        ClearDesign();
        return lines;
    }

    void ClearDesign() {
        manager.ClearSchemas();
        MGDrawTableList::DestroyCurrent();
        ports.messages.clear();
    }

    // Loads the lines from a file and answers whether the load succeeded.
    bool Load(const Lines& lines) {
        WriteTextLines(dir.File("design.tlx"), lines);
        return LoadDesignFile(context, dir.File("design.tlx"));
    }

    MGShapeTable* Box(const std::string& owner, const std::string& name) {
        MGDrawTableList* diagram = MGDrawTableList::Current();
        return diagram == nullptr ? nullptr : diagram->FindBox(owner, name);
    }

    int Left(const std::string& owner, const std::string& name) {
        MGShapeTable* box = Box(owner, name);
        return box == nullptr ? -1 : box->Position().left;
    }

    int ColumnRows(const std::string& owner, const std::string& name) {
        MGShapeTable* box = Box(owner, name);
        return box == nullptr ? -1 : box->ColumnRows().RowCount();
    }

    void ExpectSampleLoaded() {
        EXPECT_EQ(manager.SchemaCount(), 1);
        EXPECT_EQ(std::tuple(Left("SCOTT", "EMP"), Left("SCOTT", "DEPT"), Left("SCOTT", "V_EMP")),
                  std::tuple(50, 400, 600));
        EXPECT_EQ(ColumnRows("SCOTT", "EMP"), 3);  // header and two columns
    }
};

TEST_F(DamagedDesign, BytesThatAreNoCp932OrAFileCutInsideACharacterAreNamedAndTheOpenDesignStays) {
    const std::string whole = EncodeTextLines(SampleLines()).bytes;
    // Cut after the lead byte of 社 in the first table row; a lead byte with
    // a bad trail byte put into line 9, the header row of "[TABLE]".
    std::string bad = whole;
    bad.insert(bad.find("\"Type\""), "\x81\x20");
    const std::pair<std::string, Lines> cases[] = {
        {whole.substr(0, whole.find(EncodeCp932("社員表")) + 1), {"途中で終わっています", "10 行目"}},
        {bad, {"0x81 0x20", "(9 行目"}}};
    for (const auto& [bytes, named] : cases) {
        SCOPED_TRACE(named.front());
        const std::string path = dir.File("bad.tlx");
        WriteFileAtomically(path, bytes);
        ClearDesign();
        // A design already open that the failed load must leave alone: HR.JOBS.
        AddColumn(AddTable(AddOwner(manager, "HR"), "JOBS"), {"JOB_ID", "VARCHAR2", "10", "N"});
        EXPECT_FALSE(LoadDesignFile(context, path));
        ASSERT_EQ(ports.messages.size(), 1u);
        for (const std::string& part : Lines{path, named[0], named[1]})
            EXPECT_TRUE(Contains(ports.messages[0], part)) << ports.messages[0];
        ASSERT_EQ(manager.SchemaCount(), 1);
        EXPECT_EQ(manager.GetSchema(0)->OwnerName(), "HR");
        EXPECT_EQ(ColumnRows("HR", "JOBS"), 2);
    }
}

TEST_F(DamagedDesign, AFileCutAtAnyLineLoadsWhatItStillHolds) {
    const Lines whole = SampleLines();
    const auto primaryKey = std::find(whole.begin(), whole.end(), "[PRIMARY KEY]") - whole.begin();
    for (std::ptrdiff_t keep = 0; keep <= static_cast<std::ptrdiff_t>(whole.size()); ++keep) {
        ClearDesign();
        ASSERT_TRUE(Load(Lines(whole.begin(), whole.begin() + keep))) << keep;
        EXPECT_LE(manager.SchemaCount(), 1) << keep;
        if (keep < primaryKey) continue;
        // Tables and columns were complete: all three boxes with their columns.
        EXPECT_EQ(ColumnRows("SCOTT", "EMP"), 3) << keep;
        EXPECT_TRUE(Box("SCOTT", "DEPT") != nullptr && Box("SCOTT", "V_EMP") != nullptr) << keep;
    }
}

TEST_F(DamagedDesign, ALineOfSeveralMegabytesIsReadAndWrittenWhole) {
    std::string comment;
    for (int i = 0; i < 1'000'000; ++i) comment += "長";  // 3 MB of UTF-8, 2 MB of CP932
    comment += "\"end\"";
    ASSERT_TRUE(Load(SampleLines(comment)));
    EXPECT_TRUE(ports.messages.empty());
    ASSERT_NE(Box("SCOTT", "EMP"), nullptr);
    EXPECT_EQ(Box("SCOTT", "EMP")->Comment(), comment);
    const std::string first = ReadFileBytes(dir.File("design.tlx"));
    WriteDesignFile(context, dir.File("again.tlx"));
    const std::string second = ReadFileBytes(dir.File("again.tlx"));
    EXPECT_TRUE(first == second) << "the second file differs: " << first.size() << " and " << second.size();
}

TEST_F(DamagedDesign, SchemaAsTheLastLineAddsNoSchema) {
    for (const Lines& tail : {Lines{"[SCHEMA]"}, Lines{"[SCHEMA]", ""}, Lines{"[SCHEMA]", "", ""}}) {
        Lines lines = SampleLines();
        lines.insert(lines.end(), tail.begin(), tail.end());
        ASSERT_TRUE(Load(lines)) << tail.size();
        ExpectSampleLoaded();
        EXPECT_TRUE(ports.messages.empty());
        ClearDesign();
    }
}

TEST_F(DamagedDesign, ASectionWrittenTwiceLosesNoRowAndIsReported) {
    Lines lines = SampleLines();
    // The column rows of DEPT move into a second "[COLUMN]" section with its
    // own header row, after the primary keys.
    const std::string header = *(Find(lines, "[COLUMN]") + 1);
    const auto deptRow = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return Contains(line, "\"DEPTNO\"") && line.starts_with("\"Table\"");
    });
    ASSERT_NE(deptRow, lines.end());
    const std::string moved = *deptRow;
    lines.erase(deptRow);
    lines.insert(Find(lines, "[UNIQUE]"), {"[COLUMN]", header, moved});
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(std::pair(ColumnRows("SCOTT", "DEPT"), ColumnRows("SCOTT", "EMP")), std::pair(2, 3));
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_TRUE(Contains(ports.messages[0], "[COLUMN]") && Contains(ports.messages[0], "SCOTT"))
        << ports.messages[0];
}

TEST_F(DamagedDesign, ASettingThatIsNoNumberIsNamedAndTheDesignStillLoads) {
    Lines lines = SampleLines();
    *Find(lines, "PaperY 1") = "PaperY zwei";
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(ports.messages, Lines{"設定項目 PaperY の値 \"zwei\" は整数ではありません"});
    ExpectSampleLoaded();
}

TEST_F(DamagedDesign, TwoSchemaBlocksOfOneOwnerBothLoadAndAreWrittenAgain) {
    Lines lines = SampleLines();
    // A second SCOTT block with a table of its own (BONUS, one column), before the texts.
    const Lines block = DataLines("designfile/second_scott_block.txt");
    lines.insert(Find(lines, "[TEXT]"), block.begin(), block.end());
    lines.insert(Find(lines, "[SET ITEM]"), "SCOTT BONUS 800 90");
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(manager.SchemaCount(), 2);
    EXPECT_EQ(std::pair(Left("SCOTT", "EMP"), Left("SCOTT", "BONUS")), std::pair(50, 800));
    EXPECT_EQ(ColumnRows("SCOTT", "BONUS"), 2);
    const Lines again = BuildDesignLines(context);
    EXPECT_EQ(std::count(again.begin(), again.end(), "SCOTT"), 2);
    EXPECT_NE(std::find(again.begin(), again.end(), "SCOTT BONUS 800 90"), again.end());
}

TEST_F(DamagedDesign, AFileChangedOnDiskWhileLoadingIsPlacedFromTheLinesAlreadyRead) {
    Lines lines = SampleLines();
    const std::string path = dir.File("design.tlx");
    WriteTextLines(path, lines);
    *Find(lines, "SCOTT EMP 50 51") = "SCOTT EMP 999 999";
    window.beforeLayout = [&] { WriteTextLines(path, lines); };
    ASSERT_TRUE(LoadDesignFile(context, path));
    EXPECT_EQ(Left("SCOTT", "EMP"), 50);
    EXPECT_TRUE(ports.messages.empty());
    // The file on disk did change: the next load sees the new place.
    window.beforeLayout = nullptr;
    ASSERT_TRUE(LoadDesignFile(context, path));
    EXPECT_EQ(Left("SCOTT", "EMP"), 999);
}

}  // namespace
