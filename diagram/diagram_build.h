// The diagram steps after the catalogue has been read (or a design file
// loaded): the legend, the key and index marks of the columns, the schema
// count, display flags and font, the automatic layout and the zoom. The
// relationship lines are built afterwards with BuildRelations.
#pragma once

#include <string>

namespace tabulorix {

class MGColumnPrintBook;
class MGDrawTableList;
class MGShapeLegend;
class ZMGDrawBox;

// Creates the legend box and appends it with numbering (it is then the last box).
MGShapeLegend& AddLegend(MGDrawTableList& diagram);

// For every table box: its primary-key, unique-constraint, foreign-key and
// index rows are marked with their key flag (foreign keys deleting on
// cascade also with the cascade flag), and every column of such a row gets
// the flag and the row's position as constraint number. Marks from an
// earlier run are forgotten first, so marking twice gives the same result.
// Columns are found by the prints of the book where it has them. The boxes
// are shared with the worker thread, which must not touch their key rows
// or column rows meanwhile.
void MarkKeys(MGDrawTableList& diagram, const MGColumnPrintBook* book = nullptr);

// Collapses every box and measures it again (after a font change).
void RemeasureAll(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode);

// Sets the diagram font (name, size as decimal text) on the drawing box and
// measures every box again. False, with nothing changed, for a size that is
// not a whole number of at least 1.
bool ApplyDiagramFont(MGDrawTableList& diagram, ZMGDrawBox& box, const std::string& fontName,
                      const std::string& fontSize, int displayMode);

// What the diagram steps take from the settings and the tool bar.
struct MGBuildSettings {
    int displayFlags = 0;
    int displayMode = 2;
    std::string fontName = "IPAPGothic";
    std::string fontSize = "9";
    int pagesAcross = 1;  // in/out: may grow
    int pagesDown = 1;    // in/out: may grow
};

// The steps after reverse engineering, in order: legend, mark keys, schema
// count, display flags and font, automatic layout of every box, zoom 100.
void BuildDiagramAfterReading(MGDrawTableList& diagram, ZMGDrawBox& box, int schemaCount,
                              MGBuildSettings& settings);

}  // namespace tabulorix
