// The layout lines of the design file's "[TABLE LAYOUT]" section (one line
// "owner name left top" per box, in box-list order) and the rows of its
// "[TEXT]" section.
//
// Texts are written with owner "/" and the name "/" followed by their
// running number (1, 2, ...), the legend with owner "//" and its name
// "Legend"; writing gives the boxes these names in place, so that a loaded
// design whose texts are named the same way finds them again.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

class MGDrawTableList;
class ZMGCell;

// Message shown when the layout section holds a line that cannot be read.
inline constexpr const char* kLayoutReadError = "デザインファイルの読み込みエラーが発生しました。";

// The largest distance from the origin a layout line may place a box at
// (16,777,216 world units: far beyond any page grid the settings allow).
inline constexpr int kMaxLayoutPosition = 1 << 24;

// Gives the texts their "/" names ("/1", "/2", ...) and owner "/", and the
// legend its owner "//".
void NameTextsAndLegend(MGDrawTableList& diagram);

// Appends one layout line per box (after naming texts and legend).
void WriteLayoutLines(MGDrawTableList& diagram, std::vector<std::string>& lines);

// Appends one row per text box to target: name, text, font name, font size
// and the style letters "B", "I", "U" (in that order, empty for none).
void WriteTextRows(MGDrawTableList& diagram, ZMGCell& target);

// Reads the lines after the first "[TABLE LAYOUT]" line up to the end or the
// next line starting with "[": every line that names a box (first box in
// list order with that owner and name) places it at the given left and top
// (size kept, state 1); a placed text is renamed "/" with owner "/" so no
// later line matches it. Lines naming no box are ignored. An empty line or a
// position that is not a whole number within kMaxLayoutPosition is shown
// once with the message kLayoutReadError and skipped; the other lines still
// place their boxes, and the result is then false.
bool ReadLayoutLines(MGDrawTableList& diagram, const std::vector<std::string>& lines);

}  // namespace tabulorix
