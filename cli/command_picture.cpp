// tabulorix-cli picture: one page or all pages of the diagram as an EMF
// picture (the EMF action), or the same drawing as SVG, PNG or PDF.
#include "cli/commands.h"
#include "cli/design_command.h"
#include "session/picture_output.h"

namespace tabulorix::cli {
namespace {

MGPictureFormat FormatOf(const std::string& format) {
    if (format == "svg") return MGPictureFormat::Svg;
    if (format == "pdf") return MGPictureFormat::Pdf;
    return MGPictureFormat::Png;
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
    std::string error;
    if (WritePictureFile(document, FormatOf(format), page, out, error)) return kExitOk;
    return Fail("picture", error);
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
