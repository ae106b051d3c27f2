// tabulorix-cli picture: one page or all pages of the diagram as an EMF
// picture (the EMF action), or the same drawing as SVG, PNG or PDF.
#include <QBuffer>
#include <QImage>

#include "base/file_io.h"
#include "cli/commands.h"
#include "cli/design_command.h"
#include "diagram/draw_table_list.h"
#include "platform/qt_canvas.h"

namespace tabulorix::cli {
namespace {

bool Failed(const std::string& text) {
    Fail("picture", text);
    return false;
}

std::unique_ptr<QtCanvas> MakeCanvas(const std::string& format, const std::string& out, const TextSize& size,
                                     std::string& error) {
    if (format == "svg") return QtCanvas::ForSvgFile(out, size.width, size.height, &error);
    if (format == "pdf") return QtCanvas::ForPdfFile(out, size.width, size.height, &error);
    return QtCanvas::ForImage(size.width, size.height);
}

bool SavePicture(const std::string& format, const std::string& out, QtCanvas& canvas) {
    std::string error;
    if (format != "png") {
        if (canvas.Finish(&error)) return true;
        return Failed("cannot write " + out + (error.empty() ? "" : ": " + error));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (canvas.Image() == nullptr || !canvas.Image()->save(&buffer, "PNG"))
        return Failed("cannot encode the PNG picture");
    try {
        WriteFileAtomically(out, std::string_view(bytes.constData(), std::size_t(bytes.size())));
    } catch (const FileError& failure) {
        return Failed(failure.what());
    }
    return true;
}

// The picture of the EMF action drawn on a Qt surface of the picture's size:
// zoom 100, the page's top-left at (0, 0), no page frames or numbers.
bool DrawQtPicture(HeadlessDocument& document, const std::string& format, int page, const std::string& out) {
    const auto size = document.DrawBox().Console().PictureSize(page);
    if (!size) return Failed("page " + std::to_string(page) + " is outside the page grid");
    std::string error;
    const std::unique_ptr<QtCanvas> canvas = MakeCanvas(format, out, *size, error);
    if (!canvas || !canvas->IsActive())
        return Failed("cannot create " + out + (error.empty() ? "" : ": " + error));
    document.DrawPicture(page, *canvas);
    return SavePicture(format, out, *canvas);
}

int RunPicture(const ParsedOptions& options) {
    const std::string format = *options.ChoiceValue("format", {"emf", "svg", "png", "pdf"});
    const int page = options.IntValue("page", 0, 1000 * 1000).value_or(0);
    const std::string out = *options.Value("output");
    auto design = OpenDesign("picture", options.Positional());
    if (!design) return kExitFailure;
    HeadlessDocument& document = *design->document;
    int pagesX = 1;
    int pagesY = 1;
    document.DrawBox().GetPageCount(pagesX, pagesY);
    if (page > pagesX * pagesY) {
        return Fail("picture", std::string("ページ番号が範囲外です。 (--page ") + std::to_string(page) +
                                   ", the design has pages 1 - " + std::to_string(pagesX * pagesY) + ")");
    }
    if (format == "emf") {
        const bool saved = document.SaveEmf(page, out);
        return saved ? kExitOk : kExitFailure;  // "Failed to save EMF file" has been shown
    }
    return DrawQtPicture(document, format, page, out) ? kExitOk : kExitFailure;
}

}  // namespace

Command PictureCommand() {
    return Command{
        CommandSpec{
            "picture",
            "Write one page or all pages of the diagram as EMF, SVG, PNG or PDF.",
            "DESIGN.tlx",
            {OptionSpec{"format", 'f', "FORMAT", "emf, svg, png or pdf.", true},
             OptionSpec{"page", 0, "N", "The page to write, numbered from 1 in rows; 0 or none: all pages."},
             OutputOption("OUT", "The picture file to write.")},
            {"The picture is drawn at zoom 100 % (one unit per 1/96 inch) without page\n"
             "numbers; a page is paper-sized, all pages are the whole page grid. EMF is\n"
             "the EMF action's picture (no page frames); SVG, PNG and PDF are the same\n"
             "drawing through the Qt canvas and show the page frames as the window does."}},
        &RunPicture};
}

}  // namespace tabulorix::cli
