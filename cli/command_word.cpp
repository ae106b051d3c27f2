// tabulorix-cli word: the Word action into a .docx file.
#include "cli/commands.h"
#include "cli/design_command.h"

namespace tabulorix::cli {
namespace {

int RunWord(const ParsedOptions& options) {
    const std::string out = *options.Value("output");
    auto design = OpenDesign("word", options.Positional());
    if (!design) return kExitFailure;
    HeadlessDocument& document = *design->document;
    if (!document.ExportWord(document.Clipboard(), out))
        return kExitFailure;  // "Wordへの出力に失敗しました" has been shown
    return kExitOk;
}

}  // namespace

Command WordCommand() {
    return Command{
        CommandSpec{"word",
                    "Write the diagram as a Word document (.docx), one picture per page.",
                    "DESIGN.tlx",
                    {OutputOption("OUT.docx", "The document to write (replaced as a whole).")},
                    {"Every page of the design's page grid becomes an EMF picture on a page of its\n"
                     "own, in page order (rows of pages, left to right), scaled to fit the page.\n"
                     "The document's pages have the paper size stored in the design, in portrait\n"
                     "when the stored orientation is portrait (1) and in landscape otherwise."}},
        &RunWord};
}

}  // namespace tabulorix::cli
