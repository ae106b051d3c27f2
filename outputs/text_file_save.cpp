#include "outputs/text_file_save.h"

#include "platform/file_io.h"
#include "platform/ui_ports.h"

void SaveTextFile(const std::string& path, const std::vector<std::string>& lines) {
    const tabulorix::EncodedText written = tabulorix::WriteTextLines(path, lines);
    if (written.encoding != tabulorix::TextEncoding::Utf8Bom) return;
    const std::string character = written.firstNonCp932 ? written.firstNonCp932->Describe() : std::string();
    tabulorix::ShowMessage(path + " には Shift-JIS で表せない文字 " + character +
                           " が含まれるため、UTF-8 (BOM 付き) で保存しました。");
}
