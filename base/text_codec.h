// Text encodings at the file boundary.
//
// Inside the program every text is UTF-8. Files exchanged with the Windows
// edition (design files, SQL scripts, CSV files) are CP932 — Shift-JIS with
// the Windows-31J extensions (～ － ① 髙, NEC and IBM extensions, half-width
// katakana). A text that CP932 cannot represent is written as UTF-8 with a
// byte-order mark instead; on reading a BOM means UTF-8, anything else CP932.
//
// Conversion goes through iconv's "CP932" converter. Representability is
// decided by encoding and decoding back: a few characters (〜 U+301C,
// − U+2212, ‖, ¬, ¥ ...) encode without error but come back as another
// character, and would silently change the text if taken as representable.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tabulorix {

enum class TextEncoding { Cp932, Utf8Bom };

// "CP932" or "UTF-8 (BOM)", for messages telling the user what was written.
const char* EncodingName(TextEncoding encoding);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A text that could not be converted. The message names the problem and its
// place; the fields give the place for callers that add a file name.
class TextCodecError : public std::runtime_error {
public:
    TextCodecError(const std::string& message, std::size_t byteOffset, int line);
    // Offset of the offending byte or character in the input, 0-based.
    std::size_t byteOffset() const { return byteOffset_; }
    // Line of the offending byte or character, 1-based; lines end at CR LF,
    // CR or LF.
    int line() const { return line_; }

private:
    std::size_t byteOffset_;
    int line_;
};

// The first character of a UTF-8 text that CP932 cannot hold.
struct UnrepresentableChar {
    std::string character;   // the character itself, UTF-8
    char32_t codePoint = 0;  // its Unicode code point
    std::size_t byteOffset = 0;
    int line = 1;
    // e.g. "〜 (U+301C)"
    std::string Describe() const;
};

// Nothing when the whole text round-trips through CP932; otherwise the first
// character that does not. Throws TextCodecError on invalid UTF-8.
std::optional<UnrepresentableChar> FindFirstNonCp932(std::string_view utf8);

// True when every character of the UTF-8 text round-trips through CP932.
// Invalid UTF-8 is not representable.
bool IsCp932Representable(std::string_view utf8);

// UTF-8 to CP932 bytes. Throws TextCodecError naming the first character
// that CP932 cannot represent (or the first invalid UTF-8 byte).
std::string EncodeCp932(std::string_view utf8);

// CP932 bytes to UTF-8. Throws TextCodecError naming the byte offset and
// line of the first byte sequence that is not CP932.
std::string DecodeCp932(std::string_view bytes);

// Checks that a text is valid UTF-8; throws TextCodecError at the first
// invalid byte.
void ValidateUtf8(std::string_view bytes);

bool HasUtf8Bom(std::string_view bytes);

// The lines of a CP932 text (no UTF-8 BOM), each decoded to UTF-8: lines
// end at CR LF, CR or LF, and a last line without an end counts when it is
// not empty. Nothing when the text starts with a UTF-8 BOM or does not
// decode (DecodeFileText tells where); this spares the copy of the whole
// decoded text that splitting it afterwards needs.
std::optional<std::vector<std::string>> DecodeCp932Lines(std::string_view bytes);

struct DecodedText {
    std::string utf8;
    TextEncoding encoding = TextEncoding::Cp932;
};

// The content of a file as text: with a UTF-8 BOM the rest is UTF-8
// (validated, BOM removed), otherwise CP932. Throws TextCodecError.
DecodedText DecodeFileText(std::string_view bytes);

struct EncodedText {
    std::string bytes;
    TextEncoding encoding = TextEncoding::Cp932;
    // Why UTF-8 was chosen: the first character CP932 cannot hold.
    std::optional<UnrepresentableChar> firstNonCp932;
};

// Appends the CP932 bytes of the lines to bytes, every line ended by CR LF
// and the line breaks inside a line (LF or CR LF) written as CR LF; each line
// is emptied once its bytes are in. Returns the position of the first line
// CP932 cannot hold or that is not valid UTF-8 (the bytes then hold the
// lines before it, and it and the lines after it are kept), nothing when
// every line was encoded.
std::optional<std::size_t> EncodeCp932CrLfLines(std::vector<std::string>& lines, std::string& bytes);

// How the line feeds of a text reach its file: as they are, or each as CR LF
// with CR LF after a last line that has no line feed.
enum class LineFeeds { Kept, ToCrLf };

// Appends a text to out with every line ended by CR LF: each line feed
// becomes CR LF, and a last line without one gets CR LF too.
void AppendWithCrLf(std::string_view text, std::string& out);

// The bytes of a file for a UTF-8 text: CP932 when it represents the whole
// text, else UTF-8 with a BOM. With LineFeeds::ToCrLf the line ends are made
// while encoding, so no copy of the text with CR LF is made first. Throws
// TextCodecError on invalid UTF-8.
EncodedText EncodeFileText(std::string_view utf8, LineFeeds feeds = LineFeeds::Kept);

}  // namespace tabulorix
