// What the picture, print and Word actions ask of the window that shows the
// diagram. The actions only order the steps; the diagram, the settings and
// the paint box are reached through these callbacks, so the steps run the
// same in the GUI, on the command line and in tests.
#pragma once

#include <functional>

namespace tabulorix {

struct DiagramRepaint {
    // Hands the settings' display flags to the diagram, which clears the paper
    // and draws the whole diagram (shapes and page decorations) through the
    // drawing box's current output. Required.
    std::function<void()> applyDisplayFlags;
    // Applies the diagram font of the tool bar to the drawing box. Optional.
    std::function<void()> applyDiagramFont;
    // Applies the settings dialog's values (the page counts may grow to what
    // the diagram needs). Optional.
    std::function<void()> applySettings;
    // Repaints and updates the paint box. Optional.
    std::function<void()> repaint;

    void ApplyDisplayFlags() const {
        if (applyDisplayFlags) applyDisplayFlags();
    }
    void ApplyDiagramFont() const {
        if (applyDiagramFont) applyDiagramFont();
    }
    void ApplySettings() const {
        if (applySettings) applySettings();
    }
    void Repaint() const {
        if (repaint) repaint();
    }
};

}  // namespace tabulorix
