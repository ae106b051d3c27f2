// Reading the bundled sample through both sources (the expected rows are kept
// in tests/data/catalogue/sample_reading.txt): the row tables hold what
// the statements return (those handed to the boxes only their header rows), and the boxes, keys, indexes,
// foreign keys, conditions and privileges are built from them.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/schema.h"
#include "reading/schema_connect.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_view.h"
#include "platform/odbc_database.h"
#include "expected_rows.h"
#include "support/recording_host.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

// The rows kept under a key in tests/data/catalogue/sample_reading.txt.
std::vector<Strings> WantRows(const std::string& key, const std::string& server = "") {
    return catalogue_test::WantRows("sample_reading.txt", key, server);
}
Strings Want(const std::string& key, const std::string& server = "") {
    return catalogue_test::Want("sample_reading.txt", key, server);
}

MGShapeTable& Box(const std::string& owner, const std::string& name) {
    MGShapeTable* box = MGDrawTableList::Current()->FindBox(owner, name);
    if (box == nullptr) throw std::runtime_error("no box " + owner + "." + name);
    return *box;
}

const ZMGRowCell& KeyRow(const ZMGCell& table, int position) {
    return dynamic_cast<const ZMGRowCell&>(table.GetRow(position));
}

enum class Source { Snapshot, Odbc };

// The sample copied into a private directory, read as SALES through the
// chosen source; referenced owners go through SALES's connection.
class SampleReading : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override { database_ = CopyInto(dir_, SampleSnapshotPath(), "sample.sqlite"); }

    MGSchema& ReadLogin() {
        schemas_.push_back(std::make_unique<MGSchema>());
        MGSchema& schema = *schemas_.back();
        schema.SetSchemaNumber(1);
        if (GetParam() == Source::Odbc) odbc_ = std::make_unique<OdbcSqliteSource>(database_, "SALES");
        server_ = GetParam() == Source::Snapshot ? database_ : "SAMPLE";
        EXPECT_TRUE(Connect(schema, nullptr, kSourceDatabase, "SALES", "tiger", server_, "", nullptr))
            << (ports_.messages.empty() ? "" : ports_.messages.front());
        return schema;
    }

    MGSchema& ReadReferenced(const std::string& owner) {
        MGSchema& login = *schemas_.front();
        schemas_.push_back(std::make_unique<MGSchema>());
        MGSchema& schema = *schemas_.back();
        schema.SetSchemaNumber(static_cast<int>(schemas_.size()));
        EXPECT_TRUE(Connect(schema, nullptr, kSourceDatabase, owner, "", "", "", login.GetConnection()));
        return schema;
    }

    RecordingPorts ports_;
    TempDirectory dir_;
    std::string database_, server_;
    std::unique_ptr<OdbcSqliteSource> odbc_;
    std::vector<std::unique_ptr<MGSchema>> schemas_;
};

}  // namespace

TEST_P(SampleReading, RowTablesHoldWhatTheStatementsReturn) {
    MGSchema& sales = ReadLogin();
    EXPECT_TRUE(sales.OwnsConnection());
    EXPECT_EQ(sales.OwnerName() + "/" + sales.Password() + "@" + sales.Server(), "SALES/tiger@" + server_);
    EXPECT_EQ(Values(sales.Tables().GetRow(0)), Want("tables-header"));
    auto tables = Rows(sales.Tables(), 1);
    std::sort(tables.begin(), tables.end());  // the statement has no order
    EXPECT_EQ(tables, WantRows("tables"));

    // The holders whose rows went into the boxes keep only their header
    // rows (the one unaliased column keeps the dictionary's name).
    EXPECT_EQ(Values(sales.Columns().GetRow(0)), Want("columns-header"));
    for (ZMGCell* holder : {&sales.Columns(), &sales.ViewColumns(), &sales.Indexes(), &sales.PrimaryKeys(),
                            &sales.UniqueKeys(), &sales.ForeignKeys(), &sales.Conditions()}) {
        EXPECT_EQ(holder->RowCount(), 1);
    }
    // In table and column order; NULL is empty; DATA_DEFAULT loses its trailing blank.
    const ZMGCell& orderColumns = Box("SALES", "CUSTOMER_ORDER").ColumnRows();
    EXPECT_EQ(Values(orderColumns.GetRow(2)), Want("order-column-2"));
    EXPECT_EQ(Values(orderColumns.GetRow(6)), Want("order-column-6"));

    // Privileges: made (ordered by table), then received, under the captions.
    EXPECT_EQ(Values(sales.Privileges().GetRow(0)), Want("privileges-header"));
    EXPECT_EQ(Column(sales.Privileges(), 0), Want("privilege-tables"));
    EXPECT_EQ(Values(sales.Privileges().GetRow(4)), Want("privilege-4"));

    EXPECT_EQ(Values(sales.ViewSources().GetRow(1)).at(0), "V_ORDER_SUMMARY");
    EXPECT_TRUE(ports_.messages.empty());
}

TEST_P(SampleReading, BoxesAreBuiltInResultOrderWithTheirColumns) {
    MGSchema& sales = ReadLogin();
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    Strings names;
    for (int i = 0; i < diagram.Count(); ++i) names.push_back(diagram.Item(i)->Name());
    EXPECT_EQ(names, Want("boxes"));

    const MGShapeTable& invoice = Box("SALES", "INVOICE");
    EXPECT_EQ(invoice.SchemaNumber(), sales.SchemaNumber());
    EXPECT_EQ(invoice.LogicalName(), "INVOICE");
    EXPECT_EQ(invoice.Comment(), "請求書");
    EXPECT_TRUE(invoice.Detailed());
    EXPECT_EQ(Rows(invoice.ColumnRows()).at(0), Want("box-columns-header"));
    EXPECT_EQ(Rows(invoice.ColumnRows()).at(1), Want("invoice-column-1"));
    EXPECT_EQ(Column(invoice.ColumnRows(), 3), Want("invoice-lengths"));
    EXPECT_EQ(Column(Box("SALES", "SHIPMENT").ColumnRows(), 3), Want("shipment-lengths"));

    const auto& view = dynamic_cast<const MGShapeView&>(Box("SALES", "V_ORDER_SUMMARY"));
    EXPECT_EQ(view.Kind() & MGShapeField::kKindView, MGShapeField::kKindView);
    EXPECT_EQ(view.Comment(), "受注集計");
    EXPECT_EQ(Strings{view.ViewSource()}, Want("view-source"));
    EXPECT_EQ(Column(view.ColumnRows(), 1), Want("view-columns"));
    EXPECT_EQ(Column(view.ColumnRows(), 3), Want("view-lengths"));

    // Privileges went to their boxes, the view's included.
    EXPECT_EQ(Box("SALES", "CUSTOMER_ORDER").PrivilegeRows().RowCount(), 3);
    EXPECT_EQ(Values(view.PrivilegeRows().GetRow(0)), Want("view-privilege"));
}

TEST_P(SampleReading, KeysCarryKeyNumbersSerialsAndChildRows) {
    ReadLogin();
    // Primary keys in box order, then the unique key, numbered from 1.
    for (const auto& [table, number] : {std::pair{"CUSTOMER_ORDER", 1}, {"INVOICE", 2}, {"SHIPMENT", 5}})
        EXPECT_EQ(KeyRow(Box("SALES", table).PrimaryKeyRows(), 1).KeyNumber(), number) << table;
    const ZMGCell& orderLineKeys = Box("SALES", "ORDER_LINE").PrimaryKeyRows();
    EXPECT_EQ(KeyRow(orderLineKeys, 0).KeyNumber(), -1);
    EXPECT_EQ(Values(orderLineKeys.GetRow(0)), (Strings{"PKName", "PKStatus"}));
    const ZMGRowCell& composite = KeyRow(orderLineKeys, 1);
    EXPECT_EQ(composite.KeyNumber(), 3);
    EXPECT_EQ(Values(composite), Want("order-line-key"));
    const ZMGCell& keyColumns = composite.Child();
    ASSERT_EQ(Rows(keyColumns), WantRows("order-line-key-columns"));
    EXPECT_EQ(keyColumns.GetRow(0).Serial(), 0);
    const ZMGCell& lineColumns = Box("SALES", "ORDER_LINE").ColumnRows();
    for (const int r : {1, 2}) EXPECT_EQ(keyColumns.GetRow(r).Serial(), lineColumns.GetRow(r).Serial());
    const ZMGCell& unique = Box("SALES", "SHIPMENT").UniqueRows();
    EXPECT_EQ(Values(KeyRow(unique, 1)), (Strings{"UK_SHIPMENT_TRACKING", "ENABLED"}));
    EXPECT_EQ(KeyRow(unique, 1).KeyNumber(), 6);
    EXPECT_EQ(Box("SALES", "INVOICE").UniqueRows().RowCount(), 1);  // the header only
}

TEST_P(SampleReading, ForeignKeysIndexesAndConditionsReachTheirBoxes) {
    ReadLogin();
    const MGShapeTable& order = Box("SALES", "CUSTOMER_ORDER");
    const ZMGCell& foreignKeys = order.ForeignKeyRows();
    ASSERT_EQ(foreignKeys.RowCount(), 4);
    EXPECT_EQ(Values(foreignKeys.GetRow(0)), Want("foreign-keys-header"));
    EXPECT_EQ(Values(foreignKeys.GetRow(1)), Want("order-foreign-key-1"));
    EXPECT_EQ(Values(foreignKeys.GetRow(3)), Want("order-foreign-key-3"));
    EXPECT_EQ(KeyRow(foreignKeys, 1).KeyNumber(), -1);  // resolved once every owner is read
    EXPECT_EQ(Values(KeyRow(foreignKeys, 1).Child().GetRow(1)), (Strings{"CUSTOMER_ID", "1"}));
    EXPECT_EQ(Values(KeyRow(Box("SALES", "ORDER_LINE").ForeignKeyRows(), 1)).at(4), "CASCADE");

    const ZMGCell& indexes = order.IndexRows();
    EXPECT_EQ(Column(indexes, 0), Want("order-indexes"));
    EXPECT_EQ(Column(indexes, 1), Want("order-index-kinds"));
    for (const int r : {0, 1, 3}) EXPECT_EQ(indexes.GetRow(r).Serial(), r);
    const ZMGCell& indexColumns = KeyRow(indexes, 2).Child();
    EXPECT_EQ(Values(indexColumns.GetRow(0)), (Strings{"ColumnName", "IxPosition"}));
    EXPECT_EQ(Values(indexColumns.GetRow(2)), (Strings{"STATUS", "2"}));
    EXPECT_EQ(indexColumns.GetRow(2).Serial(), order.ColumnRows().GetRow(6).Serial());

    const ZMGCell& conditions = order.ConditionRows();
    EXPECT_EQ(Values(conditions.GetRow(0)), Want("conditions-header"));
    ASSERT_EQ(conditions.RowCount(), 5);
    EXPECT_EQ(Values(conditions.GetRow(1)), Want("order-condition-1"));
    EXPECT_EQ(conditions.GetRow(1).Serial(), order.ColumnRows().GetRow(6).Serial());
    EXPECT_EQ(Values(conditions.GetRow(2)).at(3), "\"ORDER_DATE\" IS NOT NULL");
}

TEST_P(SampleReading, ReferencedOwnersUseTheAllFormsAndContinueTheKeyNumbers) {
    // HR also made a grant of its own on EMPLOYEE.
    ExecuteOnFile(database_,
                  "insert into ALL_TAB_PRIVS_MADE values ('MST', 'HR', 'EMPLOYEE', 'HR', 'SELECT')");
    ReadLogin();
    MGSchema& mst = ReadReferenced("MST");
    EXPECT_FALSE(mst.OwnsConnection());
    const MGShapeTable& customer = Box("MST", "CUSTOMER");
    EXPECT_EQ(customer.SchemaNumber(), 2);
    EXPECT_EQ(KeyRow(customer.PrimaryKeyRows(), 1).KeyNumber(), 7);
    EXPECT_EQ(KeyRow(Box("MST", "PRODUCT_CATEGORY").PrimaryKeyRows(), 1).KeyNumber(), 9);
    const ZMGRowCell& unique = KeyRow(customer.UniqueRows(), 1);
    EXPECT_EQ(unique.KeyNumber(), 10);
    EXPECT_EQ(Column(unique.Child(), 0), (Strings{"CUSTOMER_NAME", "PHONE"}));
    EXPECT_EQ(Values(KeyRow(Box("MST", "PRODUCT").ForeignKeyRows(), 2)).at(2), "HR");
    // The login schema's boxes are untouched by the second read.
    EXPECT_EQ(Box("SALES", "SHIPMENT").UniqueRows().RowCount(), 2);

    // Privileges made and received on the same table are both there, made first.
    MGSchema& hr = ReadReferenced("HR");
    EXPECT_EQ(Rows(hr.Privileges(), 1), WantRows("hr-privileges"));
    EXPECT_EQ(Box("HR", "EMPLOYEE").PrivilegeRows().RowCount(), 2);
}

TEST_P(SampleReading, AMissingDeleteRuleIsOneBlankAndProgressShowsTheSteps) {
    ExecuteOnFile(database_,
                  "update ALL_CONSTRAINTS set DELETE_RULE = NULL where CONSTRAINT_NAME = 'FK_REGION_PARENT'");
    ReadLogin();
    EXPECT_EQ(Values(KeyRow(Box("SALES", "SALES_REGION").ForeignKeyRows(), 1)).at(4), " ");
    // The progress shows the steps in order.
    EXPECT_EQ(MainLines(ports_.statusLog), Want("progress", server_));
}

INSTANTIATE_TEST_SUITE_P(BothSources, SampleReading, ::testing::Values(Source::Snapshot, Source::Odbc),
                         [](const auto& info) {
                             return info.param == Source::Snapshot ? "Snapshot" : "Odbc";
                         });

TEST(EmptySchema, GivesHeaderRowsAndNoBoxes) {
    RecordingPorts ports;
    TempDirectory dir;
    const auto path = BuildSnapshotFromDdl(
        dir, "empty.sqlite", "ALTER SESSION SET CURRENT_SCHEMA = OTHER;\nCREATE TABLE T (A NUMBER(3));\n");
    ASSERT_TRUE(path);
    MGSchema schema;
    schema.SetSchemaNumber(1);
    ASSERT_TRUE(Connect(schema, nullptr, kSourceDatabase, "NOBODY", "", *path, "", nullptr));
    for (ZMGCell* table : {&schema.Tables(), &schema.Columns(), &schema.ViewColumns(), &schema.ViewSources(),
                           &schema.Indexes(), &schema.PrimaryKeys(), &schema.UniqueKeys(),
                           &schema.ForeignKeys(), &schema.Conditions(), &schema.Privileges()}) {
        EXPECT_EQ(table->RowCount(), 1);
    }
    EXPECT_EQ(MGDrawTableList::Current()->Count(), 0);
}
