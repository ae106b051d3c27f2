// Rows: items with names, position errors, copying, and the flag tests that
// give the list-view state images.
#include <gtest/gtest.h>

#include <stdexcept>

#include "catalogue/row_table.h"
#include "catalogue/rows.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;

using tabulorix::testing::Values;

namespace {

// A row whose items are named n_<value>.
std::unique_ptr<ZMGRowExt> Named(std::initializer_list<const char*> values) {
    auto row = std::make_unique<ZMGRowExt>();
    for (const char* value : values) row->AddItem(value, (std::string("n_") + value).c_str());
    return row;
}

}  // namespace

TEST(Rows, ClearItemsKeepsTheLeadingValuesAndTheirNames) {
    auto row = Named({"a", "b", "c", "d", "e"});
    row->ClearItems(2);
    ASSERT_EQ(row->ItemCount(), 2);
    EXPECT_EQ(Values(*row), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(row->Name(1), "n_b");
    EXPECT_THROW((void)row->Name(2), std::out_of_range);

    row->ClearItems(7);  // more than there are: nothing changes
    EXPECT_EQ(row->ItemCount(), 2);
    row->ClearItems(0);
    EXPECT_EQ(row->ItemCount(), 0);

    // A row cell also cuts its child rows.
    ZMGRowCell cell;
    for (const char* v : {"a", "b", "c"}) {
        cell.AddItem(v);
        cell.Child().AddRow(Named({v}));
    }
    cell.ClearItems(1);
    EXPECT_EQ(cell.ItemCount(), 1);
    ASSERT_EQ(cell.Child().RowCount(), 1);
    EXPECT_EQ(cell.Child().GetRow(0).Item(0), "a");
}

TEST(Rows, GetItemOutsideTheRowShowsTheRangeMessageAndLeavesTheOutputs) {
    tabulorix::testing::RecordingPorts ports;
    auto row = Named({"a", "b", "c"});
    std::string value = "before";
    std::string name = "unchanged";

    for (const int position : {3, 5, -1}) EXPECT_FALSE(row->GetItem(position, value, name)) << position;
    EXPECT_EQ(value, "before");
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(ports.messages, (std::vector<std::string>{"Out of range[3/3] at ZMGRowExt::GetItem()",
                                                        "Out of range[3/5] at ZMGRowExt::GetItem()",
                                                        "Out of range[3/-1] at ZMGRowExt::GetItem()"}));

    EXPECT_TRUE(row->GetItem(2, value, name));
    EXPECT_EQ(value, "c");
    EXPECT_EQ(name, "n_c");
    EXPECT_EQ(ports.messages.size(), 3u);
}

TEST(Rows, CopyRowReplacesItemsAndTakesKeyNumberAndSerial) {
    auto source = Named({"x", "y"});
    source->SetKeyNumber(7);
    source->SetSerial(3);
    auto target = Named({"old1", "old2", "old3"});
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
    auto target = Named({"a", "b", "c"});
    target->AssignItems(*Named({"x", "y"}));
    EXPECT_EQ(Values(*target), (std::vector<std::string>{"x", "y", "c"}));
    EXPECT_EQ(target->Name(0), "n_x");
    auto shortRow = Named({"a"});
    EXPECT_THROW(shortRow->AssignItems(*target), std::out_of_range);
    EXPECT_EQ(Values(*shortRow), (std::vector<std::string>{"a"}));
}

TEST(Rows, RowCellCopyRowCopiesTheChildRowsAsPlainRows) {
    ZMGRowCell source;
    source.AddItem("PK_DEPT");
    source.SetKeyNumber(2);
    auto child = std::make_unique<ZMGRowCell>();
    child->AddItem("DEPTNO");
    child->SetFlags(0x1);
    child->Child().AddRow(Named({"grandchild"}));
    source.Child().AddRow(std::move(child));

    ZMGRowCell copy;
    copy.Child().AddRow(Named({"stale"}));
    copy.Child().AddRow(Named({"stale"}));
    copy.CopyRow(source);

    EXPECT_EQ(copy.Item(0), "PK_DEPT");
    EXPECT_EQ(copy.KeyNumber(), 2);
    ASSERT_EQ(copy.Child().RowCount(), 1);
    const ZMGRowExt& copiedChild = copy.Child().GetRow(0);
    EXPECT_EQ(copiedChild.Item(0), "DEPTNO");
    EXPECT_EQ(copiedChild.GetFlags(), 0x1u);
    EXPECT_EQ(dynamic_cast<const ZMGRowCell*>(&copiedChild), nullptr);

    // A plain source has no child rows: the copy's child table ends empty.
    copy.CopyRow(*Named({"plain"}));
    EXPECT_EQ(copy.Child().RowCount(), 0);
}

TEST(Rows, FlagTestsGiveTheStateImageOfEachRowKind) {
    ZMGRowExt plain;
    plain.SetFlags(0x1);
    plain.SetFlags(0x100);
    EXPECT_EQ(plain.GetFlags(), 0x101u);  // flags are ORed in
    EXPECT_EQ(plain.TestFlags(), 0x101);  // the base test answers the word

    struct Case {
        std::uint32_t flags;
        int fieldOrKey;  // any key bit gives 1
        int index;       // unique 2, non-unique 3, both 4
    };
    for (const Case c :
         {Case{0, 0, 0}, Case{kKeyPrimary, 1, 0}, Case{kKeyUnique, 1, 0}, Case{kKeyForeign, 1, 0},
          Case{kIndexUnique, 0, 2}, Case{kIndexNonUnique, 0, 3}, Case{kKeyCascade, 0, 0},
          Case{kIndexUnique | kIndexNonUnique, 0, 4}, Case{kKeyPrimary | kIndexUnique, 1, 2},
          Case{kKeyForeign | kKeyCascade | kIndexUnique, 1, 2}}) {
        SCOPED_TRACE(c.flags);
        ZMGRowField field;
        ZMGRowKey key;
        ZMGRowIndex index;
        field.SetFlags(c.flags);
        key.SetFlags(c.flags);
        index.SetFlags(c.flags);
        EXPECT_EQ(field.TestFlags(), c.fieldOrKey);
        EXPECT_EQ(key.TestFlags(), c.fieldOrKey);
        EXPECT_EQ(index.TestFlags(), c.index);
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
