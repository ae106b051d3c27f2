// The diagram under the mouse: selecting boxes by click, Shift-click and the
// selection band, dragging the selection with inverted outlines, double
// clicks that open a table or edit a free text, creating and deleting free
// texts, and bringing a table into view. Coordinates are device pixels of
// the paint box; the window reaches the user through MGInteractionHost.
#pragma once

#include <string>
#include <vector>

#include "base/rect.h"

namespace tabulorix {

class MGDrawTableList;
class MGShapeRect;
class MGShapeTable;
class ZMGDrawBox;

// What the text dialog edits.
struct MGTextEntry {
    std::string text;
    std::string fontName;
    int fontSize = 9;
    int style = 0;  // 1 bold, 2 italic, 4 underline
};

class MGInteractionHost {
public:
    virtual ~MGInteractionHost() = default;
    virtual void SetDeleteTextEnabled(bool enabled) = 0;
    // A double click on a table, view, legend or relationship line (the
    // line's child): the window shows the box's details.
    virtual void RequestOpen(MGShapeTable& box) = 0;
    // A single click selected this box (the window follows in its tree).
    virtual void BoxClicked(MGShapeTable& /*box*/) {}
    // The text dialog over entry; false when cancelled.
    virtual bool AskText(MGTextEntry& entry) = 0;
    // The default font of a new text.
    virtual MGTextEntry DefaultText() const = 0;
};

enum class MGToolMode { Select = 1, PlaceText = 2 };

struct MGMouse {
    int x = 0;
    int y = 0;
    bool right = false;
    bool shift = false;
    bool doubleClick = false;
};

class MGDiagramInteraction {
public:
    MGDiagramInteraction(MGDrawTableList& diagram, ZMGDrawBox& box, MGInteractionHost& host, int displayMode)
        : diagram_(diagram), box_(box), host_(host), displayMode_(displayMode) {}

    void MouseDown(const MGMouse& mouse, MGToolMode mode);
    void MouseMove(int x, int y);
    void MouseUp(int x, int y);
    // Escape: a drag or band in progress ends where it started (outlines
    // erased, nothing moved); later moves and the release do nothing.
    void CancelDrag();
    // Every selected box back to normal; the number of boxes changed.
    int DeselectAll();
    // Removes the selected free texts (the design is not marked modified).
    void DeleteTexts();
    // Selects the box of that schema and name and scrolls it into the
    // middle of the view unless it is wholly in view already. False when
    // there is no such box.
    bool ShowTable(int schemaNumber, const std::string& name);

    int DragMode() const { return dragMode_; }

private:
    void PressBox(MGShapeTable& shape, const MGMouse& mouse);
    bool PressRelation(const MGMouse& mouse);
    void PressNothing(const MGMouse& mouse, MGToolMode mode);
    void EditText(MGShapeRect& text);
    void CreateText(int x, int y);
    void Select(MGShapeRect& shape);
    void BeginDrag(int x, int y);
    void DrawOutline(const Rect& world);
    void DrawBand();
    void Drop();
    void EndBand();
    void Invalidate(MGShapeTable& shape);
    bool AnyTextSelected() const;

    MGDrawTableList& diagram_;
    ZMGDrawBox& box_;
    MGInteractionHost& host_;
    int displayMode_;
    int dragMode_ = 0;
    std::vector<MGShapeTable*> dragged_;  // the selected boxes when the drag began, in list order
};

}  // namespace tabulorix
