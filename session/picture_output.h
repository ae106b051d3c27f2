// The diagram's picture (the EMF action's steps: zoom 100, no page frames
// or numbers, the page's top-left at the origin) drawn through the Qt
// canvas as an SVG, PNG or PDF file, and as the PNG and SVG renditions that
// go on the clipboard beside the EMF. The command line's `picture` and the
// window's copy both use these.
#pragma once

#include <optional>
#include <string>

namespace tabulorix {

class MGDesignDocument;

enum class MGPictureFormat { Svg, Png, Pdf };

// Writes page (0: all pages) in the format to path, atomically. False with
// the reason in error when the page is outside the grid or the file cannot
// be written.
bool WritePictureFile(MGDesignDocument& document, MGPictureFormat format, int page, const std::string& path,
                      std::string& error);

// The same picture as the bytes of a PNG image and of an SVG document;
// nothing when the page is outside the grid or a rendition failed.
struct MGPictureRenditions {
    std::string png;
    std::string svg;
};
std::optional<MGPictureRenditions> DrawPictureRenditions(MGDesignDocument& document, int page);

}  // namespace tabulorix
