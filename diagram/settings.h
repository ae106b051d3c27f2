// The settings of the diagram: page grid, page numbers, notation, shadow,
// shown columns, relationship names, and the printer paper the diagram was
// laid out with.
//
// `TSetDlg` is the model of the settings dialog "設定". It keeps the stored
// values (what is saved in the design file's "[SET ITEM]" section) apart from
// the control values (what the dialog's edits, combo boxes, check boxes and
// radio group currently show); apply reads the controls, the GUI binds them.
// It reaches the diagram and the drawing box only through SettingsHost, so it
// runs without a window and is tested with a recording host.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tabulorix {

// Printer paper as the drawing box reports it.
struct PaperInfo {
    int sizeCode = 0;       // Windows paper size code (9 = A4, 8 = A3, ...)
    int orientation = 0;    // 1 portrait, 2 landscape
    double pageWidth = 0;   // printer pixels
    double pageHeight = 0;  // printer pixels
    double pixelsPerInch = 0;
};

struct PageGrid {
    int across = 1;
    int down = 1;
    bool operator==(const PageGrid&) const = default;
};

// What the settings need from the diagram and the drawing box. The main
// window and the command line implement it over the real ones.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    // Whether the schema model holds a diagram.
    virtual bool HasDiagram() const = 0;
    // The pages the diagram's extent needs on the current paper (1 x 1 while
    // the diagram has no drawing surface).
    virtual PageGrid PagesNeeded() const = 0;
    virtual void SetPageCount(int across, int down) = 0;
    // SetZoom with the window's zoom, mode 1 (resets the scroll ranges).
    virtual void SetWindowZoom() = 0;
    // SetZoom 100, mode 1.
    virtual void SetZoom100() = 0;
    // Writes the display flags into every table shape.
    virtual void HandDisplayFlags(int flags) = 0;
    // Hands the display flags to the diagram, which clears the paper and
    // redraws.
    virtual void ApplyDisplayFlags(int flags) = 0;
    virtual PaperInfo GetPaperInfo() const = 0;
    // Writes paper size code and orientation into the printer settings and
    // re-measures the paper.
    virtual void SetPaper(int sizeCode, int orientation) = 0;
};

// A "[SET ITEM]" value that is not a whole number.
struct SettingsReadError {
    std::string key;
    std::string value;
    int lineIndex = 0;  // 0-based index into the lines handed to ReadItems
    std::string message;
};

class TSetDlg {
public:
    // Display flag bits handed to every box.
    static constexpr int kTableNameOnly = 0x01;
    static constexpr int kRelationNames = 0x02;
    static constexpr int kShadow = 0x08;
    static constexpr int kKeyColumnsOnly = 0x20;
    static constexpr int kIdef1x = 0x100;
    static constexpr int kIndexMarks = 0x200;
    static constexpr int kIndexCharMarks = 0x400;

    // Page counts above this are refused: the page grid in world units must
    // stay far inside the integer range.
    static constexpr int kMaxPages = 1000;

    // The stored values under their "[SET ITEM]" keys.
    struct Values {
        int PaperX = 1;
        int PaperY = 1;
        int PagePosition = 0;  // 0 "下-右" .. 6 "なし"
        int PageNoForm = 0;    // 0 running number, 1 row-column
        int Notation = 3;      // 0 .. 3, see NotationItems
        int Shadow = 1;        // 1 yes, otherwise no
        int TableItem = 0;     // 0 keys and indexed columns, 1 all columns, 2 table name only
        int ForeignName = 0;   // 1 yes, otherwise no
        int PageSize = 0;      // printer paper size code at save time
        int PageOrientation = 0;
        double PageWidth = 0;
        double PageHeight = 0;
        double PixelsPerInch = 0;
        bool operator==(const Values&) const = default;
    };

    // What the dialog's controls show, under the controls' names.
    struct Controls {
        std::string PaperXCountEdit = "1";
        std::string PaperYCountEdit = "1";
        int ComboBoxPagePos = 0;
        int ComboBoxPageNoForm = 0;
        int ComboBoxNotation = 3;
        bool CheckBoxShadow = true;
        bool CheckBoxRelationName = false;
        int SelectField = 0;  // radio group index
        bool operator==(const Controls&) const = default;
    };

    // The host is not owned and may be set later (nullptr: no diagram).
    explicit TSetDlg(tabulorix::SettingsHost* host = nullptr);

    void SetHost(tabulorix::SettingsHost* host) { host_ = host; }

    const Values& StoredValues() const { return values_; }
    // Stores values directly (the connection dialog sets the page count and
    // the shown columns this way) and shows them in the controls.
    void StoreValues(const Values& values);

    Controls& ControlValues() { return controls_; }
    const Controls& ControlValues() const { return controls_; }

    // Loads the controls from the stored values.
    void Show();
    // The dialog was cancelled: the controls go back to the stored values so
    // that nothing drawn shows a choice that was not taken.
    void Cancel();

    // The display flags: check boxes and radio group from the controls,
    // notation from the stored value.
    int DisplayFlags() const;
    // Computes the display flags and hands them to the diagram (redraw).
    void ApplyDisplayFlags();

    // Takes the controls' values (OK button, printing, printer set-up); see
    // the source for the steps. Returns false when a page count is not a
    // whole number or too large: the message has been shown and nothing is
    // stored. Without a diagram nothing happens and the result is true.
    bool Apply(bool force);

    // The page number placement the paint pass draws with.
    int PagePositionForDrawing() const { return controls_.ComboBoxPagePos; }
    int PageNoFormForDrawing() const { return controls_.ComboBoxPageNoForm; }

    bool IsModified() const;
    void MarkModified() { modified_ = true; }
    void ClearModified() { modified_ = false; }

    // Start values of everything except PageSize and PageOrientation; the
    // controls show them.
    void ResetToStartValues();

    // Appends the 13 "key value" lines of the "[SET ITEM]" section, the paper
    // refreshed from the printer first.
    void WriteItems(std::vector<std::string>& lines);
    // Reads the "[SET ITEM]" section from the lines of a design file. Returns
    // the first value that is not a whole number; the keys before it are
    // stored, nothing after it.
    std::optional<tabulorix::SettingsReadError> ReadItems(const std::vector<std::string>& lines);

    // Captions of the combo boxes and the radio group, in index order.
    static const std::vector<std::string>& PagePositionItems();
    static const std::vector<std::string>& PageNoFormItems();
    static const std::vector<std::string>& NotationItems();
    static const std::vector<std::string>& TableItemItems();

private:
    bool ParsePageCount(const std::string& text, const char* caption, int& result) const;
    bool StoreItem(const std::string& key, int value);

    tabulorix::SettingsHost* host_;
    Values values_;
    Controls controls_;
    bool modified_ = false;
};

}  // namespace tabulorix
