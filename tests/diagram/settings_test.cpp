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

namespace {

bool Logged(const RecordingSettingsHost& host, const std::string& call) {
    return std::find(host.log.begin(), host.log.end(), call) != host.log.end();
}

bool Redrawn(const RecordingSettingsHost& host) {
    return std::any_of(host.log.begin(), host.log.end(),
                       [](const std::string& c) { return c.starts_with("ApplyDisplayFlags"); });
}

}  // namespace

TEST(Settings, SectionGivesPagesAcrossAndShadowIgnoresUnknownKeysAndEndsAtEmptyLine) {
    RecordingSettingsHost host;
    TSetDlg dlg(&host);
    const Lines file = {"[TABLE LAYOUT]", "PaperX 7", "[SET ITEM]", "PaperX 4", "Colour 12",
                        "Mood happy",     "Shadow 0", "",           "PaperY 9"};
    EXPECT_FALSE(dlg.ReadItems(file).has_value());
    EXPECT_EQ(dlg.StoredValues().PaperX, 4);
    EXPECT_EQ(dlg.StoredValues().Shadow, 0);
    EXPECT_EQ(dlg.StoredValues().PaperY, 1);  // after the empty line
    // Show ran: the controls display what was read, so the boxes lose their shadow.
    EXPECT_EQ(dlg.ControlValues().PaperXCountEdit, "4");
    EXPECT_FALSE(dlg.ControlValues().CheckBoxShadow);
    EXPECT_EQ(dlg.DisplayFlags() & TSetDlg::kShadow, 0);
    EXPECT_TRUE(Logged(host, "SetZoom100"));

    // A section header ends the section too; keys are case-sensitive and
    // surrounding blanks are trimmed.
    EXPECT_FALSE(
        dlg.ReadItems({"[SET ITEM]", "  PaperY\t 2 ", "paperx 9", "[OTHER]", "PaperX 8"}).has_value());
    EXPECT_EQ(dlg.StoredValues().PaperY, 2);
    EXPECT_EQ(dlg.StoredValues().PaperX, 4);

    // Without the section nothing is read and nothing is done.
    host.log.clear();
    EXPECT_FALSE(dlg.ReadItems({"PaperX 5"}).has_value());
    EXPECT_EQ(dlg.StoredValues().PaperX, 4);
    EXPECT_TRUE(host.log.empty());

    // A paper size code of 0 or an orientation other than 1 and 2 is no
    // paper: the printer is left alone.
    host.log.clear();
    for (const auto& [size, orientation] : {std::pair{"0", "1"}, {"-1", "1"}, {"9", "3"}})
        dlg.ReadItems(
            {"[SET ITEM]", std::string("PageSize ") + size, std::string("PageOrientation ") + orientation});
    EXPECT_FALSE(std::any_of(host.log.begin(), host.log.end(),
                             [](const std::string& c) { return c.starts_with("SetPaper"); }));

    // Page counts from a file stay within the usable range.
    EXPECT_FALSE(dlg.ReadItems({"[SET ITEM]", "PaperX 0", "PaperY 2000000"}).has_value());
    EXPECT_EQ(dlg.StoredValues().PaperX, 1);
    EXPECT_EQ(dlg.StoredValues().PaperY, TSetDlg::kMaxPages);
}

TEST(Settings, AllThirteenKeysAreWrittenInOrderAndReadBack) {
    RecordingSettingsHost host;
    host.paper = {8, 2, 6779.9, -2.7, 599.99};
    TSetDlg dlg(&host);
    const TSetDlg::Values v{.PaperX = 3, .PaperY = 2, .PagePosition = 5, .PageNoForm = 1,
                            .Notation = 1, .Shadow = 0, .TableItem = 2, .ForeignName = 1};
    dlg.StoreValues(v);

    Lines lines = {"[SET ITEM]"};
    dlg.WriteItems(lines);
    const Lines expected = {"[SET ITEM]",     "PaperX 3",         "PaperY 2",          "Notation 1",
                            "PagePosition 5", "PageNoForm 1",     "Shadow 0",          "TableItem 2",
                            "ForeignName 1",  "PageSize 8",       "PageOrientation 2", "PageWidth 6779",
                            "PageHeight -2",  "PixelsPerInch 599"};
    EXPECT_EQ(lines, expected);

    RecordingSettingsHost otherHost;
    TSetDlg loaded(&otherHost);
    lines.push_back("");
    EXPECT_FALSE(loaded.ReadItems(lines).has_value());
    TSetDlg::Values read = v;  // the paper as written: whole numbers
    std::tie(read.PageSize, read.PageOrientation) = std::pair{8, 2};
    std::tie(read.PageWidth, read.PageHeight, read.PixelsPerInch) = std::tuple{6779.0, -2.0, 599.0};
    EXPECT_EQ(loaded.StoredValues(), read);
    // The paper goes to the printer, then the zoom is reset, in that order.
    const Lines calls = {"SetPaper:8,2", "SetZoom100"};
    EXPECT_EQ(otherHost.log, calls);
    EXPECT_EQ(loaded.ControlValues().ComboBoxPagePos, 5);
    EXPECT_TRUE(loaded.ControlValues().CheckBoxRelationName);
    EXPECT_EQ(loaded.ControlValues().SelectField, 2);
}

TEST(Settings, ANonIntegerValueEndsTheReadingNamingKeyAndValue) {
    RecordingSettingsHost host;
    TSetDlg dlg(&host);
    const auto error = dlg.ReadItems({"x", "[SET ITEM]", "PaperX 3", "Colour red", "Shadow 4.5", "PaperY 2"});
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->key, "Shadow");
    EXPECT_EQ(error->value, "4.5");
    EXPECT_EQ(error->lineIndex, 4);
    EXPECT_NE(error->message.find("Shadow"), std::string::npos) << error->message;
    EXPECT_NE(error->message.find("4.5"), std::string::npos) << error->message;
    EXPECT_EQ(dlg.StoredValues().PaperX, 3);  // before the bad line
    EXPECT_EQ(dlg.StoredValues().Shadow, 1);
    EXPECT_EQ(dlg.StoredValues().PaperY, 1);  // nothing after it
    EXPECT_FALSE(Logged(host, "SetZoom100"));

    const auto missing = dlg.ReadItems({"[SET ITEM]", "PaperY"});
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->key, "PaperY");
    EXPECT_EQ(missing->value, "");
    EXPECT_TRUE(dlg.ReadItems({"[SET ITEM]", "Notation 99999999999"}).has_value());
}

TEST(Settings, NotationGivesTheNotationBits) {
    TSetDlg dlg;
    EXPECT_EQ(dlg.DisplayFlags() & 0x700, 0x600);  // start value 3
    const std::pair<int, int> cases[] = {{0, 0x100}, {1, 0x300}, {2, 0x700},
                                         {3, 0x600}, {4, 0x100}, {-1, 0x100}};
    for (const auto& [notation, bits] : cases) {
        dlg.StoreValues({.Notation = notation});
        EXPECT_EQ(dlg.DisplayFlags() & 0x700, bits) << "Notation " << notation;
    }
    // The notation comes from the stored value, not from the combo box.
    dlg.ControlValues().ComboBoxNotation = 2;
    EXPECT_EQ(dlg.DisplayFlags() & 0x700, 0x100);
}

TEST(Settings, ApplyRaisesThePagesToWhatTheDiagramNeeds) {
    RecordingSettingsHost host;
    host.needed = {3, 2};
    TSetDlg dlg(&host);
    dlg.Show();
    dlg.ControlValues().PaperXCountEdit = "1";
    dlg.ControlValues().PaperYCountEdit = "1";
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_EQ(dlg.StoredValues().PaperX, 3);
    EXPECT_EQ(dlg.StoredValues().PaperY, 2);
    EXPECT_EQ((host.pageCount), (tabulorix::PageGrid{3, 2}));
    EXPECT_TRUE(dlg.IsModified());
    const int flags = dlg.DisplayFlags();
    const Lines calls = {"SetPageCount:3x2", "HandDisplayFlags:" + std::to_string(flags), "SetWindowZoom",
                         "ApplyDisplayFlags:" + std::to_string(flags)};
    EXPECT_EQ(host.log, calls);

    dlg.Show();
    EXPECT_EQ(dlg.ControlValues().PaperXCountEdit, "3");
    EXPECT_EQ(dlg.ControlValues().PaperYCountEdit, "2");
}

TEST(Settings, OkWithoutChangeLeavesModifiedAloneAndDoesNotRedraw) {
    RecordingSettingsHost host;
    TSetDlg dlg(&host);
    std::vector<std::string> saved;
    dlg.WriteItems(saved);  // stores the printer's paper, as a save does
    dlg.ClearModified();
    dlg.Show();
    host.log.clear();

    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_FALSE(dlg.IsModified());
    EXPECT_FALSE(Redrawn(host));

    // Forced, the same values are handed to the diagram; the pages did not
    // change, so the zoom is left alone.
    EXPECT_TRUE(dlg.Apply(true));
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_TRUE(Redrawn(host));
    EXPECT_FALSE(Logged(host, "SetWindowZoom"));

    // A ticked check box alone is a change.
    dlg.ClearModified();
    host.log.clear();
    dlg.ControlValues().CheckBoxRelationName = true;
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_EQ(dlg.StoredValues().ForeignName, 1);
    EXPECT_TRUE(dlg.IsModified());
    EXPECT_TRUE(host.appliedFlags & TSetDlg::kRelationNames);
    EXPECT_EQ(host.shapeFlags, host.appliedFlags);
}

TEST(Settings, BadPageCountsAreReportedAndNothingIsStored) {
    RecordingPorts ports;
    RecordingSettingsHost host;
    TSetDlg dlg(&host);
    dlg.ControlValues().PaperXCountEdit = "2";
    dlg.ControlValues().PaperYCountEdit = "zwei";
    dlg.ControlValues().CheckBoxShadow = false;
    EXPECT_FALSE(dlg.Apply(false));
    ASSERT_EQ(ports.messages.size(), 1u);
    EXPECT_NE(ports.messages[0].find("用紙縦方向枚数"), std::string::npos) << ports.messages[0];
    EXPECT_NE(ports.messages[0].find("zwei"), std::string::npos) << ports.messages[0];
    EXPECT_EQ(dlg.StoredValues().PaperX, 1);
    EXPECT_EQ(dlg.StoredValues().Shadow, 1);
    EXPECT_TRUE(host.log.empty());

    dlg.ControlValues().PaperYCountEdit = "99999999999";
    EXPECT_FALSE(dlg.Apply(false));
    EXPECT_EQ(ports.messages.size(), 2u);

    // Zero means "as many as needed".
    host.needed = {2, 1};
    dlg.ControlValues().PaperXCountEdit = "0";
    dlg.ControlValues().PaperYCountEdit = " 4 ";
    EXPECT_TRUE(dlg.Apply(false));
    EXPECT_EQ(dlg.StoredValues().PaperX, 2);
    EXPECT_EQ(dlg.StoredValues().PaperY, 4);
}

TEST(Settings, WithoutADiagramOkStoresNothing) {
    RecordingSettingsHost host;
    host.hasDiagram = false;
    TSetDlg dlg(&host);
    dlg.ControlValues().PaperXCountEdit = "5";
    EXPECT_TRUE(dlg.Apply(true));
    EXPECT_EQ(dlg.StoredValues().PaperX, 1);
    EXPECT_TRUE(host.log.empty());
    // Cancel puts the controls back.
    dlg.Cancel();
    EXPECT_EQ(dlg.ControlValues().PaperXCountEdit, "1");
}

TEST(Settings, PrinterPaperChangedAfterSavingCountsAsModified) {
    RecordingSettingsHost host;
    TSetDlg dlg(&host);
    dlg.MarkModified();
    Lines saved;
    dlg.WriteItems(saved);
    dlg.ClearModified();
    EXPECT_FALSE(dlg.IsModified());
    for (const auto& [size, orientation, modified] : {std::tuple{9, 2, true}, {9, 1, false}, {8, 1, true}}) {
        host.paper.sizeCode = size;
        host.paper.orientation = orientation;
        EXPECT_EQ(dlg.IsModified(), modified) << size << "," << orientation;
    }
}

TEST(Settings, ResetKeepsThePaperButNothingElse) {
    RecordingSettingsHost host;
    TSetDlg dlg(&host);
    ASSERT_FALSE(dlg.ReadItems({"[SET ITEM]", "PaperX 6", "Notation 0", "PageSize 12", "PageOrientation 2",
                                "PageWidth 5000"})
                     .has_value());
    EXPECT_TRUE(Logged(host, "SetPaper:12,2"));
    dlg.MarkModified();
    dlg.ResetToStartValues();
    EXPECT_EQ(dlg.StoredValues(), (TSetDlg::Values{.PageSize = 12, .PageOrientation = 2}));
    EXPECT_EQ(dlg.ControlValues().PaperXCountEdit, "1");
    EXPECT_FALSE(dlg.IsModified());  // the printer was set to 12, 2 by the reading
}

TEST(Settings, ShownColumnsShadowAndRelationNamesComeFromTheControls) {
    const struct {
        int selectField;
        bool shadow;
        bool relationNames;
        int flags;
    } cases[] = {{0, false, false, TSetDlg::kKeyColumnsOnly},
                 {1, false, false, 0},
                 {2, false, false, TSetDlg::kTableNameOnly},
                 {1, true, false, TSetDlg::kShadow},
                 {1, false, true, TSetDlg::kRelationNames},
                 {2, true, true, TSetDlg::kTableNameOnly | TSetDlg::kShadow | TSetDlg::kRelationNames}};
    for (const auto& c : cases) {
        TSetDlg dlg;
        dlg.ControlValues().SelectField = c.selectField;
        dlg.ControlValues().CheckBoxShadow = c.shadow;
        dlg.ControlValues().CheckBoxRelationName = c.relationNames;
        EXPECT_EQ(dlg.DisplayFlags() & 0xFF, c.flags) << c.selectField << c.shadow << c.relationNames;
    }
}
