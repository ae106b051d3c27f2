// The SQL DDL generator: statements, passes and forms written from the
// DEPT / EMP examples, compared byte for byte with the scripts kept in
// tests/data/outputs/sql_scripts.txt.
#include <gtest/gtest.h>

#include <algorithm>

#include "diagram/box_sources.h"
#include "diagram/script_flags.h"
#include "outputs/sql_script.h"
#include "base/text_file_save.h"
#include "base/file_io.h"
#include "support/catalogue_builder.h"
#include "support/data_cases.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"
#include "data_blocks.h"

using namespace tabulorix;
using namespace script_flags;
using namespace tabulorix::testing;

namespace {

std::string Expected(const std::string& name) { return outputs_test::BlockText("sql_scripts.txt", name); }

constexpr std::uint32_t kCreate = kCreation | kTablesEnabled | kViewsEnabled;
constexpr std::uint32_t kRemove = kRemovalOrder | kSeparateConstraints | kTablesEnabled | kViewsEnabled;

class SqlScript : public ::testing::Test {
protected:
    RecordingPorts ports;
    MGSchemaMng manager;
    MGSchema& scott = AddOwner(manager, "SCOTT");

    // SCOTT.DEPT: DEPTNO NUMBER(2) NOT NULL, DNAME VARCHAR2(14), PK_DEPT, comment 部門.
    MGShapeTable& Dept() {
        MGShapeTable& dept = AddTable(scott, "DEPT", "", "部門");
        AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N"});
        AddColumn(dept, {"DNAME", "VARCHAR2", "14"});
        AddPrimaryKey(dept, "PK_DEPT", {"DEPTNO"}, 1);
        return dept;
    }

    // A table of SCOTT with one column DEPTNO NUMBER(2).
    MGShapeTable& WithDeptno(MGShapeTable& box) {
        AddColumn(box, {"DEPTNO", "NUMBER", "2"});
        return box;
    }

    // EMP with DEPTNO and FK_DEPT to the key numbered keyNumber.
    MGShapeTable& EmpReferencing(const std::string& owner, int keyNumber,
                                 const std::string& rule = "NO ACTION") {
        MGShapeTable& emp = WithDeptno(AddTable(scott, "EMP"));
        AddForeignKey(emp, "FK_DEPT", owner, "PK_DEPT", {"DEPTNO"}, rule);
        emp.ForeignKeyRows().GetRow(1).SetKeyNumber(keyNumber);
        return emp;
    }

    std::string Script(std::uint32_t flags, const std::string& owner = "SCOTT", bool visibleOnly = false,
                       bool blankLineRemoval = false) {
        std::string out;
        EXPECT_TRUE(GenerateScript(&scott, true, visibleOnly, owner, out, flags, 0, blankLineRemoval));
        return out;
    }
};

TEST_F(SqlScript, CreationAndRemovalOfDept) {
    Dept();
    const std::string script =
        Script(kCreate | kTables | kPrimaryKeys | kComments | kSeparateConstraints | kHeaders);
    EXPECT_EQ(script, Expected("dept-creation-with-headers"));
    EXPECT_EQ(Script(kRemove | kTables | kPrimaryKeys | kComments), Expected("dept-removal"));

    // Saved as the command line saves it, the script holds CR LF line ends
    // in CP932 and nothing else is added.
    TempDirectory dir;
    SaveLineFeedText(dir.File("dept.sql"), script);
    std::string saved;
    for (const char c : Expected("dept-creation-with-headers")) {
        if (c == '\n') saved += '\r';
        saved += c;
    }
    EXPECT_EQ(DecodedFile(dir.File("dept.sql")), saved);
}

TEST_F(SqlScript, ColumnDefinitions) {
    MGShapeTable& emp = AddTable(scott, "EMP");
    const auto cases = DataCases("outputs/column_definitions.txt");
    for (const Fields& c : cases) AddColumn(emp, {c[0], c[1], c[2], c[3], c[4]});
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(ColumnDefinition(emp.ColumnRows().GetRow(static_cast<int>(i) + 1)), cases[i][5]);
    ZMGRowExt unnamed;
    for (const char* item : {"", "", "NUMBER", "2", "N", "", ""}) unnamed.AddItem(item);
    EXPECT_EQ(ColumnDefinition(unnamed), "");
}

TEST_F(SqlScript, CommentsDoubleQuotesAndRemovalEmptiesThem) {
    MGShapeTable& emp = AddTable(scott, "EMP", "", "O'Brien's table");
    AddColumn(emp, {"ENAME", "VARCHAR2", "10", "Y", "", "O'Brien"});
    AddColumn(emp, {"JOB", "VARCHAR2", "9"});
    EXPECT_EQ(Script(kCreate | kComments | kHeaders), Expected("comments-creation"));
    EXPECT_EQ(Script(kRemove | kComments), Expected("comments-removal"));
}

TEST_F(SqlScript, IndexNamedLikeAKeyIsSkipped) {
    MGShapeTable& dept = Dept();
    AddIndex(dept, "PK_DEPT", "UNIQUE", {"DEPTNO"});
    AddIndex(dept, "IX_DNAME", "NONUNIQUE", {"DNAME", "DEPTNO"});
    AddIndex(dept, "UX_DNAME", "UNIQUE", {"DNAME"});
    EXPECT_EQ(Script(kCreate | kIndexes | kHeaders), Expected("indexes-creation"));
    EXPECT_EQ(Script(kRemove | kIndexes | kOwnerPrefix), Expected("indexes-removal-with-owner"));

    MGShapeTable& bare = AddTable(scott, "BARE");
    AddIndex(bare, "PK_BARE", "UNIQUE", {"ID"});
    AddPrimaryKey(bare, "PK_BARE", {"ID"}, 2);
    EXPECT_EQ(Script(kCreate | kIndexes | kHeaders).find("BARE"), std::string::npos);
}

TEST_F(SqlScript, NotNullOnlyConditionsAreNotWritten) {
    MGShapeTable& emp = AddTable(scott, "EMP");
    AddColumn(emp, {"EMPNO", "NUMBER", "4", "N"});
    AddCondition(emp, "SYS_C001", "EMPNO", "\"EMPNO\" IS NOT NULL");
    const std::uint32_t conditions = kCreate | kConditions | kSeparateConstraints | kHeaders;
    EXPECT_EQ(Script(conditions), "");

    AddColumn(emp, {"SAL", "NUMBER", "7,2"});
    AddCondition(emp, "CK_SAL", "SAL", "SAL > 0 AND SAL IS NOT NULL");
    AddCondition(emp, "SYS_C002", "SAL", "  SAL IS NOT NULL ");
    AddCondition(emp, "SYS_C003", "SAL", "IS NOT NULL");
    // Two words once the test is taken out: a real check.
    AddCondition(emp, "CK_ACROSS", "SAL", "SAL IS NOT NULL X");
    // A condition over two columns is written once.
    AddCondition(emp, "CK_RANGE", "LO", "LO < HI");
    AddCondition(emp, "CK_RANGE", "HI", "LO < HI");
    EXPECT_EQ(Script(conditions), Expected("conditions-creation"));
    EXPECT_EQ(Script(kRemove | kConditions), Expected("conditions-removal"));
}

TEST_F(SqlScript, ForeignKeysNeedTheirReferencedKey) {
    MGShapeTable& dept = AddTable(AddOwner(manager, "HR"), "DEPT");
    AddColumn(dept, {"DEPTNO", "NUMBER", "2", "N"});
    AddPrimaryKey(dept, "PK_DEPT", {"DEPTNO"}, 7);
    AddForeignKey(EmpReferencing("HR", 7, "CASCADE"), "FK_GONE", "HR", "PK_GONE",
                  {"DEPTNO"});  // not linked: -1

    EXPECT_EQ(Script(kCreate | kForeignKeys | kSeparateConstraints | kHeaders), Expected("foreign-key-separate"));
    EXPECT_EQ(Script(kCreate | kTables | kForeignKeys | kInlineConstraints), Expected("foreign-key-inline"));
}

TEST_F(SqlScript, OwnerPrefixNamesTablesIndexesAndReferencedTables) {
    AddIndex(Dept(), "IX_DNAME", "NONUNIQUE", {"DNAME"});
    EmpReferencing("SCOTT", 1);
    EXPECT_EQ(Script(kCreate | kPrimaryKeys | kForeignKeys | kIndexes | kSeparateConstraints | kOwnerPrefix),
              Expected("owner-prefix"));
    EXPECT_EQ(Script(kCreate | kForeignKeys | kSeparateConstraints), Expected("same-owner-without-prefix"));
}

TEST_F(SqlScript, GrantsAndRevokes) {
    MGShapeTable& dept = Dept();
    AddPrivilege(dept, "HR", "SCOTT", "SELECT");
    AddPrivilege(dept, "PUBLIC", "SCOTT", "UPDATE");
    EXPECT_EQ(Script(kCreate | kPrivileges | kHeaders), Expected("grants"));
    EXPECT_EQ(Script(kRemove | kPrivileges), Expected("revokes"));
}

TEST_F(SqlScript, ViewsWithLogicalColumnNamesAndBlankLineRemoval) {
    MGShapeView& view = AddView(scott, "V_EMP", "\n\nselect EMPNO, ENAME\n\n\nfrom EMP\n");
    AddColumn(view, {"EMPNO", "NUMBER", "4", "N", "", "", "社員番号"});
    AddColumn(view, {"ENAME", "VARCHAR2", "10", "Y", "", "", "氏名"});
    EXPECT_EQ(Script(kCreate | kViews | kHeaders, "SCOTT", false, true), Expected("view-blank-lines-removed"));
    EXPECT_EQ(Script(kCreate | kViews), Expected("view-as-written"));
    EXPECT_EQ(Script(kRemove | kViews | kTables), Expected("view-removal"));
    // Views are written only when views are enabled.
    EXPECT_EQ(Script((kCreate & ~kViewsEnabled) | kViews), "");
    EXPECT_EQ(RemoveBlankLines("\n\na\n\nb\n\n"), "a\nb\n");
}

TEST_F(SqlScript, CreationPassesGroupStatementsByKind) {
    Dept();
    MGShapeTable& emp = AddTable(scott, "EMP", "", "社員");
    AddColumn(emp, {"EMPNO", "NUMBER", "4", "N"});
    AddPrimaryKey(emp, "PK_EMP", {"EMPNO"}, 2);
    const std::string byKind = Script(kCreate | kTables | kPrimaryKeys | kComments | kSeparateConstraints);
    EXPECT_LT(byKind.find("CREATE TABLE EMP"), byKind.find("COMMENT ON TABLE DEPT"));
    EXPECT_LT(byKind.find("COMMENT ON TABLE EMP"), byKind.find("CONSTRAINT PK_DEPT"));
    const std::string byBox =
        Script(kCreate | kTables | kPrimaryKeys | kComments | kSeparateConstraints | kBoxByBox);
    EXPECT_LT(byBox.find("CONSTRAINT PK_DEPT"), byBox.find("CREATE TABLE EMP"));
    EXPECT_EQ(byBox.size(), byKind.size());
    EXPECT_NE(std::find(ports.statusLog.begin(), ports.statusLog.end(), "Main:SQLソース出力"),
              ports.statusLog.end());
}

TEST_F(SqlScript, OwnerAndVisibleOnlySelectTheBoxes) {
    Dept();
    AddTable(scott, "HIDDEN", "", "", false);
    AddTable(AddOwner(manager, "HR"), "JOBS");
    EXPECT_EQ(Script(kCreate | kTables, "SCOTT", true).find("HIDDEN"), std::string::npos);
    EXPECT_NE(Script(kCreate | kTables, "SCOTT", false).find("CREATE TABLE HIDDEN"), std::string::npos);
    EXPECT_EQ(Script(kCreate | kTables, "SCOTT").find("JOBS"), std::string::npos);
    EXPECT_NE(Script(kCreate | kTables, "").find("CREATE TABLE JOBS"), std::string::npos);
}

TEST_F(SqlScript, CancelStopsTheScript) {
    Dept();
    AddTable(scott, "EMP");
    ports.cancelAfterPositions = 2;
    std::string out;
    EXPECT_FALSE(GenerateScript(&scott, true, false, "SCOTT", out, kCreate | kTables, 0, false));
    EXPECT_NE(out.find("CREATE TABLE DEPT"), std::string::npos);
    EXPECT_EQ(out.find("EMP"), std::string::npos);
    ports.cancel = true;
    out.clear();
    EXPECT_TRUE(
        GenerateScript(&scott, false, false, "SCOTT", out, kCreate | kTables, 0, false));  // uncancellable
    EXPECT_NE(out.find("CREATE TABLE EMP"), std::string::npos);
}

// Each box holds its own statements; written beside the main thread they
// are the same.
TEST_F(SqlScript, BoxSourcesHoldEachBoxsOwnStatements) {
    Dept();
    EmpReferencing("SCOTT", 1);
    WithDeptno(AddView(scott, "V_DEPT", "select * from DEPT"));
    GenerateBoxSources(&scott);
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    EXPECT_EQ(diagram.Item(0)->SqlSource(), Expected("box-source-dept"));
    EXPECT_NE(diagram.Item(1)->SqlSource().find("REFERENCES DEPT(DEPTNO)"), std::string::npos);
    EXPECT_EQ(diagram.Item(2)->SqlSource(), Expected("box-source-view"));
    std::vector<std::string> expected;
    for (int i = 0; i < diagram.Count(); ++i) {
        expected.push_back(diagram.Item(i)->SqlSource());
        diagram.Item(i)->SetSqlSource("");
    }
    WriteBoxSources();
    for (int i = 0; i < diagram.Count(); ++i) EXPECT_EQ(diagram.Item(i)->SqlSource(), expected[i]) << i;
}

}  // namespace
