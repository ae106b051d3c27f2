#include "render/print_job.h"

#include <exception>
#include <string>

#include "base/ui_ports.h"
#include "render/draw_box.h"

namespace tabulorix {

void PreparePrinting(ZMGDrawBox& box, int& windowZoom, const DiagramRepaint& repaint) {
    windowZoom = 100;
    box.SetZoom(100, 1);
    repaint.ApplyDisplayFlags();
    box.RefreshPaper();
    box.SetZoom(windowZoom, 1);
    repaint.ApplyDiagramFont();
    repaint.ApplySettings();
}

namespace {

// Ends a job after a failure; a second failure is shown as well.
void EndAfterFailure(ZMGDrawBox& box) {
    try {
        box.EndDoc();
    } catch (const std::exception& failure) {
        ShowAbortWarning(failure.what());
    }
}

}  // namespace

PrintOutcome PrintPages(ZMGDrawBox& box, int from, int to, const DiagramRepaint& repaint) {
    PrintOutcome outcome;
    bool jobStarted = false;
    box.SelectPrinter();
    try {
        box.SetZoom(100, 1);
        for (int p = 1; p <= to; ++p) {
            if (p < from) continue;
            if (!box.SelectPage(p)) break;
            if (!jobStarted) {
                jobStarted = true;
                box.BeginDoc();
            } else {
                box.NewPage();
            }
            repaint.ApplyDisplayFlags();  // clears the sheet and draws the diagram on it
            ++outcome.sheets;
        }
        if (jobStarted) box.EndDoc();
    } catch (const std::exception& failure) {
        outcome.ok = false;
        ShowAbortWarning(failure.what());
        if (jobStarted) EndAfterFailure(box);
    }
    box.SelectConsole();
    repaint.Repaint();
    return outcome;
}

}  // namespace tabulorix
