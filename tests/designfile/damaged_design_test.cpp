// Damaged and unusual design files: cut short, a line of megabytes, bytes
// that are no CP932, "[SCHEMA]" as the last line, a section twice, values
// that are no numbers, an empty layout line, one owner in two schema
// blocks, and a file that changes on disk while it is being loaded. Each
// either loads everything the file still holds or says what is wrong and
// where, and the design in memory is never lost to a file that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/schema.h"
#include "designfile/design_loader.h"
#include "designfile/design_writer.h"
#include "diagram/diagram_build.h"
#include "diagram/layout_lines.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"
#include "base/file_io.h"
#include "support/catalogue_builder.h"
#include "support/data_cases.h"
#include "support/recording_host.h"

using namespace tabulorix;

using namespace tabulorix::testing;
using Lines = std::vector<std::string>;

namespace {

class DamagedDesign : public DesignTest {
protected:
    // SCOTT with EMP (two columns, a key), DEPT, a view over two lines and a
    // text; every box placed. Returns the lines the writer makes for it.
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
        // Physical lines, as the writer saves them: a value's line breaks end lines too.
        std::string joined;
        for (const std::string& line : BuildDesignLines(context)) joined += line + "\n";
        const Lines lines = tabulorix::SplitLines(joined);
        ClearDesign();
        return lines;
    }

    // A design already open that a failed load must leave alone: HR.JOBS.
    void OpenOtherDesign() {
        MGSchema& hr = AddOwner(manager, "HR");
        AddColumn(AddTable(hr, "JOBS"), {"JOB_ID", "VARCHAR2", "10", "N"});
    }

    void ClearDesign() {
        manager.ClearSchemas();
        MGDrawTableList::DestroyCurrent();
    }

    std::string Write(const std::string& name, const Lines& lines) {
        const std::string path = dir.File(name);
        tabulorix::WriteTextLines(path, lines);
        return path;
    }

    std::string WriteBytes(const std::string& name, const std::string& bytes) {
        const std::string path = dir.File(name);
        tabulorix::WriteFileAtomically(path, bytes);
        return path;
    }

    MGShapeTable* Box(const std::string& owner, const std::string& name) {
        MGDrawTableList* diagram = MGDrawTableList::Current();
        return diagram == nullptr ? nullptr : diagram->FindBox(owner, name);
    }

    int Left(const std::string& owner, const std::string& name) {
        MGShapeTable* box = Box(owner, name);
        return box == nullptr ? -1 : box->Position().left;
    }

    void ExpectOtherDesignIntact() {
        ASSERT_EQ(manager.SchemaCount(), 1);
        EXPECT_EQ(manager.GetSchema(0)->OwnerName(), "HR");
        ASSERT_NE(Box("HR", "JOBS"), nullptr);
        EXPECT_EQ(Box("HR", "JOBS")->ColumnRows().RowCount(), 2);
    }

    void ExpectSampleLoaded() {
        ASSERT_EQ(manager.SchemaCount(), 1);
        EXPECT_EQ(Left("SCOTT", "EMP"), 50);
        EXPECT_EQ(Left("SCOTT", "DEPT"), 400);
        ASSERT_NE(Box("SCOTT", "V_EMP"), nullptr);
        EXPECT_EQ(Box("SCOTT", "V_EMP")->Position().left, 600);
        EXPECT_EQ(Box("SCOTT", "EMP")->ColumnRows().RowCount(), 3);  // header and two columns
    }
};

Lines::iterator Find(Lines& lines, const std::string& line) {
    const auto it = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(it, lines.end()) << line;
    return it;
}

TEST_F(DamagedDesign, BytesThatAreNoCp932OrAFileCutInsideACharacterAreNamedAndTheOpenDesignStays) {
    const std::string whole = tabulorix::EncodeTextLines(SampleLines()).bytes;
    struct Case {
        std::string bytes;
        Lines named;
    };
    // Cut after the lead byte of 社 in the first table row; a lead byte with
    // a bad trail byte put into line 9, the header row of "[TABLE]".
    std::string bad = whole;
    bad.insert(bad.find("\"Type\""), "\x81\x20");
    const Case cases[] = {{whole.substr(0, whole.find(tabulorix::EncodeCp932("社員表")) + 1),
                           {"途中で終わっています", "10 行目"}},
                          {bad, {"0x81 0x20", "(9 行目"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named.front());
        const std::string path = WriteBytes("bad.tlx", c.bytes);
        ClearDesign();
        ports.messages.clear();
        OpenOtherDesign();
        EXPECT_FALSE(LoadDesignFile(context, path));
        ASSERT_EQ(ports.messages.size(), 1u);
        for (const std::string& part : Lines{path, c.named[0], c.named[1]})
            EXPECT_NE(ports.messages[0].find(part), std::string::npos) << ports.messages[0];
        ExpectOtherDesignIntact();
    }
}

TEST_F(DamagedDesign, AFileCutAtAnyLineLoadsWhatItStillHolds) {
    const Lines whole = SampleLines();
    const auto primaryKey = std::find(whole.begin(), whole.end(), "[PRIMARY KEY]") - whole.begin();
    for (std::size_t keep = 0; keep <= whole.size(); ++keep) {
        ClearDesign();
        ports.messages.clear();
        const Lines head(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
        ASSERT_TRUE(LoadDesignFile(context, Write("head.tlx", head))) << keep;
        EXPECT_LE(manager.SchemaCount(), 1) << keep;
        if (keep >= static_cast<std::size_t>(primaryKey)) {
            // Tables and columns were complete: all three boxes with their columns.
            ASSERT_NE(Box("SCOTT", "EMP"), nullptr) << keep;
            EXPECT_EQ(Box("SCOTT", "EMP")->ColumnRows().RowCount(), 3) << keep;
            EXPECT_NE(Box("SCOTT", "DEPT"), nullptr) << keep;
            EXPECT_NE(Box("SCOTT", "V_EMP"), nullptr) << keep;
        }
    }
}

TEST_F(DamagedDesign, ALineOfSeveralMegabytesIsReadAndWrittenWhole) {
    std::string comment;
    for (int i = 0; i < 1'000'000; ++i) comment += "長";  // 3 MB of UTF-8, 2 MB of CP932
    comment += "\"end\"";
    const std::string first = Write("long.tlx", SampleLines(comment));
    ASSERT_TRUE(LoadDesignFile(context, first));
    EXPECT_TRUE(ports.messages.empty());
    ASSERT_NE(Box("SCOTT", "EMP"), nullptr);
    EXPECT_EQ(Box("SCOTT", "EMP")->Comment(), comment);
    const std::string second = dir.File("again.tlx");
    WriteDesignFile(context, second);
    const std::string a = tabulorix::ReadFileBytes(first);
    const std::string b = tabulorix::ReadFileBytes(second);
    EXPECT_TRUE(a == b) << "the second file differs from the first: " << a.size() << " and " << b.size() << " bytes";
}

TEST_F(DamagedDesign, SchemaAsTheLastLineAddsNoSchema) {
    for (const Lines& tail : {Lines{"[SCHEMA]"}, Lines{"[SCHEMA]", ""}, Lines{"[SCHEMA]", "", ""}}) {
        Lines lines = SampleLines();
        lines.insert(lines.end(), tail.begin(), tail.end());
        ports.messages.clear();
        ASSERT_TRUE(LoadDesignFile(context, Write("schema-at-end.tlx", lines))) << tail.size();
        ExpectSampleLoaded();
        EXPECT_TRUE(ports.messages.empty());
        ClearDesign();
    }
}

TEST_F(DamagedDesign, ASectionWrittenTwiceLosesNoRowAndIsReported) {
    Lines lines = SampleLines();
    // The column rows of DEPT move into a second "[COLUMN]" section with its
    // own header row, after the primary keys.
    const auto column = Find(lines, "[COLUMN]");
    const std::string header = *(column + 1);
    const auto deptRow = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("\"DEPTNO\"") != std::string::npos && line.starts_with("\"Table\"");
    });
    ASSERT_NE(deptRow, lines.end());
    const std::string moved = *deptRow;
    lines.erase(deptRow);
    const auto unique = Find(lines, "[UNIQUE]");
    lines.insert(unique, {"[COLUMN]", header, moved});
    ASSERT_TRUE(LoadDesignFile(context, Write("twice.tlx", lines)));
    ASSERT_NE(Box("SCOTT", "DEPT"), nullptr);
    EXPECT_EQ(Box("SCOTT", "DEPT")->ColumnRows().RowCount(), 2);
    EXPECT_EQ(Box("SCOTT", "EMP")->ColumnRows().RowCount(), 3);
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_NE(ports.messages[0].find("[COLUMN]"), std::string::npos) << ports.messages[0];
    EXPECT_NE(ports.messages[0].find("SCOTT"), std::string::npos) << ports.messages[0];
}

TEST_F(DamagedDesign, ASettingThatIsNoNumberIsNamedAndTheDesignStillLoads) {
    Lines lines = SampleLines();
    *Find(lines, "PaperY 1") = "PaperY zwei";
    ASSERT_TRUE(LoadDesignFile(context, Write("settings.tlx", lines)));
    EXPECT_EQ(ports.messages, Lines{"設定項目 PaperY の値 \"zwei\" は整数ではありません"});
    ExpectSampleLoaded();
}

TEST_F(DamagedDesign, TwoSchemaBlocksOfOneOwnerBothLoadAndAreWrittenAgain) {
    Lines lines = SampleLines();
    // A second SCOTT block with a table of its own (BONUS, one column), before the texts.
    const Lines block = DataLines("designfile/second_scott_block.txt");
    lines.insert(Find(lines, "[TEXT]"), block.begin(), block.end());
    lines.insert(Find(lines, "[SET ITEM]"), "SCOTT BONUS 800 90");
    ASSERT_TRUE(LoadDesignFile(context, Write("two-scott.tlx", lines)));
    EXPECT_EQ(manager.SchemaCount(), 2);
    EXPECT_EQ(Left("SCOTT", "EMP"), 50);
    EXPECT_EQ(Left("SCOTT", "BONUS"), 800);
    ASSERT_NE(Box("SCOTT", "BONUS"), nullptr);
    EXPECT_EQ(Box("SCOTT", "BONUS")->ColumnRows().RowCount(), 2);
    const Lines again = BuildDesignLines(context);
    EXPECT_EQ(std::count(again.begin(), again.end(), "SCOTT"), 2);
    EXPECT_NE(std::find(again.begin(), again.end(), "SCOTT BONUS 800 90"), again.end());
}

TEST_F(DamagedDesign, AFileChangedOnDiskWhileLoadingIsPlacedFromTheLinesAlreadyRead) {
    const Lines lines = SampleLines();
    const std::string path = Write("changing.tlx", lines);
    Lines changed = lines;
    *Find(changed, "SCOTT EMP 50 51") = "SCOTT EMP 999 999";
    window.beforeLayout = [&] { tabulorix::WriteTextLines(path, changed); };
    ASSERT_TRUE(LoadDesignFile(context, path));
    EXPECT_EQ(Left("SCOTT", "EMP"), 50);
    EXPECT_TRUE(ports.messages.empty());
    // The file on disk did change: the next load sees the new place.
    window.beforeLayout = nullptr;
    ASSERT_TRUE(LoadDesignFile(context, path));
    EXPECT_EQ(Left("SCOTT", "EMP"), 999);
}

}  // namespace
