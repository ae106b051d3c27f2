// The diagram: the boxes (tables, views, texts, the legend) in drawing
// order, the relationship lines and the selection band. There is at most one
// diagram in the process; the schemas create and destroy it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "diagram/object_list.h"
#include "diagram/shape_relation.h"
#include "diagram/shape_table.h"

namespace tabulorix {

class ZMGDrawBox;
class DiagramPaintCache;

// Largest right and bottom edge of the placed boxes (world units).
struct MGDiagramExtent {
    int right = 0;
    int bottom = 0;
};

// Pages across and down that the placed boxes need.
struct MGPageCounts {
    int across = 1;
    int down = 1;
};

class MGDrawTableList {
public:
    explicit MGDrawTableList(ZMGDrawBox* drawBox);
    ~MGDrawTableList();
    MGDrawTableList(const MGDrawTableList&) = delete;
    MGDrawTableList& operator=(const MGDrawTableList&) = delete;

    // The drawing box a new diagram is bound to; set once by the main window.
    static void SetDefaultDrawBox(ZMGDrawBox* drawBox);
    static ZMGDrawBox* DefaultDrawBox();
    // The diagram, or nothing when no schema exists.
    static MGDrawTableList* Current();
    // Creates the diagram, bound to the default drawing box, when none exists.
    static MGDrawTableList& EnsureCurrent();
    // Destroys the diagram with all its boxes and relations.
    static void DestroyCurrent();

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    // 0 idle, 1 pressed on a shape, 2 dragging.
    int DragMode() const { return dragMode_; }
    void SetDragMode(int mode) { dragMode_ = mode; }
    MGShapeSelect& SelectionBand() { return *band_; }
    ZMGObjectList& Boxes() { return boxes_; }
    const ZMGObjectList& Boxes() const { return boxes_; }
    ZMGObjectList& Relations() { return relations_; }
    const ZMGObjectList& Relations() const { return relations_; }
    ZMGDrawBox* DrawBox() const { return drawBox_; }
    // What the paint keeps between paints (spread line ends, grids).
    tabulorix::DiagramPaintCache& PaintCache() { return *paintCache_; }

    // Destroys all relations, then all boxes.
    void Clear();
    // Appends the box numbered (largest object number in the box list) + 1.
    MGShapeTable& AddBox(std::unique_ptr<MGShapeTable> box);
    // Appends the relation as it is (the relation builder numbers the pairs).
    MGShapeRelation& AddRelation(std::unique_ptr<MGShapeRelation> relation);

    int Count() const { return boxes_.Count(); }
    // The i-th box, or nothing past the end.
    MGShapeTable* Item(int i) const;
    int RelationCount() const { return relations_.Count(); }
    MGShapeRelation* RelationItem(int i) const;

    // The first box in list order whose owner and name equal the given ones
    // exactly, or nothing.
    MGShapeTable* FindBox(const std::string& owner, const std::string& name) const;

    // The other object of a relation's pair (same relation number, the other
    // twin flag). When there is none, "SYSTEM ERROR peer relation" is shown
    // and nothing is returned.
    MGShapeRelation* FindTwin(const MGShapeRelation& relation) const;

    // Every box back to state 0 (not placed).
    void ResetStates();
    // Writes the display flags into every box and marks it for measuring.
    void ApplyDisplayFlags(int flags);
    void ApplySchemaCount(int count);
    // Largest right and bottom over the boxes in state 1 or 2, from 0.
    MGDiagramExtent PlacedExtent() const;
    // across = (right - 1) div paperW + 1, down = (bottom - 1) div paperH + 1;
    // a paper size that is not positive counts as one page.
    MGPageCounts PageCounts(int paperW, int paperH) const;

private:
    struct KeyHash {
        std::size_t operator()(const std::pair<std::string, std::string>& key) const;
    };
    void UpdateIndex() const;
    void UpdateTwinIndex() const;

    bool modified_ = false;
    int dragMode_ = 0;
    std::unique_ptr<MGShapeSelect> band_;
    ZMGObjectList boxes_;
    ZMGObjectList relations_;
    ZMGDrawBox* drawBox_;  // not owned
    std::unique_ptr<tabulorix::DiagramPaintCache> paintCache_;

    // Index (owner, name) -> first position in the box list, kept in step
    // with the list: new boxes are taken in as they appear, removals and
    // renames of indexed boxes rebuild it.
    mutable std::unordered_map<std::pair<std::string, std::string>, int, KeyHash> index_;
    mutable int indexedCount_ = 0;
    mutable std::uint64_t indexedRemovalVersion_ = 0;
    mutable std::uint64_t indexedNameGeneration_ = 0;
    // Index (relation number, twin flag) -> position in the relation list,
    // rebuilt when the list shrinks or changes.
    mutable std::unordered_map<std::uint64_t, int> twinIndex_;
    mutable int twinIndexedCount_ = 0;
    mutable std::uint64_t twinIndexedRemovalVersion_ = 0;
    // Largest object number over the first numberedCount_ boxes.
    int largestNumber_ = 0;
    int numberedCount_ = 0;
    std::uint64_t numberedRemovalVersion_ = 0;
};

}  // namespace tabulorix
