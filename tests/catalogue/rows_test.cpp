// Rows: items with names, position errors, copying, and the flag tests that
// give the list-view state images.
#include <gtest/gtest.h>

#include <stdexcept>

#include "catalogue/row_table.h"
#include "catalogue/rows.h"
#include "support/recording_ports.h"

namespace {

std::unique_ptr<ZMGRowExt> RowOf(std::initializer_list<const char*> values) {
    auto row = std::make_unique<ZMGRowExt>();
    for (const char* value : values) row->AddItem(value, (std::string("n_") + value).c_str());
    return row;
}

std::vector<std::string> Values(const ZMGRowBase& row) {
    std::vector<std::string> values;
    for (int i = 0; i < row.ItemCount(); ++i) values.push_back(row.Item(i));
    return values;
}

}  // namespace

TEST(Rows, ClearItemsKeepsTheLeadingValuesAndTheirNames) {
    auto row = RowOf({"a", "b", "c", "d", "e"});
    row->ClearItems(2);
    ASSERT_EQ(row->ItemCount(), 2);
    EXPECT_EQ(Values(*row), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(row->Name(1), "n_b");
    EXPECT_THROW((void)row->Name(2), std::out_of_range);

    row->ClearItems(7);  // more than there are: nothing changes
    EXPECT_EQ(row->ItemCount(), 2);
    row->ClearItems(0);
    EXPECT_EQ(row->ItemCount(), 0);
}

TEST(Rows, GetItemPastTheEndShowsTheRangeMessageAndLeavesTheOutputs) {
    tabulorix::testing::RecordingPorts ports;
    auto row = RowOf({"a", "b", "c"});
    std::string value = "before";
    std::string name = "unchanged";

    EXPECT_FALSE(row->GetItem(3, value, name));
    EXPECT_FALSE(row->GetItem(5, value, name));
    EXPECT_EQ(value, "before");
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(ports.messages, (std::vector<std::string>{"Out of range[3/3] at ZMGRowExt::GetItem()",
                                                        "Out of range[3/5] at ZMGRowExt::GetItem()"}));

    EXPECT_TRUE(row->GetItem(2, value, name));
    EXPECT_EQ(value, "c");
    EXPECT_EQ(name, "n_c");
    EXPECT_EQ(ports.messages.size(), 2u);
}

TEST(Rows, GetItemAtANegativePositionIsReportedToo) {
    tabulorix::testing::RecordingPorts ports;
    auto row = RowOf({"a"});
    std::string value, name;
    EXPECT_FALSE(row->GetItem(-1, value, name));
    EXPECT_EQ(ports.messages, (std::vector<std::string>{"Out of range[1/-1] at ZMGRowExt::GetItem()"}));
}

TEST(Rows, OtherPositionErrorsRaise) {
    auto row = RowOf({"a", "b"});
    EXPECT_THROW(row->PutItem(2, "x"), std::out_of_range);
    EXPECT_THROW((void)row->Item(-1), std::out_of_range);
    EXPECT_THROW(row->BlankItem(2), std::out_of_range);
    row->PutItem(1, "x");
    EXPECT_EQ(row->Item(1), "x");
    EXPECT_EQ(row->ItemOrEmpty(9), "");
}

TEST(Rows, BlankItemEmptiesValueAndName) {
    auto row = RowOf({"a", "b"});
    row->BlankItem(0);
    EXPECT_EQ(row->Item(0), "");
    EXPECT_EQ(row->Name(0), "");
    EXPECT_EQ(row->Item(1), "b");
}

TEST(Rows, AddItemKeepsValuesAndNamesParallel) {
    ZMGRowExt row;
    row.AddItem("v1");
    row.AddItem(std::string("v2"));
    row.AddItem("v3", "name3");
    row.AddItem(nullptr);
    row.AddItem(nullptr, nullptr);
    ASSERT_EQ(row.ItemCount(), 5);
    EXPECT_EQ(row.Name(0), "");
    EXPECT_EQ(row.Name(2), "name3");
    EXPECT_EQ(row.Item(3), "");
    EXPECT_EQ(row.Name(4), "");
}

TEST(Rows, CopyRowReplacesItemsAndTakesKeyNumberAndSerial) {
    auto source = RowOf({"x", "y"});
    source->SetKeyNumber(7);
    source->SetSerial(3);
    auto target = RowOf({"old1", "old2", "old3"});
    target->SetFlags(0x4);

    target->CopyRow(*source);
    EXPECT_EQ(Values(*target), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(target->Name(1), "n_y");
    EXPECT_EQ(target->KeyNumber(), 7);
    EXPECT_EQ(target->Serial(), 3);
    EXPECT_EQ(target->GetFlags(), 0x4u);  // the flags word is not part of the items

    target->AppendRow(*source);
    EXPECT_EQ(Values(*target), (std::vector<std::string>{"x", "y", "x", "y"}));

    target->CopyRow(*target);  // copying a row onto itself keeps it
    EXPECT_EQ(target->ItemCount(), 4);
}

TEST(Rows, AssignItemsNeedsTheItemsToExist) {
    auto target = RowOf({"a", "b", "c"});
    target->AssignItems(*RowOf({"x", "y"}));
    EXPECT_EQ(Values(*target), (std::vector<std::string>{"x", "y", "c"}));
    EXPECT_EQ(target->Name(0), "n_x");
    auto shortRow = RowOf({"a"});
    EXPECT_THROW(shortRow->AssignItems(*target), std::out_of_range);
    EXPECT_EQ(Values(*shortRow), (std::vector<std::string>{"a"}));
}

TEST(Rows, RowCellClearItemsAlsoCutsTheChildRows) {
    ZMGRowCell row;
    for (const char* v : {"a", "b", "c"}) {
        row.AddItem(v);
        row.Child().AddRow(RowOf({v}));
    }
    row.ClearItems(1);
    EXPECT_EQ(row.ItemCount(), 1);
    EXPECT_EQ(row.Child().RowCount(), 1);
    EXPECT_EQ(row.Child().GetRow(0).Item(0), "a");
}

TEST(Rows, RowCellCopyRowCopiesTheChildRowsAsPlainRows) {
    ZMGRowCell source;
    source.AddItem("PK_DEPT");
    source.SetKeyNumber(2);
    auto child = std::make_unique<ZMGRowCell>();
    child->AddItem("DEPTNO");
    child->SetFlags(0x1);
    child->Child().AddRow(RowOf({"grandchild"}));
    source.Child().AddRow(std::move(child));

    ZMGRowCell copy;
    copy.Child().AddRow(RowOf({"stale"}));
    copy.Child().AddRow(RowOf({"stale"}));
    copy.CopyRow(source);

    EXPECT_EQ(copy.Item(0), "PK_DEPT");
    EXPECT_EQ(copy.KeyNumber(), 2);
    ASSERT_EQ(copy.Child().RowCount(), 1);
    const ZMGRowExt& copiedChild = copy.Child().GetRow(0);
    EXPECT_EQ(copiedChild.Item(0), "DEPTNO");
    EXPECT_EQ(copiedChild.GetFlags(), 0x1u);
    EXPECT_EQ(dynamic_cast<const ZMGRowCell*>(&copiedChild), nullptr);

    // A plain source has no child rows: the copy's child table ends empty.
    copy.CopyRow(*RowOf({"plain"}));
    EXPECT_EQ(copy.Child().RowCount(), 0);
}

TEST(Rows, FlagsAreOredAndTheBaseTestAnswersTheWord) {
    ZMGRowExt row;
    row.SetFlags(0x1);
    row.SetFlags(0x100);
    EXPECT_EQ(row.GetFlags(), 0x101u);
    EXPECT_EQ(row.TestFlags(), 0x101);
}

TEST(Rows, FieldAndKeyRowsAnswerOneForAnyKeyBit) {
    struct Case {
        std::uint32_t flags;
        int expected;
    };
    for (const Case c : {Case{0, 0}, Case{kKeyPrimary, 1}, Case{kKeyUnique, 1}, Case{kKeyForeign, 1},
                         Case{kIndexUnique, 0}, Case{kIndexNonUnique, 0}, Case{kKeyCascade, 0},
                         Case{kKeyForeign | kKeyCascade | kIndexUnique, 1}}) {
        ZMGRowField field;
        ZMGRowKey key;
        field.SetFlags(c.flags);
        key.SetFlags(c.flags);
        EXPECT_EQ(field.TestFlags(), c.expected) << "flags " << c.flags;
        EXPECT_EQ(key.TestFlags(), c.expected) << "flags " << c.flags;
    }
}

TEST(Rows, IndexRowsTellUniqueNonUniqueAndBoth) {
    struct Case {
        std::uint32_t flags;
        int expected;
    };
    for (const Case c : {Case{0, 0}, Case{kIndexUnique, 2}, Case{kIndexNonUnique, 3},
                         Case{kIndexUnique | kIndexNonUnique, 4}, Case{kKeyPrimary, 0},
                         Case{kKeyPrimary | kIndexUnique, 2}}) {
        ZMGRowIndex index;
        index.SetFlags(c.flags);
        EXPECT_EQ(index.TestFlags(), c.expected) << "flags " << c.flags;
    }
}

TEST(Rows, ColumnRowsKeepOneNumberListPerKeyKind) {
    ZMGRowField column;
    column.AddKeyMark(kKeyPrimary, "1");
    column.AddKeyMark(kKeyForeign, "2");
    column.AddKeyMark(kKeyForeign, "5");
    column.AddKeyMark(kIndexNonUnique, "3");
    column.AddKeyMark(kKeyCascade, "9");  // not a key kind: ignored

    EXPECT_EQ(column.GetFlags(), static_cast<std::uint32_t>(kKeyPrimary | kKeyForeign | kIndexNonUnique));
    EXPECT_EQ(column.KeyNumbers(kKeyPrimary), (std::vector<std::string>{"1"}));
    EXPECT_EQ(column.KeyNumbers(kKeyForeign), (std::vector<std::string>{"2", "5"}));
    EXPECT_TRUE(column.KeyNumbers(kKeyUnique).empty());
    EXPECT_EQ(column.KeyNumbers(kIndexNonUnique), (std::vector<std::string>{"3"}));
    EXPECT_TRUE(column.KeyNumbers(kKeyCascade).empty());

    column.SetFlags(0x1000);
    column.ClearKeyMarks();
    EXPECT_EQ(column.GetFlags(), 0x1000u);
    EXPECT_TRUE(column.KeyNumbers(kKeyForeign).empty());
}
