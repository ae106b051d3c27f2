// The print action: the diagram printed one sheet per page of the page grid,
// the whole diagram drawn once per sheet with the paper's page origin moved
// to that page, so that only what falls on the page lands on the sheet.
//
// The print dialog belongs to the window; these are the steps after it.
#pragma once

#include "render/paint_hooks.h"

namespace tabulorix {

class ZMGDrawBox;

// The steps between the print dialog and the job: the window's zoom becomes
// 100 (and stays so after printing); SetZoom(100, mode 1); the display flags
// are applied; the paper is measured again (RefreshPaper); SetZoom with the
// window's zoom; the diagram font and the settings dialog's values are
// applied (which may raise the page counts to what the diagram needs).
void PreparePrinting(ZMGDrawBox& box, int& windowZoom, const DiagramRepaint& repaint);

struct PrintOutcome {
    bool ok = true;
    int sheets = 0;  // pages printed
};

// The job loop for the pages from .. to (numbered from 1 in rows of the grid):
// SelectPrinter, SetZoom(100, mode 1); for p = 1 .. to, pages below from are
// skipped and the loop ends at the first page outside the grid; the first
// page printed starts the job (BeginDoc), every later one a new sheet
// (NewPage); each sheet is drawn by applying the display flags. EndDoc
// follows when a job was started; then SelectConsole and a repaint.
// A failure (PrintError or any other exception) is shown with its own
// message; the job is still ended, the console selected again and the paint
// box repainted, and the outcome is not ok.
PrintOutcome PrintPages(ZMGDrawBox& box, int from, int to, const DiagramRepaint& repaint);

}  // namespace tabulorix
