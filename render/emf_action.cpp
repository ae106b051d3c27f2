#include "render/emf_action.h"

#include "render/draw_box.h"

namespace tabulorix {

bool OutputEmfPicture(ZMGDrawBox& box, int page, const std::string& fileName, int& windowZoom,
                      const DiagramRepaint& repaint) {
    const int rememberedZoom = windowZoom;
    windowZoom = 100;
    box.SetZoom(100, 1);
    repaint.ApplyDisplayFlags();
    repaint.ApplyDiagramFont();
    repaint.Repaint();

    const bool recorded = box.BeginEmf(page, fileName);
    try {
        repaint.ApplyDisplayFlags();  // draws into the metafile
        repaint.Repaint();
    } catch (...) {
        box.EndEmf();  // the view comes back even when drawing failed
        box.SelectConsole();
        throw;
    }
    const bool saved = box.EndEmf();
    box.SelectConsole();

    windowZoom = rememberedZoom;
    box.SetZoom(windowZoom, 1);
    repaint.ApplyDisplayFlags();
    return recorded && saved;
}

}  // namespace tabulorix
