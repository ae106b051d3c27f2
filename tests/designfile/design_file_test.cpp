// Design files: the lines written for the SCOTT / EMP sample (kept in
// tests/data/designfile/scott_emp.txt), quoting, view sources over several
// lines, empty and two-schema models; loading (write, load, write is the
// identity; wrong document type, missing version) and the save questions.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "designfile/design_loader.h"
#include "designfile/design_save.h"
#include "designfile/design_writer.h"
#include "diagram/diagram_build.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"
#include "base/file_io.h"
#include "support/catalogue_builder.h"
#include "support/data_cases.h"
#include "support/recording_host.h"

using namespace tabulorix;

using namespace tabulorix::testing;
using tabulorix::Answer;

namespace {

class DesignFile : public DesignTest {
protected:
    // SCOTT.EMP (社員, 社員表) with two columns and the legend, placed.
    MGShapeTable& Sample(bool legend = true) {
        MGSchema& scott = AddOwner(manager, "SCOTT");
        MGShapeTable& emp = AddTable(scott, "EMP", "社員", "社員表");
        AddColumn(emp, {"EMPNO", "NUMBER", "4", "N"});
        AddColumn(emp, {"ENAME", "VARCHAR2", "10"});
        emp.SetPosition({50, 51, 200, 120});
        if (legend) AddLegend(*MGDrawTableList::Current()).SetPosition({300, 60, 400, 200});
        return emp;
    }

    std::string Save(const std::string& name) {
        const std::string path = dir.File(name);
        WriteDesignFile(context, path);
        return path;
    }
};

TEST_F(DesignFile, SampleIsWrittenLineByLine) {
    Sample();
    const std::vector<std::string> expected = DataLines("designfile/scott_emp.txt");
    ASSERT_EQ(expected.size(), 40u);
    const std::string path = Save("sample.tlx");
    EXPECT_EQ(DecodedFile(path), CrLf(expected));
    EXPECT_EQ(tabulorix::ReadFileBytes(path).substr(0, 11), "[VERSION]\r\n");  // CP932, no BOM
}

TEST_F(DesignFile, EverySectionHasOneHeaderWhicheverBoxBringsItsFirstRow) {
    Sample(false);
    MGShapeTable& dept = AddTable(*manager.GetSchema(0), "DEPT");
    AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N"});
    AddPrimaryKey(dept, "PK_DEPT", {"DEPTNO"}, 1);
    const std::vector<std::string> lines = BuildDesignLines(context);
    const auto section = [&](const char* name) {
        const auto start = std::find(lines.begin(), lines.end(), name) + 1;
        return std::vector<std::string>(start, std::find_if(start, lines.end(), [](const std::string& line) {
                                            return line.starts_with("[");
                                        }));
    };
    const std::vector<std::string> columns = section("[COLUMN]");
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_TRUE(columns[0].starts_with(R"("Type","TableNameL")")) << columns[0];
    EXPECT_TRUE(columns[1].find(R"("EMPNO")") != std::string::npos &&
                columns[3].find(R"("DEPTNO")") != std::string::npos);
    // EMP has no primary key: DEPT's rows bring the header.
    const std::vector<std::string> keys = section("[PRIMARY KEY]");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(keys[0].starts_with(R"("TableNameP","PKName")")) << keys[0];
    EXPECT_TRUE(keys[1].find(R"("PK_DEPT")") != std::string::npos) << keys[1];
}

TEST_F(DesignFile, QuotesAreDoubledAndViewSourcesSpanLines) {
    MGShapeTable& emp = Sample();
    emp.SetComment("5\"X");
    MGShapeView& view = AddView(*manager.GetSchema(0), "V_EMP", "select EMPNO\nfrom EMP\nwhere 1 = 1");
    AddColumn(view, {"EMPNO", "NUMBER", "4"});
    const std::vector<std::string> lines = BuildDesignLines(context);
    EXPECT_NE(std::find(lines.begin(), lines.end(), R"("Table","社員","EMP","5""X","V")"), lines.end());
    const auto viewSection = std::find(lines.begin(), lines.end(), "[VIEW]");
    ASSERT_NE(viewSection, lines.end());
    EXPECT_EQ(*(viewSection + 1), R"("TableNameP","ViewSource")");
    EXPECT_EQ(*(viewSection + 2), "\"V_EMP\",\"select EMPNO\nfrom EMP\nwhere 1 = 1\"");
    // Saved, the one row occupies three physical lines.
    const std::string text = DecodedFile(Save("view.tlx"));
    EXPECT_NE(text.find("\"V_EMP\",\"select EMPNO\r\nfrom EMP\r\nwhere 1 = 1\"\r\n[TEXT]"),
              std::string::npos);
}

TEST_F(DesignFile, EmptyModelIsNotModifiedAndWritesOnlyTheHead) {
    EXPECT_FALSE(IsModified(context));
    std::vector<std::string> expected = DataLines("designfile/scott_emp.txt");
    expected.resize(5);
    expected.emplace_back();
    EXPECT_EQ(DecodedFile(Save("empty.tlx")), CrLf(expected));
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
    MGSchema& hr = AddOwner(manager, "HR");
    MGShapeTable& jobs = AddTable(hr, "JOBS", "職務");
    AddColumn(jobs, {"JOB_ID", "VARCHAR2", "10", "N"});
    jobs.SetPosition({20, 400, 100, 450});
    auto text = std::make_unique<MGShapeText>("注記 \"A\"", "IPAPGothic", 12, 5);
    text->SetPosition({100, 500, 200, 520});
    MGDrawTableList::Current()->AddBox(std::move(text));
    AddLegend(*MGDrawTableList::Current()).SetPosition({300, 60, 400, 200});
    // Two schemas share one text, layout and settings part after both blocks.
    const std::vector<std::string> lines = BuildDesignLines(context);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[SCHEMA]"), 2);
    for (const char* once : {"[TEXT]", "[TABLE LAYOUT]", "[SET ITEM]"}) {
        EXPECT_EQ(std::count(lines.begin(), lines.end(), once), 1) << once;
    }
    EXPECT_LT(std::find(lines.begin(), lines.end(), "HR"), std::find(lines.begin(), lines.end(), "[TEXT]"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HR JOBS 20 400"), lines.end());
    const std::string first = Save("first.tlx");

    ASSERT_TRUE(LoadDesignFile(context, first));
    EXPECT_EQ(manager.SchemaCount(), 2);
    EXPECT_EQ(manager.DesignPath(), first);
    const std::string second = Save("second.tlx");
    EXPECT_EQ(DecodedFile(second), DecodedFile(first));
    EXPECT_EQ(tabulorix::ReadFileBytes(second), tabulorix::ReadFileBytes(first));

    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    const MGShapeTable* loadedDept = diagram.FindBox("SCOTT", "DEPT");
    ASSERT_NE(loadedDept, nullptr);
    EXPECT_FALSE(loadedDept->Detailed());
    EXPECT_EQ(loadedDept->Position().left, 400);
    EXPECT_NE(loadedDept->SqlSource().find("CONSTRAINT PK_DEPT PRIMARY KEY (DEPTNO)"), std::string::npos);
    const MGShapeTable* loadedEmp = diagram.FindBox("SCOTT", "EMP");
    ASSERT_NE(loadedEmp, nullptr);
    // The foreign key found its key again and is written into EMP's source.
    EXPECT_NE(loadedEmp->SqlSource().find("REFERENCES DEPT(DEPTNO) ON DELETE CASCADE"), std::string::npos);
    EXPECT_EQ(diagram.RelationCount(), 2);
    EXPECT_EQ(window.fontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(window.selections, 1);
}

TEST_F(DesignFile, WrongDocumentTypeEmptiesTheModel) {
    Sample();
    const std::string path = dir.File("wrong.tlx");
    tabulorix::WriteTextLines(path, {"[VERSION]", "Tabulorix for Oracle Version 9.9", "[DOCUMENT TYPE]",
                                     "TYPE 2", "\"a\",\"9\"", "[SCHEMA]", "SCOTT"});
    EXPECT_FALSE(LoadDesignFile(context, path));
    EXPECT_EQ(ports.messages, std::vector<std::string>{"このデザインファイルは処理できません"});
    EXPECT_EQ(manager.SchemaCount(), 0);
    EXPECT_EQ(MGDrawTableList::Current(), nullptr);
    EXPECT_EQ(window.rootDeletions, 1);
}

TEST_F(DesignFile, WithoutVersionNothingLoadsButSettingsApply) {
    const std::string path = dir.File("noversion.tlx");
    tabulorix::WriteTextLines(path, {"[SCHEMA]", "SCOTT", "[SET ITEM]", "PaperX 4"});
    EXPECT_TRUE(LoadDesignFile(context, path));
    EXPECT_EQ(manager.SchemaCount(), 0);
    EXPECT_EQ(settings.StoredValues().PaperX, 4);
    EXPECT_TRUE(ports.messages.empty());
}

TEST_F(DesignFile, UnreadableFileLeavesTheModelAlone) {
    Sample();
    EXPECT_FALSE(LoadDesignFile(context, dir.File("missing.tlx")));
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_NE(ports.messages[0].find("missing.tlx"), std::string::npos);
    EXPECT_EQ(manager.SchemaCount(), 1);
}

TEST_F(DesignFile, SaveQuestionsAndAnswers) {
    Sample();
    // Unnamed and modified: the question, then the name dialog preset to 無題.
    ports.answers = {Answer::Yes};
    EXPECT_EQ(SaveDesign(context, true, false), Answer::Cancel);
    EXPECT_EQ(ports.questions, std::vector<std::string>{"デザインファイルを保存しますか?"});
    ASSERT_EQ(ports.fileRequests.size(), 1u);
    EXPECT_EQ(ports.fileRequests[0].initialName, "無題");
    EXPECT_EQ(ports.fileRequests[0].title, "名前を付けて保存");

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
    EXPECT_EQ(ports.questions,
              std::vector<std::string>{path + "は変更されています。デザインファイルを保存しますか?"});
    EXPECT_TRUE(IsModified(context));
    EXPECT_EQ(SaveDesign(context, true, true), Answer::Yes);  // quiet: no question
    EXPECT_EQ(ports.questions.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(IsModified(context));
    MGDrawTableList::Current()->SetModified(true);
    EXPECT_TRUE(IsModified(context));
}

}  // namespace

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
            const tabulorix::Rect& r = diagram.Item(i)->Position();
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
