// The diagram settings: the [SET ITEM] section read and written, the
// display flags from the controls and the stored notation, and OK, Cancel
// and reset over a recording host.
#include "diagram/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "support/recording_host.h"

using namespace tabulorix;

using tabulorix::testing::RecordingPorts;
using tabulorix::testing::RecordingSettingsHost;
using Lines = std::vector<std::string>;
using Values = TSetDlg::Values;

namespace {

class Settings : public ::testing::Test {
protected:
    bool Logged(const std::string& prefix) const {
        return std::any_of(host.log.begin(), host.log.end(),
                           [&](const std::string& c) { return c.starts_with(prefix); });
    }
    // Reads the lines after "[SET ITEM]"; true when they read without error.
    bool Read(const Lines& items) {
        Lines lines{"[SET ITEM]"};
        lines.insert(lines.end(), items.begin(), items.end());
        return !dlg.ReadItems(lines).has_value();
    }

    RecordingPorts ports;
    RecordingSettingsHost host;
    TSetDlg dlg{&host};
};

}  // namespace

TEST_F(Settings, TheSectionIsReadUpToAnEmptyLineOrHeaderWithExactKeys) {
    const Lines file = {"[TABLE LAYOUT]", "PaperX 7", "[SET ITEM]", "PaperX 4", "Colour 12",
                        "Mood happy",     "Shadow 0", "",           "PaperY 9"};
    EXPECT_FALSE(dlg.ReadItems(file).has_value());
    EXPECT_EQ(dlg.StoredValues(), (Values{.PaperX = 4, .Shadow = 0}));  // PaperY after the empty line
    // Show ran: the controls display what was read, so the boxes lose their shadow.
    EXPECT_EQ(std::pair(dlg.ControlValues().PaperXCountEdit, dlg.ControlValues().CheckBoxShadow),
              std::pair(std::string("4"), false));
    EXPECT_EQ(dlg.DisplayFlags() & TSetDlg::kShadow, 0);
    EXPECT_TRUE(Logged("SetZoom100"));

    // A section header ends the section too; keys are case-sensitive and
    // surrounding blanks are trimmed.
    EXPECT_FALSE(
        dlg.ReadItems({"[SET ITEM]", "  PaperY\t 2 ", "paperx 9", "[OTHER]", "PaperX 8"}).has_value());
    EXPECT_EQ(std::pair(dlg.StoredValues().PaperX, dlg.StoredValues().PaperY), std::pair(4, 2));

    // Without the section nothing is read and nothing is done.
    host.log.clear();
    EXPECT_FALSE(dlg.ReadItems({"PaperX 5"}).has_value());
    EXPECT_EQ(dlg.StoredValues().PaperX, 4);
    EXPECT_TRUE(host.log.empty());

    // A paper size code of 0 or an orientation other than 1 and 2 is no
    // paper: the printer is left alone.
    for (const auto& [size, orientation] : {std::pair{"0", "1"}, {"-1", "1"}, {"9", "3"}})
        Read({std::string("PageSize ") + size, std::string("PageOrientation ") + orientation});
    EXPECT_FALSE(Logged("SetPaper"));

    // Page counts from a file stay within the usable range.
    EXPECT_TRUE(Read({"PaperX 0", "PaperY 2000000"}));
    EXPECT_EQ(std::pair(dlg.StoredValues().PaperX, dlg.StoredValues().PaperY),
              std::pair(1, TSetDlg::kMaxPages));
}

TEST_F(Settings, AllThirteenKeysAreWrittenInOrderAndReadBack) {
    host.paper = {8, 2, 6779.9, -2.7, 599.99};
    const Values v{.PaperX = 3,
                   .PaperY = 2,
                   .PagePosition = 5,
                   .PageNoForm = 1,
                   .Notation = 1,
                   .Shadow = 0,
                   .TableItem = 2,
                   .ForeignName = 1};
    dlg.StoreValues(v);
    Lines lines = {"[SET ITEM]"};
    dlg.WriteItems(lines);
    EXPECT_EQ(lines, (Lines{"[SET ITEM]", "PaperX 3", "PaperY 2", "Notation 1", "PagePosition 5",
                            "PageNoForm 1", "Shadow 0", "TableItem 2", "ForeignName 1", "PageSize 8",
                            "PageOrientation 2", "PageWidth 6779", "PageHeight -2", "PixelsPerInch 599"}));

    RecordingSettingsHost otherHost;
    TSetDlg loaded(&otherHost);
    lines.push_back("");
    EXPECT_FALSE(loaded.ReadItems(lines).has_value());
    Values read = v;  // the paper as written: whole numbers
    std::tie(read.PageSize, read.PageOrientation) = std::pair{8, 2};
    std::tie(read.PageWidth, read.PageHeight, read.PixelsPerInch) = std::tuple{6779.0, -2.0, 599.0};
    EXPECT_EQ(loaded.StoredValues(), read);
    // The paper goes to the printer, then the zoom is reset, in that order.
    EXPECT_EQ(otherHost.log, (Lines{"SetPaper:8,2", "SetZoom100"}));
    const TSetDlg::Controls& shown = loaded.ControlValues();
    EXPECT_EQ(std::tuple(shown.ComboBoxPagePos, shown.CheckBoxRelationName, shown.SelectField),
              std::tuple(5, true, 2));
}

TEST_F(Settings, ANonIntegerValueEndsTheReadingNamingKeyAndValue) {
    const auto error = dlg.ReadItems({"x", "[SET ITEM]", "PaperX 3", "Colour red", "Shadow 4.5", "PaperY 2"});
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(std::tuple(error->key, error->value, error->lineIndex), std::tuple("Shadow", "4.5", 4));
    EXPECT_NE(error->message.find("Shadow"), std::string::npos) << error->message;
    EXPECT_NE(error->message.find("4.5"), std::string::npos) << error->message;
    EXPECT_EQ(dlg.StoredValues(), Values{.PaperX = 3});  // what came before the bad line only
    EXPECT_FALSE(Logged("SetZoom100"));

    const auto missing = dlg.ReadItems({"[SET ITEM]", "PaperY"});
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(std::pair(missing->key, missing->value), std::pair(std::string("PaperY"), std::string()));
    EXPECT_FALSE(Read({"Notation 99999999999"}));
}

TEST(SettingsFlags, NotationShownColumnsShadowAndRelationNames) {
    TSetDlg dlg;
    EXPECT_EQ(dlg.DisplayFlags() & 0x700, 0x600);  // start value 3
    for (const auto& [notation, bits] :
         {std::pair{0, 0x100}, {1, 0x300}, {2, 0x700}, {3, 0x600}, {4, 0x100}, {-1, 0x100}}) {
        dlg.StoreValues({.Notation = notation});
        EXPECT_EQ(dlg.DisplayFlags() & 0x700, bits) << "Notation " << notation;
    }
    // The notation comes from the stored value, not from the combo box.
    dlg.ControlValues().ComboBoxNotation = 2;
    EXPECT_EQ(dlg.DisplayFlags() & 0x700, 0x100);

    const struct {
        int selectField;
        bool shadow, relationNames;
        int flags;
    } cases[] = {{0, false, false, TSetDlg::kKeyColumnsOnly},
                 {1, false, false, 0},
                 {2, false, false, TSetDlg::kTableNameOnly},
                 {1, true, false, TSetDlg::kShadow},
                 {1, false, true, TSetDlg::kRelationNames},
                 {2, true, true, TSetDlg::kTableNameOnly | TSetDlg::kShadow | TSetDlg::kRelationNames}};
    for (const auto& c : cases) {
        dlg.ControlValues() = {.CheckBoxShadow = c.shadow,
                               .CheckBoxRelationName = c.relationNames,
                               .SelectField = c.selectField};
        EXPECT_EQ(dlg.DisplayFlags() & 0xFF, c.flags) << c.selectField << c.shadow << c.relationNames;
    }
}

TEST_F(Settings, ApplyRaisesThePagesToWhatTheDiagramNeeds) {
    host.needed = {3, 2};
    dlg.Show();
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_EQ(std::pair(dlg.StoredValues().PaperX, dlg.StoredValues().PaperY), std::pair(3, 2));
    EXPECT_EQ(host.pageCount, (tabulorix::PageGrid{3, 2}));
    EXPECT_TRUE(dlg.IsModified());
    const std::string flags = std::to_string(dlg.DisplayFlags());
    EXPECT_EQ(host.log, (Lines{"SetPageCount:3x2", "HandDisplayFlags:" + flags, "SetWindowZoom",
                               "ApplyDisplayFlags:" + flags}));
    dlg.Show();
    EXPECT_EQ(std::pair(dlg.ControlValues().PaperXCountEdit, dlg.ControlValues().PaperYCountEdit),
              std::pair(std::string("3"), std::string("2")));
}

TEST_F(Settings, OkWithoutChangeLeavesModifiedAloneAndDoesNotRedraw) {
    Lines saved;
    dlg.WriteItems(saved);  // stores the printer's paper, as a save does
    dlg.ClearModified();
    dlg.Show();
    host.log.clear();
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_FALSE(dlg.IsModified());
    EXPECT_FALSE(Logged("ApplyDisplayFlags"));

    // Forced, the same values are handed to the diagram; the pages did not
    // change, so the zoom is left alone.
    EXPECT_TRUE(dlg.Apply(true));
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_TRUE(Logged("ApplyDisplayFlags"));
    EXPECT_FALSE(Logged("SetWindowZoom"));

    // A ticked check box alone is a change.
    dlg.ClearModified();
    dlg.ControlValues().CheckBoxRelationName = true;
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_EQ(dlg.StoredValues().ForeignName, 1);
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_TRUE(host.appliedFlags & TSetDlg::kRelationNames);
    EXPECT_EQ(host.shapeFlags, host.appliedFlags);

    // The printer's paper changed after saving (A4 portrait) counts as a change.
    dlg.ClearModified();
    for (const auto& [size, orientation, modified] : {std::tuple{9, 2, true}, {9, 1, false}, {8, 1, true}}) {
        std::tie(host.paper.sizeCode, host.paper.orientation) = std::pair(size, orientation);
        EXPECT_EQ(dlg.IsModified(), modified) << size << "," << orientation;
    }
}

TEST_F(Settings, BadPageCountsAreReportedAndNothingIsStored) {
    dlg.ControlValues() = {.PaperXCountEdit = "2", .PaperYCountEdit = "zwei", .CheckBoxShadow = false};
    EXPECT_FALSE(dlg.Apply(false));
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_NE(ports.messages[0].find("用紙縦方向枚数"), std::string::npos) << ports.messages[0];
    EXPECT_NE(ports.messages[0].find("zwei"), std::string::npos) << ports.messages[0];
    EXPECT_EQ(dlg.StoredValues(), Values{});
    EXPECT_TRUE(host.log.empty());
    dlg.ControlValues().PaperYCountEdit = "99999999999";
    EXPECT_FALSE(dlg.Apply(false));
    EXPECT_EQ(ports.messages.size(), 2u);

    // Zero means "as many as needed".
    host.needed = {2, 1};
    dlg.ControlValues().PaperXCountEdit = "0";
    dlg.ControlValues().PaperYCountEdit = " 4 ";
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_EQ(std::pair(dlg.StoredValues().PaperX, dlg.StoredValues().PaperY), std::pair(2, 4));
}

TEST_F(Settings, WithoutADiagramOkStoresNothingAndResetKeepsOnlyThePaper) {
    host.hasDiagram = false;
    dlg.ControlValues().PaperXCountEdit = "5";
    EXPECT_TRUE(dlg.Apply(true));
    EXPECT_EQ(dlg.StoredValues().PaperX, 1);
    EXPECT_TRUE(host.log.empty());
    dlg.Cancel();  // puts the controls back
    EXPECT_EQ(dlg.ControlValues().PaperXCountEdit, "1");

    host.hasDiagram = true;
    ASSERT_TRUE(Read({"PaperX 6", "Notation 0", "PageSize 12", "PageOrientation 2", "PageWidth 5000"}));
    EXPECT_TRUE(Logged("SetPaper:12,2"));
    dlg.MarkModified();
    dlg.ResetToStartValues();
    EXPECT_EQ(dlg.StoredValues(), (Values{.PageSize = 12, .PageOrientation = 2}));
    EXPECT_EQ(dlg.ControlValues().PaperXCountEdit, "1");
    EXPECT_FALSE(dlg.IsModified());  // the printer was set to 12, 2 by the reading
}
