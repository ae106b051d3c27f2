// The measured steps of the benchmark program. Each step runs once per call
// and returns a count of what it produced, so the work cannot be skipped and
// a run can be checked for having done something.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tabulorix {
class HeadlessDocument;
}

namespace tabulorix::bench {

// The owners a design file holds, in reading order (the line after every
// "[SCHEMA]"): the owners the reverse engineering read.
std::vector<std::string> DesignOwners(const std::string& designPath);

// The eleven dictionary statements of every owner (the login user's in the
// USER_ form, the others in the ALL_ form), executed and fully fetched
// through one snapshot connection opened as the reader opens it. Returns
// the number of rows fetched.
std::size_t RunQueryFloor(const std::string& snapshot, const std::string& user, const std::string& password,
                          const std::vector<std::string>& owners);

// Opens the design file as the window's open action does (read, decode,
// parse, build, measure, place, relations). Returns the number of boxes.
std::size_t LoadDesign(tabulorix::HeadlessDocument& window, const std::string& designPath);
// Closes the loaded design (its schemas and diagram), so that the next load
// measures reading into an empty window, not the teardown of the last one.
void CloseDesign(tabulorix::HeadlessDocument& window);

// The column rows of the table and view boxes of the diagram.
std::size_t ColumnRowCount();

// The middle of the placed diagram, in world units: where the painted views
// are centred. Found once, outside the timed paints.
struct ViewCentre {
    int x = 0;
    int y = 0;
};
ViewCentre MiddleOfDiagram();

// Paints one width x height view at the zoom, centred on the centre, onto an
// image canvas. Returns the number of non-white pixels
// when countPixels is set (0 otherwise); the image is saved when pngPath is
// not empty.
struct PaintResult {
    std::size_t inkPixels = 0;
};
PaintResult PaintView(tabulorix::HeadlessDocument& window, const ViewCentre& centre, int width, int height,
                      int zoom, bool countPixels, const std::string& pngPath);

// The full creation script of every box, encoded as its file would be.
// Returns the number of bytes.
std::size_t GenerateCreationScript(tabulorix::HeadlessDocument& window);

// The nine CSV lists of every schema, encoded as their files would be.
// Returns the number of bytes.
std::size_t GenerateCsvLists(tabulorix::HeadlessDocument& window);

// A recovery copy of the loaded design: the lines are made (the part the
// window waits for) and then written to path (the part a worker does).
// Returns the seconds of each part.
struct RecoveryCopyTimes {
    double lines = 0;
    double write = 0;
};
RecoveryCopyTimes WriteRecoveryCopy(tabulorix::HeadlessDocument& window, const std::string& path);
// What the window does after a load to show the catalogue: the tree with a
// node per box, then the table list of the schema with the most boxes, its
// column widths measured over the first rows and a first screen of tree
// nodes and list rows made into display texts. Returns the rows listed.
std::size_t ShowCatalogue(tabulorix::HeadlessDocument& window);

}  // namespace tabulorix::bench
