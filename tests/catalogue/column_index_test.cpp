// The lookup of a box's first column row by physical column name, in
// narrow tables (scanned) and wide ones (indexed), with and without a book
// of prints taken beforehand.
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

}  // namespace

TEST(ColumnIndex, FindsTheFirstRowOfANameInNarrowAndWideTables) {
    for (const int width : {3, 200}) {
        ZMGCell columns;
        std::vector<std::string> names;
        for (int i = 0; i < width; ++i) names.push_back(std::string(1, 'C').append(std::to_string(i)));
        names.push_back("DUP");
        names.push_back("C1");
        Fill(columns, names);
        MGColumnIndex index;
        EXPECT_EQ(index.Find(columns, "C1"), 2) << width;
        EXPECT_EQ(index.Find(columns, "DUP"), width + 1) << width;
        EXPECT_EQ(index.Find(columns, "C0"), 1) << width;
        // The header row is no column; a missing name gives 0.
        EXPECT_EQ(index.Find(columns, "ColumnNameP"), 0) << width;
        EXPECT_EQ(index.Find(columns, "NONE"), 0) << width;
        EXPECT_EQ(index.Find(columns, ""), 0) << width;
    }
}

TEST(ColumnIndex, NamesOfOneLengthDifferingInAnyByteAreTold) {
    // Every length around the compared 8-byte pieces, with the one
    // different byte at every position.
    for (std::size_t length = 1; length <= 20; ++length) {
        const std::string name(length, 'N');
        for (std::size_t at = 0; at < length; ++at) {
            std::string other = name;
            other[at] = 'X';
            ZMGCell columns;
            Fill(columns, {other, name});
            MGColumnIndex index;
            EXPECT_EQ(index.Find(columns, name), 2) << length << " " << at;
            EXPECT_EQ(index.Find(columns, other), 1) << length << " " << at;
        }
    }
}

TEST(ColumnIndex, ABookServesTheTablesItHoldsAndNotThoseChangedSince) {
    ZMGCell first;
    ZMGCell second;
    ZMGCell wide;
    Fill(first, {"ID", "NAME", "ID"});
    Fill(second, {"CODE"});
    std::vector<std::string> many;
    for (int i = 0; i < 100; ++i) many.push_back("W" + std::to_string(i));
    Fill(wide, many);
    MGColumnPrintBook book;
    const std::vector<const ZMGCell*> firstBatch{&first, &wide};
    book.Add(firstBatch);
    // A later batch leaves the prints of the earlier one where they were.
    const std::vector<const ZMGCell*> secondBatch{&second};
    book.Add(secondBatch);
    ASSERT_TRUE(book.Find(first).has_value());
    EXPECT_EQ(book.Find(first)->size(), 3u);
    EXPECT_EQ(book.Find(second)->size(), 1u);
    // Wide tables are indexed by the finder, not printed.
    EXPECT_FALSE(book.Find(wide).has_value());

    MGColumnIndex index(&book);
    EXPECT_EQ(index.Find(first, "ID"), 1);
    EXPECT_EQ(index.Find(first, "NAME"), 2);
    EXPECT_EQ(index.Find(second, "CODE"), 1);
    EXPECT_EQ(index.Find(second, "ID"), 0);
    EXPECT_EQ(index.Find(wide, "W99"), 100);

    // A row added after the book was filled: the book no longer knows the
    // table, and the finder takes its prints itself.
    AddColumn(second, "ADDED");
    EXPECT_FALSE(book.Find(second).has_value());
    MGColumnIndex fresh(&book);
    EXPECT_EQ(fresh.Find(second, "ADDED"), 2);
    EXPECT_EQ(index.Find(second, "ADDED"), 2);
}
