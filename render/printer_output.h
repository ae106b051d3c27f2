// The paper output: the diagram mapped to printer pixels, one page of the
// page grid per sheet, with the printer's paper settings and print job.
//
// Paper mapping: device x = trunc(zoom × scale × 0.01 × (x − pageOriginX −
// scrollOffsetX)) with scale = printer resolution ÷ screen resolution, so a
// world unit is as long on paper as a screen pixel at 100 %, and only the page
// whose origin is set lands on the sheet. Measurements are returned in screen
// pixels (divided by the scale) so that boxes have the same size everywhere.
//
// The print and printer set-up dialogs belong to the GUI, which runs them on
// the Qt printer behind the PrinterPort and then calls Refresh.
#pragma once

#include "render/output.h"

namespace tabulorix {

// The printer's paper as the settings store it.
struct ZMGPaperInfo {
    int paperSize = 0;      // printer paper size code (9 = A4), -1 after a failed read
    int orientation = 0;    // 1 portrait, 2 landscape, -1 after a failed read
    double pageWidth = 0;   // printable area, printer pixels
    double pageHeight = 0;  // printable area, printer pixels
    double resolution = 0;  // printer pixels per inch
};

class ZMGPrinter final : public ZMGOutput {
public:
    // Set-up: the paper is measured, the printer canvas becomes the canvas and
    // the scale is computed. The paper settings are read at the first Refresh.
    ZMGPrinter(tabulorix::PaintBoxPort& paintBox, tabulorix::PrinterPort& printer);
    ~ZMGPrinter() override;

    void MeasurePageNumberBox(int& width, int& height) override;
    void ClearPaper() override;
    // Numbers only (no frames on paper), always the running number.
    void DrawPageDecorations(bool framePass, int pagePosition, int pageNumberForm) override;
    int MapX(int x) override;
    int MapY(int y) override;
    void TextExtent(const std::string& text, int& width, int& height) override;
    void TextExtentWorld(const std::string& text, int& width, int& height) override;

    // Reads the printer again: paper, canvas, font, scale and paper settings.
    void Refresh();
    ZMGPaperInfo GetPaperInfo() const;
    // Writes paper size code and orientation into the printer settings and
    // refreshes; false, after telling the user, when that failed.
    bool SetPaper(int paperSize, int orientation);

    void BeginDoc();
    void NewPage();
    void EndDoc();

private:
    void SetUpCanvas();
    void ReadPaperSettings();
    int ToScreen(double devicePixels) const;

    int paperSize_ = 0;
    int orientation_ = 0;
};

}  // namespace tabulorix
