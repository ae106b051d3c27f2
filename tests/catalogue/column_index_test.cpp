// The lookup of a box's first column row by physical column name, in
// narrow tables (scanned) and wide ones (indexed).
#include "catalogue/column_index.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
