// The lookup of a box's first column row by physical column name, in
// narrow tables (scanned) and wide ones (indexed), with and without a book
// of prints taken beforehand: every answer equals a plain scan.
#include "catalogue/column_index.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tabulorix;

namespace {

void AddColumn(ZMGCell& columns, const std::string& physicalName) {
    auto row = std::make_unique<ZMGRowField>();
    row->AddItem("logical");
    row->AddItem(physicalName);
    columns.AddRow(std::move(row));
}

// A header row naming the columns, then the given names.
void Fill(ZMGCell& columns, const std::vector<std::string>& names) {
    AddColumn(columns, "ColumnNameP");
    for (const std::string& name : names) AddColumn(columns, name);
}

int PlainScan(const ZMGCell& columns, const std::string& name) {
    for (int r = 1; !columns.IsPastEnd(r); ++r)
        if (columns.GetRow(r).Item(1) == name) return r;
    return 0;
}

}  // namespace

TEST(ColumnIndex, FindsTheFirstRowOfANameInNarrowAndWideTablesAsAPlainScanDoes) {
    for (const int width : {3, 200}) {
        std::vector<std::string> names;
        for (int i = 0; i < width; ++i) names.push_back("C" + std::to_string(i));
        names.insert(names.end(), {"DUP", "C1"});
        ZMGCell columns;
        Fill(columns, names);
        MGColumnIndex index;
        // The header row is no column; a missing name gives 0.
        for (const std::string name : {"C1", "DUP", "C0", "ColumnNameP", "NONE", ""})
            EXPECT_EQ(index.Find(columns, name), PlainScan(columns, name)) << width << " " << name;
        EXPECT_EQ(index.Find(columns, "DUP"), width + 1);
    }
    // Names of one length differing in any one byte, at every length around
    // the compared 8-byte pieces.
    for (std::size_t length = 1; length <= 20; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string other(length, 'N');
            other[at] = 'X';
            ZMGCell columns;
            Fill(columns, {other, std::string(length, 'N')});
            MGColumnIndex index;
            EXPECT_EQ(index.Find(columns, std::string(length, 'N')), 2) << length << " " << at;
            EXPECT_EQ(index.Find(columns, other), 1) << length << " " << at;
        }
    }
}

TEST(ColumnIndex, ABookServesTheTablesItHoldsAndNotThoseChangedSince) {
    ZMGCell first, second, wide;
    Fill(first, {"ID", "NAME", "ID"});
    Fill(second, {"CODE"});
    std::vector<std::string> many;
    for (int i = 0; i < 100; ++i) many.push_back("W" + std::to_string(i));
    Fill(wide, many);
    MGColumnPrintBook book;
    const std::vector<const ZMGCell*> firstBatch{&first, &wide}, secondBatch{&second};
    book.Add(firstBatch);
    book.Add(secondBatch);  // a later batch leaves the prints of the earlier one where they were
    ASSERT_TRUE(book.Find(first).has_value());
    EXPECT_EQ(book.Find(first)->size(), 3u);
    EXPECT_EQ(book.Find(second)->size(), 1u);
    EXPECT_FALSE(book.Find(wide).has_value());  // wide tables are indexed by the finder, not printed
    MGColumnIndex index(&book);
    for (const auto& [table, name] :
         {std::pair{&first, "ID"}, {&first, "NAME"}, {&second, "CODE"}, {&second, "ID"}, {&wide, "W99"}})
        EXPECT_EQ(index.Find(*table, name), PlainScan(*table, name)) << name;
    // A row added after the book was filled: the book no longer knows the
    // table, and the finder takes its prints itself.
    AddColumn(second, "ADDED");
    EXPECT_FALSE(book.Find(second).has_value());
    EXPECT_EQ(MGColumnIndex(&book).Find(second, "ADDED"), 2);
    EXPECT_EQ(index.Find(second, "ADDED"), 2);
}
