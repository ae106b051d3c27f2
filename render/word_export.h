// The Word export: the diagram as a Word document (.docx), one picture per
// page of the page grid in page order (rows of pages, left to right), each
// picture an enhanced metafile on a page of its own, scaled to fit inside
// the page margins with its aspect ratio kept. The document's pages have
// the printer's paper size, in portrait when the printer's orientation code
// is 1 and in landscape otherwise (an unreadable orientation, -1, included).
//
// The document is a minimal WordprocessingML package written with libzip:
// [Content_Types].xml, _rels/.rels, word/document.xml,
// word/_rels/document.xml.rels and word/media/imageN.emf.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/clipboard_tap.h"
#include "render/paint_hooks.h"
#include "render/printer_output.h"

namespace tabulorix {

class ZMGDrawBox;

// The message shown when the export fails.
inline constexpr const char* kWordExportFailed = "Wordへの出力に失敗しました";

// One page picture: the EMF bytes and the picture's size in world units
// (1/96 inch at zoom 100).
struct WordPicture {
    std::vector<std::uint8_t> emf;
    int width = 0;
    int height = 0;
};

// Page set-up of the document, in twips (1/1440 inch), already oriented:
// a landscape page is wider than high.
struct WordPageSetup {
    int pageWidth = 11906;  // A4
    int pageHeight = 16838;
    bool landscape = false;
    int margin = 720;  // on every side
};

// A document that could not be built.
class WordExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The page set-up for the printer's paper: the paper size code's sheet (the
// printable area when the code is unknown, A4 when that is unknown too),
// portrait for orientation 1, landscape for any other code.
WordPageSetup WordPageSetupFor(const ZMGPaperInfo& paper);

// The extent of a picture on the page in EMU (914400 per inch): its natural
// size (9525 EMU per world unit) scaled to fit inside the margins, aspect
// ratio kept.
struct WordExtent {
    long long cx = 0;
    long long cy = 0;
};
WordExtent FitPicture(const WordPicture& picture, const WordPageSetup& page);

// The bytes of the .docx package. Throws WordExportError.
std::string BuildWordDocument(const std::vector<WordPicture>& pictures, const WordPageSetup& page);

// Builds the document and saves it atomically. On failure shows
// "Wordへの出力に失敗しました" with the reason and returns false; an existing
// file of that name is then left as it was.
bool WriteWordDocument(const std::string& path, const std::vector<WordPicture>& pictures,
                       const WordPageSetup& page);

// The Word action on a diagram (the caller checks that there is one): every
// page of the drawing box's grid is recorded as a metafile through
// BeginEmf/EndEmf with an empty file name, which puts it on the clipboard,
// where the tap takes it; then the document is written to path. windowZoom
// is the window's zoom: set to 100 during the export and restored after it;
// after a failure it stays 100. The drawing box must have been built over the
// tap as its clipboard.
bool ExportDiagramToWord(ZMGDrawBox& box, ClipboardTap& clipboard, const std::string& path, int& windowZoom,
                         const DiagramRepaint& repaint);

}  // namespace tabulorix
