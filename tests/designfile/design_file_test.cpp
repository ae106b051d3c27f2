// Design files: the lines written for the SCOTT / EMP sample (kept in
// tests/data/designfile/scott_emp.txt), quoting, view sources over several
// lines, empty and two-schema models; loading (write, load, write is the
// identity; wrong document type, missing version) and the save questions.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/file_io.h"
#include "designfile/design_loader.h"
#include "designfile/design_save.h"
#include "designfile/design_writer.h"
#include "diagram/diagram_build.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"
#include "support/catalogue_builder.h"
#include "support/data_cases.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;
using namespace tabulorix::testing;
using Lines = std::vector<std::string>;

namespace {

bool Has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class DesignFile : public DesignTest {
protected:
    // SCOTT.EMP (社員, 社員表) with two columns and the legend, placed.
    MGShapeTable& Sample(bool legend = true) {
        MGShapeTable& emp = AddTable(AddOwner(manager, "SCOTT"), "EMP", "社員", "社員表");
        AddColumn(emp, {"EMPNO", "NUMBER", "4", "N"});
        AddColumn(emp, {"ENAME", "VARCHAR2", "10"});
        emp.SetPosition({50, 51, 200, 120});
        if (legend) AddLegend(*MGDrawTableList::Current()).SetPosition({300, 60, 400, 200});
        return emp;
    }

    std::string Save(const std::string& name) {
        WriteDesignFile(context, dir.File(name));
        return dir.File(name);
    }

    // The rows of a section of the lines built for the design.
    Lines Section(const char* name) {
        const Lines lines = BuildDesignLines(context);
        const auto start = std::find(lines.begin(), lines.end(), name) + 1;
        return Lines(
            start, std::find_if(start, lines.end(), [](const auto& line) { return line.starts_with("["); }));
    }
};

TEST_F(DesignFile, SampleIsWrittenLineByLineAndAnEmptyModelOnlyTheHead) {
    EXPECT_FALSE(IsModified(context));
    Lines expected = DataLines("designfile/scott_emp.txt");
    ASSERT_EQ(expected.size(), 40u);
    EXPECT_EQ(DecodedFile(Save("empty.tlx")),
              CrLf({expected[0], expected[1], expected[2], expected[3], expected[4], ""}));
    Sample();
    const std::string path = Save("sample.tlx");
    EXPECT_EQ(DecodedFile(path), CrLf(expected));
    EXPECT_EQ(ReadFileBytes(path).substr(0, 11), "[VERSION]\r\n");  // CP932, no BOM
}

TEST_F(DesignFile, EverySectionHasOneHeaderWhicheverBoxBringsItsFirstRow) {
    Sample(false);
    MGShapeTable& dept = AddTable(*manager.GetSchema(0), "DEPT");
    AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N"});
    AddPrimaryKey(dept, "PK_DEPT", {"DEPTNO"}, 1);
    const Lines columns = Section("[COLUMN]");
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_TRUE(columns[0].starts_with(R"("Type","TableNameL")")) << columns[0];
    EXPECT_TRUE(Contains(columns[1], R"("EMPNO")") && Contains(columns[3], R"("DEPTNO")"));
    // EMP has no primary key: DEPT's rows bring the header.
    const Lines keys = Section("[PRIMARY KEY]");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(keys[0].starts_with(R"("TableNameP","PKName")")) << keys[0];
    EXPECT_TRUE(Contains(keys[1], R"("PK_DEPT")")) << keys[1];
}

TEST_F(DesignFile, QuotesAreDoubledAndViewSourcesSpanLines) {
    Sample().SetComment("5\"X");
    AddColumn(AddView(*manager.GetSchema(0), "V_EMP", "select EMPNO\nfrom EMP\nwhere 1 = 1"),
              {"EMPNO", "NUMBER", "4"});
    EXPECT_TRUE(Has(BuildDesignLines(context), R"("Table","社員","EMP","5""X","V")"));
    EXPECT_EQ(Section("[VIEW]"),
              (Lines{R"("TableNameP","ViewSource")", "\"V_EMP\",\"select EMPNO\nfrom EMP\nwhere 1 = 1\""}));
    // Saved, the one row occupies three physical lines.
    EXPECT_TRUE(Contains(DecodedFile(Save("view.tlx")),
                         "\"V_EMP\",\"select EMPNO\r\nfrom EMP\r\nwhere 1 = 1\"\r\n[TEXT]"));
}

TEST_F(DesignFile, TwoSchemasLoadAndSaveAgainToTheSameFile) {
    MGShapeTable& emp = Sample(false);
    MGSchema& scott = *manager.GetSchema(0);
    MGShapeTable& dept = AddTable(scott, "DEPT", "部門", "部門表", false);
    AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N", "", "番号"});
    dept.SetPosition({400, 10, 500, 60});
    AddPrimaryKey(dept, "PK_DEPT", {"DEPTNO"}, 1);
    AddIndex(dept, "PK_DEPT", "UNIQUE", {"DEPTNO"});
    AddKey(dept.UniqueRows(), {"UK_DEPT", "ENABLED"}, {{"DEPTNO", "1"}}, 2);
    AddCondition(dept, "CK_DEPT", "DEPTNO", "DEPTNO > 0\nAND DEPTNO < 100");
    AddPrivilege(dept, "HR", "SCOTT", "SELECT");
    AddColumn(emp, {"DEPTNO", "NUMBER", "2", "Y", "10"});
    AddForeignKey(emp, "FK_DEPT", "SCOTT", "PK_DEPT", {"DEPTNO"}, "CASCADE");
    MGShapeView& view = AddView(scott, "V_EMP", "select *\nfrom EMP");
    AddColumn(view, {"EMPNO", "NUMBER", "4"});
    view.SetPosition({600, 10, 700, 60});
    MGShapeTable& jobs = AddTable(AddOwner(manager, "HR"), "JOBS", "職務");
    AddColumn(jobs, {"JOB_ID", "VARCHAR2", "10", "N"});
    jobs.SetPosition({20, 400, 100, 450});
    auto text = std::make_unique<MGShapeText>("注記 \"A\"", "IPAPGothic", 12, 5);
    text->SetPosition({100, 500, 200, 520});
    MGDrawTableList::Current()->AddBox(std::move(text));
    AddLegend(*MGDrawTableList::Current()).SetPosition({300, 60, 400, 200});
    // Two schemas share one text, layout and settings part after both blocks.
    const Lines lines = BuildDesignLines(context);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[SCHEMA]"), 2);
    for (const char* once : {"[TEXT]", "[TABLE LAYOUT]", "[SET ITEM]"})
        EXPECT_EQ(std::count(lines.begin(), lines.end(), once), 1) << once;
    EXPECT_LT(std::find(lines.begin(), lines.end(), "HR"), std::find(lines.begin(), lines.end(), "[TEXT]"));
    EXPECT_TRUE(Has(lines, "HR JOBS 20 400"));
    const std::string first = Save("first.tlx");

    ASSERT_TRUE(LoadDesignFile(context, first));
    EXPECT_EQ(manager.SchemaCount(), 2);
    EXPECT_EQ(manager.DesignPath(), first);
    EXPECT_EQ(ReadFileBytes(Save("second.tlx")), ReadFileBytes(first));
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    const MGShapeTable* loadedDept = diagram.FindBox("SCOTT", "DEPT");
    ASSERT_NE(loadedDept, nullptr);
    EXPECT_FALSE(loadedDept->Detailed());
    EXPECT_EQ(loadedDept->Position().left, 400);
    EXPECT_TRUE(Contains(loadedDept->SqlSource(), "CONSTRAINT PK_DEPT PRIMARY KEY (DEPTNO)"));
    // The foreign key found its key again and is written into EMP's source.
    ASSERT_NE(diagram.FindBox("SCOTT", "EMP"), nullptr);
    EXPECT_TRUE(
        Contains(diagram.FindBox("SCOTT", "EMP")->SqlSource(), "REFERENCES DEPT(DEPTNO) ON DELETE CASCADE"));
    EXPECT_EQ(diagram.RelationCount(), 2);
    EXPECT_EQ(window.fontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(window.selections, 1);
}

// A wrong document type empties the model; without a version nothing loads
// but the settings apply; an unreadable file leaves the model alone.
TEST_F(DesignFile, WrongDocumentTypeMissingVersionAndUnreadableFile) {
    Sample();
    WriteTextLines(dir.File("wrong.tlx"), {"[VERSION]", "Tabulorix for Oracle Version 9.9", "[DOCUMENT TYPE]",
                                           "TYPE 2", "\"a\",\"9\"", "[SCHEMA]", "SCOTT"});
    EXPECT_FALSE(LoadDesignFile(context, dir.File("missing.tlx")));
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_TRUE(Contains(ports.messages[0], "missing.tlx"));
    EXPECT_EQ(manager.SchemaCount(), 1);

    ports.messages.clear();
    EXPECT_FALSE(LoadDesignFile(context, dir.File("wrong.tlx")));
    EXPECT_EQ(ports.messages, Lines{"このデザインファイルは処理できません"});
    EXPECT_EQ(manager.SchemaCount(), 0);
    EXPECT_EQ(MGDrawTableList::Current(), nullptr);
    EXPECT_EQ(window.rootDeletions, 1);

    ports.messages.clear();
    WriteTextLines(dir.File("noversion.tlx"), {"[SCHEMA]", "SCOTT", "[SET ITEM]", "PaperX 4"});
    EXPECT_TRUE(LoadDesignFile(context, dir.File("noversion.tlx")));
    EXPECT_EQ(manager.SchemaCount(), 0);
    EXPECT_EQ(settings.StoredValues().PaperX, 4);
    EXPECT_TRUE(ports.messages.empty());
}

TEST_F(DesignFile, SaveQuestionsAndAnswers) {
    Sample();
    // Unnamed and modified: the question, then the name dialog preset to 無題.
    ports.answers = {Answer::Yes};
    EXPECT_EQ(SaveDesign(context, true, false), Answer::Cancel);
    EXPECT_EQ(ports.questions, Lines{"デザインファイルを保存しますか?"});
    ASSERT_EQ(ports.fileRequests.size(), 1u);
    EXPECT_EQ(ports.fileRequests[0].initialName + ports.fileRequests[0].title, "無題名前を付けて保存");
    ports.answers = {Answer::No};
    EXPECT_EQ(SaveDesign(context, true, false), Answer::No);

    const std::string path = dir.File("named.tlx");
    ports.fileNames = {path};
    EXPECT_EQ(SaveDesign(context, false, false), Answer::Yes);
    EXPECT_EQ(manager.DesignPath(), path);
    EXPECT_EQ(window.rootText, "named.tlx");
    EXPECT_FALSE(IsModified(context));
    // Saving again without changes asks nothing and writes nothing.
    std::filesystem::remove(path);
    ports.questions.clear();
    EXPECT_EQ(SaveDesign(context, true, false), Answer::Yes);
    EXPECT_TRUE(ports.questions.empty());
    EXPECT_FALSE(std::filesystem::exists(path));

    manager.SetModified();
    ports.answers = {Answer::Cancel};
    EXPECT_EQ(SaveDesign(context, true, false), Answer::Cancel);
    EXPECT_EQ(ports.questions, Lines{path + "は変更されています。デザインファイルを保存しますか?"});
    EXPECT_TRUE(IsModified(context));
    EXPECT_EQ(SaveDesign(context, true, true), Answer::Yes);  // quiet: no question
    EXPECT_EQ(ports.questions.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(IsModified(context));
    MGDrawTableList::Current()->SetModified(true);  // a change of the diagram alone
    EXPECT_TRUE(IsModified(context));
    EXPECT_EQ(SaveDesign(context, true, true), Answer::Yes);
    EXPECT_FALSE(IsModified(context));
}

// Loading measures the boxes, places them and builds the relations, then
// applies the font once more: the boxes end with the sizes the font gives
// them, also when the font changed in between.
TEST_F(DesignFile, LoadedBoxesHaveTheSizesOfTheFontAppliedLast) {
    Sample();
    const std::string path = Save("sizes.tlx");
    BoxParts<RecordingPrinter> parts{6250, 6250, 600};
    const MGDesignContext measuring{manager, settings, window, &parts.box};
    auto sizes = [] {
        std::vector<std::pair<int, int>> all;
        const MGDrawTableList& diagram = *MGDrawTableList::Current();
        for (int i = 0; i < diagram.Count(); ++i) {
            const Rect& r = diagram.Item(i)->Position();
            all.emplace_back(r.right - r.left, r.bottom - r.top);
        }
        return all;
    };
    auto remeasured = [&] {
        ApplyDiagramFont(*MGDrawTableList::Current(), parts.box, window.fontName, window.fontSize,
                         manager.DisplayMode());
        return sizes();
    };
    ASSERT_TRUE(LoadDesignFile(measuring, path));
    const auto loaded = sizes();
    ASSERT_FALSE(loaded.empty());
    EXPECT_EQ(remeasured(), loaded);
    window.beforeFontAgain = [&] { window.fontSize = "20"; };
    ASSERT_TRUE(LoadDesignFile(measuring, path));
    const auto larger = sizes();
    EXPECT_GT(larger.front().second, loaded.front().second);
    EXPECT_EQ(remeasured(), larger);
}

}  // namespace
