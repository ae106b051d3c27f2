// Python's csv module reads every CSV list we write (CP932, CR LF, quoted
// fields, suppressed group columns, a field over several lines) with the
// same fields we meant.
#include <gtest/gtest.h>

#include <QStringList>

#include "catalogue/row_table.h"
#include "outputs/csv_export.h"
#include "support/catalogue_builder.h"
#include "support/external_tool.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;

using namespace tabulorix::testing;

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// Prints every row of the file as fields joined by U+241F, one row per
// output line, line breaks inside fields shown as U+2424.
constexpr const char* kReader = R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='cp932') as f:
    for row in csv.reader(f):
        print('\u241f'.join(field.replace('\r\n', '\u2424').replace('\n', '\u2424') for field in row))
)";

TEST(CsvPythonReader, ReadsEveryListWithTheSameFields) {
    if (!FindTool(kPython)) GTEST_SKIP() << "no " << kPython;
    RecordingPorts ports;
    MGSchemaMng manager;
    MGSchema& scott = AddOwner(manager, "SCOTT");
    MGShapeTable& emp = AddTable(scott, "EMP", "社員", "社員表 \"主\"");
    AddColumn(emp, {"EMPNO", "NUMBER", "4", "N", "", "番号, 一意"});
    AddColumn(emp, {"ENAME", "VARCHAR2", "10"});
    AddPrimaryKey(emp, "PK_EMP", {"EMPNO"}, 1);
    AddKey(emp.UniqueRows(), {"UK_ENAME", "ENABLED"}, {{"ENAME", "1"}}, 2);
    AddColumn(emp, {"MGR", "NUMBER", "4"});
    AddForeignKey(emp, "FK_MGR", "SCOTT", "PK_EMP", {"MGR"});
    emp.ForeignKeyRows().GetRow(1).SetKeyNumber(1);
    AddCondition(emp, "CK_EMP", "EMPNO", "EMPNO > 0");
    AddIndex(emp, "IX_ENAME", "NONUNIQUE", {"ENAME"});
    AddPrivilege(emp, "HR", "SCOTT", "SELECT");
    MGShapeView& view = AddView(scott, "V_EMP", "select EMPNO\r\nfrom EMP");
    AddColumn(view, {"EMPNO", "NUMBER", "4"});

    TempDirectory dir;
    MGCsvSaveRequest request;
    request.directory = dir.path();
    request.selected.fill(true);
    for (int k = 0; k < kCsvListCount; ++k)
        request.fileNames[static_cast<std::size_t>(k)] = ProposedCsvName("SCOTT", {2026, 12, 5}, k);
    const MGCsvListChoice choice{"SCOTT", true, true};
    ASSERT_TRUE(SaveCsvLists(manager, choice, request));

    for (int k = 0; k < kCsvListCount; ++k) {
        const std::string name = request.fileNames[static_cast<std::size_t>(k)];
        const ToolResult result =
            RunTool(kPython, {"-c", kReader, QString::fromStdString(dir.File(name))}, 60);
        ASSERT_TRUE(result.Succeeded()) << name << ": " << result.output;
        // What we meant: every row, the suppressed fields empty.
        const auto list = BuildCsvList(manager, k, choice, false);
        ASSERT_NE(list, nullptr);
        std::string expected;
        for (int r = 0; !list->IsPastEnd(r); ++r) {
            for (int c = 0; c < list->ColumnCount(); ++c) {
                std::string field = list->GetRow(r).ItemOrEmpty(c);
                if (r > 1 && c < list->GroupColumns() && field == list->GetRow(r - 1).ItemOrEmpty(c))
                    field.clear();
                for (std::size_t at; (at = field.find("\r\n")) != std::string::npos;)
                    field.replace(at, 2, "\u2424");
                expected += (c > 0 ? "\u241f" : "") + field;
            }
            expected += "\n";
        }
        EXPECT_EQ(result.output, expected) << name;
        EXPECT_GT(list->RowCount(), 1) << name;
    }
}

}  // namespace
