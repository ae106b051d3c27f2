// The CSV lists: captions, group columns with and without "サプレス", the
// proposed names and the overwrite question, checked on the written files
// against the lists kept in tests/data/outputs/csv_lists.txt.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/row_table.h"
#include "diagram/diagram_build.h"
#include "outputs/csv_export.h"
#include "base/file_io.h"
#include "support/catalogue_builder.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"
#include "data_blocks.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

using Lines = std::vector<std::string>;

const Lines& Expected(const std::string& name) { return outputs_test::BlockLines("csv_lists.txt", name); }

class CsvExport : public ::testing::Test {
protected:
    RecordingPorts ports;
    MGSchemaMng manager;
    MGSchema& scott = AddOwner(manager, "SCOTT");
    TempDirectory dir;

    MGShapeTable& Emp() {
        MGShapeTable& emp = AddTable(scott, "EMP", "社員", "社員表");
        // Logical names that differ: every list shows the physical ones.
        AddColumn(emp, {"EMPNO", "NUMBER", "4", "N", "", "", "社員番号"});
        AddColumn(emp, {"ENAME", "VARCHAR2", "10", "Y", "", "", "氏名"});
        return emp;
    }

    Lines List(int kind, bool suppress, bool visibleOnly = true) {
        const auto list = BuildCsvList(manager, kind, {"SCOTT", suppress, visibleOnly}, true);
        Lines lines;
        if (list) list->WriteCsvLines(lines);
        return lines;
    }
};

TEST_F(CsvExport, ColumnListWithAndWithoutSuppressAndKeyMarks) {
    MGShapeTable& emp = Emp();
    EXPECT_EQ(List(1, true), Expected("columns-suppressed"));
    EXPECT_EQ(List(1, false), Expected("columns-repeated"));
    // The key column shows the key marks.
    AddPrimaryKey(emp, "PK_EMP", {"EMPNO"}, 1);
    MarkKeys(*MGDrawTableList::Current());
    emp.SetDisplayFlags(0x100);
    const Lines lines = List(1, true);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], R"x("表","EMP","EMPNO","  (PK)","NUMBER","4","N","","")x");
    EXPECT_EQ(List(2, true), Expected("primary-keys"));
}

TEST_F(CsvExport, TableListIgnoresVisibleOnly) {
    Emp();
    AddTable(scott, "GREY", "", "灰色", false);
    MGShapeView& view = AddView(scott, "V_EMP", "select\nEMPNO\nfrom EMP");
    AddColumn(view, {"EMPNO", "NUMBER", "4"});
    EXPECT_EQ(List(0, true), Expected("tables-with-grey-and-view"));
    // The view source is one field over three lines.
    const Lines views = List(7, true);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0] + "\n" + views[1] + "\n", outputs_test::BlockText("csv_lists.txt", "view-sources"));
    // The grey table is left out of the column list when only visible boxes are wanted.
    for (const std::string& line : List(1, false, true)) EXPECT_EQ(line.find("GREY"), std::string::npos);
}

TEST_F(CsvExport, ForeignKeyListNamesTheReferencedTableAndColumn) {
    MGShapeTable& dept = AddTable(scott, "DEPT");
    AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N"});
    AddPrimaryKey(dept, "PK_DEPT", {"DEPTNO"}, 1);
    MGShapeTable& emp = Emp();
    AddColumn(emp, {"DEPTNO", "NUMBER", "2"});
    AddForeignKey(emp, "FK_DEPT", "SCOTT", "PK_DEPT", {"DEPTNO"});
    emp.ForeignKeyRows().GetRow(1).SetKeyNumber(1);
    EXPECT_EQ(List(4, true), Expected("foreign-keys"));
    EXPECT_TRUE(List(kCsvListCount, true).empty());  // no such list
}

TEST_F(CsvExport, ProposedNames) {
    for (const auto& [kind, name] : {std::pair{0, "SCOTT_2026_12_05__Table.csv"},
                                     {1, "SCOTT_2026_12_05__Column.csv"},
                                     {8, "SCOTT_2026_12_05__Privilege.csv"}})
        EXPECT_EQ(ProposedCsvName("SCOTT", MGDate{2026, 12, 5}, kind), name);
    const MGDate today = Today();
    EXPECT_GE(today.year, 2024);
    EXPECT_TRUE(today.month >= 1 && today.month <= 12);
}

TEST_F(CsvExport, NoToAnOverwriteKeepsThatFileAndWritesTheOthers) {
    Emp();
    MGCsvSaveRequest request;
    request.directory = dir.path();
    request.selected = {true, true, false, false, false, false, false, false, true};
    request.fileNames = {"tables.csv", "columns.csv"};  // an empty name (of list 8) skips the list silently
    tabulorix::WriteFileAtomically(dir.File("tables.csv"), "old");
    ports.answers = {Answer::No};
    EXPECT_TRUE(SaveCsvLists(manager, {"SCOTT", true, true}, request));
    EXPECT_EQ(ports.questions,
              std::vector<std::string>{dir.File("tables.csv") + "は存在しますファイルを上書きしますか?"});
    EXPECT_EQ(tabulorix::ReadFileBytes(dir.File("tables.csv")), "old");
    EXPECT_EQ(DecodedFile(dir.File("columns.csv")), CrLf(Expected("columns-suppressed")));

    ports.answers = {Answer::Yes, Answer::Cancel};
    EXPECT_TRUE(SaveCsvLists(manager, {"SCOTT", false, true}, request));
    EXPECT_EQ(DecodedFile(dir.File("tables.csv")), CrLf(Expected("tables")));
    EXPECT_NE(DecodedFile(dir.File("columns.csv")).find(",,"), std::string::npos);  // Cancel kept the old one
}

TEST_F(CsvExport, CancelStopsSaving) {
    Emp();
    MGCsvSaveRequest request;
    request.directory = dir.path();
    request.selected.fill(true);
    for (int k = 0; k < kCsvListCount; ++k)
        request.fileNames[static_cast<std::size_t>(k)] = "list" + std::to_string(k) + ".csv";
    ports.cancel = true;
    EXPECT_FALSE(SaveCsvLists(manager, {"SCOTT", true, true}, request));
    EXPECT_FALSE(std::filesystem::exists(dir.File("list1.csv")));
}

}  // namespace
