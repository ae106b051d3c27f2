#include "render/emf_action.h"

#include "render/draw_box.h"

namespace tabulorix {

namespace {

// The picture steps around one recording: begin starts it (false when the
// page is past the grid), end finishes it (false when the picture could not
// be saved).
template <typename Begin, typename End>
bool RunPictureSteps(ZMGDrawBox& box, int& windowZoom, const DiagramRepaint& repaint, Begin begin, End end) {
    const int rememberedZoom = windowZoom;
    windowZoom = 100;
    box.SetZoom(100, 1);
    repaint.ApplyDisplayFlags();
    repaint.ApplyDiagramFont();
    repaint.Repaint();

    const bool recorded = begin();
    try {
        repaint.ApplyDisplayFlags();  // draws into the picture
        repaint.Repaint();
    } catch (...) {
        end();  // the view comes back even when drawing failed
        box.SelectConsole();
        throw;
    }
    const bool saved = end();
    box.SelectConsole();

    windowZoom = rememberedZoom;
    box.SetZoom(windowZoom, 1);
    repaint.ApplyDisplayFlags();
    return recorded && saved;
}

}  // namespace

bool OutputEmfPicture(ZMGDrawBox& box, int page, const std::string& fileName, int& windowZoom,
                      const DiagramRepaint& repaint) {
    return RunPictureSteps(
        box, windowZoom, repaint, [&] { return box.BeginEmf(page, fileName); }, [&] { return box.EndEmf(); });
}

bool OutputPicture(ZMGDrawBox& box, int page, Canvas& target, int& windowZoom,
                   const DiagramRepaint& repaint) {
    return RunPictureSteps(
        box, windowZoom, repaint, [&] { return box.BeginPicture(page, target); },
        [&] {
            box.EndPicture();
            return true;
        });
}

}  // namespace tabulorix
