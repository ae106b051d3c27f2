// The "[SET ITEM]" lines of a design file. What was read is written again
// and read back into fresh settings: the stored page grid, notation and
// flags must come back the same.
#include <cstdlib>

#include "diagram/settings.h"
#include "fuzz/fuzz_support.h"
#include "base/file_io.h"
#include "support/recording_host.h"

using namespace tabulorix;

namespace {

bool SameChoices(const TSetDlg::Values& a, const TSetDlg::Values& b) {
    return a.PaperX == b.PaperX && a.PaperY == b.PaperY && a.PagePosition == b.PagePosition &&
           a.PageNoForm == b.PageNoForm && a.Notation == b.Notation && a.Shadow == b.Shadow &&
           a.TableItem == b.TableItem && a.ForeignName == b.ForeignName;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tabulorix::testing;
    std::vector<std::string> lines = {"[SET ITEM]"};
    for (std::string& line : tabulorix::SplitLines(tabulorix::fuzzing::AsText(data, size))) {
        lines.push_back(std::move(line));
    }
    RecordingPorts ports;
    RecordingSettingsHost host;
    TSetDlg settings{&host};
    const auto error = settings.ReadItems(lines);
    if (error && (error->lineIndex <= 0 || error->lineIndex >= static_cast<int>(lines.size()))) std::abort();

    std::vector<std::string> written = {"[SET ITEM]"};
    settings.WriteItems(written);
    TSetDlg again{&host};
    if (again.ReadItems(written)) std::abort();  // what we write must read without complaint
    if (!SameChoices(settings.StoredValues(), again.StoredValues())) std::abort();
    return 0;
}
