#include "outputs/text_file_save.h"

#include "platform/file_io.h"
#include "platform/ui_ports.h"

namespace {

// A value written with line breaks inside (a view source, a condition)
// continues on further physical lines; every one of them ends with CR LF
// like the others, whether the value broke its lines with LF or CR LF.
std::vector<std::string> PhysicalLines(const std::vector<std::string>& lines) {
    std::vector<std::string> physical;
    physical.reserve(lines.size());
    for (const std::string& line : lines) {
        std::size_t start = 0;
        for (std::size_t at; (at = line.find('\n', start)) != std::string::npos; start = at + 1) {
            const std::size_t end = at > start && line[at - 1] == '\r' ? at - 1 : at;
            physical.push_back(line.substr(start, end - start));
        }
        physical.push_back(line.substr(start));
    }
    return physical;
}

}  // namespace

void SaveTextFile(const std::string& path, const std::vector<std::string>& lines) {
    const tabulorix::EncodedText written = tabulorix::WriteTextLines(path, PhysicalLines(lines));
    if (written.encoding != tabulorix::TextEncoding::Utf8Bom) return;
    const std::string character = written.firstNonCp932 ? written.firstNonCp932->Describe() : std::string();
    tabulorix::ShowMessage(path + " には Shift-JIS で表せない文字 " + character +
                           " が含まれるため、UTF-8 (BOM 付き) で保存しました。");
}
