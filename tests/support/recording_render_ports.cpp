#include "support/recording_render_ports.h"

#include <utility>

using namespace tabulorix;

namespace tabulorix::testing {

RecordingPaintBox::RecordingPaintBox(int width, int height) : width(width), height(height) {}

void RecordingScrollBar::SetPosition(int newPosition) {
    position = newPosition;
    positionsSet.push_back(newPosition);
}

bool RecordingClipboard::PutEmf(const std::vector<std::uint8_t>& bytes) {
    if (!succeed) return false;
    pictures.push_back(bytes);
    return true;
}

RecordingPrinter::RecordingPrinter(double pageWidth, double pageHeight, double resolution)
    : pageWidth(pageWidth), pageHeight(pageHeight), canvas(resolution) {}

PaperSettingsResult RecordingPrinter::ReadPaperSettings() {
    ++reads;
    return settings;
}

PaperSettingsResult RecordingPrinter::WritePaperSettings(int paperSize, int orientation) {
    ++writes;
    if (settings.status != PaperSettingsResult::Status::Ok) return settings;
    settings.paperSize = paperSize;
    settings.orientation = orientation;
    if ((orientation == kOrientationLandscape) != (pageWidth > pageHeight)) std::swap(pageWidth, pageHeight);
    return settings;
}

}  // namespace tabulorix::testing
