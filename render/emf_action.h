// The EMF action: one page of the page grid, or all pages, recorded as an
// enhanced metafile at zoom 100 into a file or onto the clipboard (an empty
// file name). The picture has no page frames or page numbers.
//
// The EMF dialog belongs to the window; these are the steps after it.
#pragma once

#include <string>

#include "render/paint_hooks.h"

namespace tabulorix {

class ZMGDrawBox;

class Canvas;

// page 0 means all pages. The window's zoom is remembered and set to 100;
// SetZoom(100, mode 1), display flags, diagram font, repaint; BeginEmf; the
// display flags are applied again, which draws into the metafile; repaint;
// EndEmf; SelectConsole; then the remembered zoom is restored, SetZoom with
// it (mode 1) and the display flags applied again. True when a picture was
// recorded and saved; a page past the grid records nothing (false, no
// message); a picture that cannot be saved has been reported by EndEmf.
bool OutputEmfPicture(ZMGDrawBox& box, int page, const std::string& fileName, int& windowZoom,
                      const DiagramRepaint& repaint);

// The same steps drawing the picture onto another canvas (an SVG, PDF or
// image the caller then saves). False when the page is past the grid.
bool OutputPicture(ZMGDrawBox& box, int page, Canvas& target, int& windowZoom, const DiagramRepaint& repaint);

}  // namespace tabulorix
