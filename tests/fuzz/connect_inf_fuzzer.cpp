// The connection list file connect.inf, read by path as the connection
// dialog reads it.
#include <cstdlib>

#include "catalogue/connection_record.h"
#include "fuzz/fuzz_support.h"
#include "base/file_io.h"

using namespace tabulorix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tabulorix::fuzzing::MemoryFile file;
    const std::string_view bytes = tabulorix::fuzzing::AsText(data, size);
    file.Write(bytes);
    const std::vector<MGUserInfo> records = ReadConnectInf(file.Path());
    if (records.size() > tabulorix::SplitLines(bytes).size()) std::abort();
    for (const std::string& line : tabulorix::SplitLines(bytes)) {
        if (TokenizeConnectLine(line).size() != 5) std::abort();
    }
    return 0;
}
