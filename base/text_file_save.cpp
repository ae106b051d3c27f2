#include "base/text_file_save.h"

#include <cstddef>
#include <optional>

#include "base/file_io.h"
#include "base/text_codec.h"
#include "base/ui_ports.h"

namespace tabulorix {

namespace {

// The file's text: every line ends with CR LF, and a value written with
// line breaks inside (a view source, a condition) continues on further
// physical lines that end with CR LF like the others, whether the value broke
// its lines with LF or CR LF. Each line is freed once it is in the text.
std::string CrLfText(std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (std::string& line : lines) {
        std::size_t start = 0;
        for (std::size_t at; (at = line.find('\n', start)) != std::string::npos; start = at + 1) {
            const std::size_t end = at > start && line[at - 1] == '\r' ? at - 1 : at;
            text.append(line, start, end - start);
            text += "\r\n";
        }
        text.append(line, start);
        text += "\r\n";
        std::string().swap(line);
    }
    return text;
}

}  // namespace

namespace {

// A file saved as UTF-8 because CP932 cannot hold one of its characters is
// worth a word to the user.
void TellWhenUtf8(const std::string& path, const tabulorix::EncodedText& written) {
    if (written.encoding != tabulorix::TextEncoding::Utf8Bom) return;
    const std::string character = written.firstNonCp932 ? written.firstNonCp932->Describe() : std::string();
    tabulorix::ShowMessage(path + " には Shift-JIS で表せない文字 " + character +
                           " が含まれるため、UTF-8 (BOM 付き) で保存しました。");
}

}  // namespace

void SaveText(const std::string& path, std::string text) {
    TellWhenUtf8(path, tabulorix::WriteTextFile(path, std::move(text)));
}

void SaveLineFeedText(const std::string& path, std::string_view text) {
    TellWhenUtf8(path, tabulorix::WriteTextFile(path, text, tabulorix::LineFeeds::ToCrLf));
}

void SaveTextFile(const std::string& path, std::vector<std::string> lines) {
    // The lines go straight into the file's bytes, each freed once it is in,
    // so a file of tens of megabytes is never held as text and bytes at once.
    std::string bytes;
    const std::optional<std::size_t> stop = tabulorix::EncodeCp932CrLfLines(lines, bytes);
    if (!stop) {
        std::vector<std::string>().swap(lines);
        tabulorix::WriteFileAtomically(path, bytes);
        return;
    }
    // A line CP932 cannot hold: the file is saved from its whole text, the
    // lines already encoded taken back from their bytes (UTF-8 with the
    // message, or the error naming the place of text that is not UTF-8).
    std::string text = tabulorix::DecodeCp932(bytes);
    std::string().swap(bytes);
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(*stop));
    text += CrLfText(lines);
    std::vector<std::string>().swap(lines);
    SaveText(path, std::move(text));
}

}  // namespace tabulorix
