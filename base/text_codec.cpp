#include "base/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <system_error>

#include "base/worker_thread.h"

namespace tabulorix {

namespace {

// Where and why an iconv conversion stopped.
struct ConversionStop {
    std::size_t offset = 0;   // input offset of the sequence that failed
    bool incomplete = false;  // the input ends inside a multi-byte sequence
};

class Iconv {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::system_error(errno, std::generic_category(),
                                    std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Iconv() { iconv_close(handle_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much of the input as possible, handing the output to sink
    // piece by piece (through a buffer of fixed size, so a large text needs
    // no scratch space of its own size). Returns where the conversion
    // stopped, or nothing when all of it converted.
    template <typename Sink>
    std::optional<ConversionStop> ConvertInto(std::string_view in, Sink sink) {
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[kBufferSize];
        while (true) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            sink(std::string_view(buffer, sizeof buffer - outLeft));
            if (rc != static_cast<std::size_t>(-1)) break;
            if (error == E2BIG) continue;
            const std::size_t offset = in.size() - inLeft;
            return ConversionStop{offset, error == EINVAL};
        }
        return std::nullopt;
    }

private:
    iconv_t handle_;
};

// The 1-based line of a byte offset; lines end at CR LF, CR or LF. Valid for
// UTF-8 and CP932 alike, whose multi-byte sequences never contain CR or LF.
int LineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))) ++line;
    }
    return line;
}

std::string HexBytes(std::string_view bytes) {
    std::string result;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%s0x%02X", result.empty() ? "" : " ", c);
        result += hex;
    }
    return result;
}

std::string Place(std::size_t offset, int line) {
    return "(" + std::to_string(line) + " 行目、先頭から " + std::to_string(offset + 1) + " バイト目)";
}

// Length of the UTF-8 sequence starting at text[i], or 0 when invalid.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t cp = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

char32_t Utf8CodePoint(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) return lead;
    char32_t cp = lead & (0x7F >> sequence.size());
    for (std::size_t k = 1; k < sequence.size(); ++k) {
        cp = (cp << 6) | (static_cast<unsigned char>(sequence[k]) & 0x3F);
    }
    return cp;
}

UnrepresentableChar CharacterAt(std::string_view utf8, std::size_t offset) {
    UnrepresentableChar result;
    const std::size_t length = Utf8SequenceLength(utf8, offset);
    result.character = std::string(utf8.substr(offset, length == 0 ? 1 : length));
    result.codePoint = Utf8CodePoint(result.character);
    result.byteOffset = offset;
    result.line = LineAt(utf8, offset);
    return result;
}

// Start of the first character where two UTF-8 texts differ.
std::size_t FirstDifference(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    while (i > 0 && i < a.size() && (static_cast<unsigned char>(a[i]) & 0xC0) == 0x80) --i;
    return i;
}

// Back to the start of the UTF-8 character holding the offset.
std::size_t MoveToCharacterStart(std::string_view text, std::size_t i) {
    while (i > 0 && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
    return i;
}

struct Cp932Attempt {
    std::string bytes;
    std::optional<UnrepresentableChar> failure;
};

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// CP932 and UTF-8 both keep ASCII as it is, and most of what this system
// writes and reads is ASCII, so only the runs of other characters go
// through iconv; the ASCII between them is copied.
std::size_t AsciiRunLength(std::string_view text, std::size_t i) {
    std::size_t end = i;
    while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) ++end;
    return end - i;
}

// Whether every byte is below 0x80 (one pass without branches).
bool IsAscii(std::string_view text) {
    unsigned char any = 0;
    for (const char c : text) any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// A run of UTF-8 characters that are not ASCII: every byte is 0x80 or above.
std::size_t Utf8RunLength(std::string_view text, std::size_t i) {
    std::size_t end = i;
    while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
    return end - i;
}

// A run of CP932 characters that are not ASCII. A double-byte character's
// trail byte may lie in the ASCII range, so it goes with its lead byte (a
// lead byte at the very end stays alone and iconv reports it incomplete).
std::size_t Cp932RunLength(std::string_view text, std::size_t i) {
    std::size_t end = i;
    while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) {
        end += IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    }
    return std::min(end, text.size()) - i;
}

// Encodes the run utf8[start, start + length) onto bytes and decodes it back;
// the first character that fails to encode or comes back as another one is
// the failure.
std::optional<UnrepresentableChar> EncodeCp932Run(Iconv& encoder, Iconv& decoder, std::string_view utf8,
                                                  std::size_t start, std::size_t length, std::string& bytes) {
    const std::string_view run = utf8.substr(start, length);
    const std::size_t encodedFrom = bytes.size();
    const auto stop = encoder.ConvertInto(run, [&bytes](std::string_view piece) { bytes.append(piece); });
    const std::string_view encodedPart = run.substr(0, stop ? stop->offset : run.size());

    // Decoded back piece by piece and compared with the text as it comes.
    std::size_t matched = 0;
    std::optional<std::size_t> difference;
    decoder.ConvertInto(std::string_view(bytes).substr(encodedFrom), [&](std::string_view piece) {
        if (difference) return;
        const std::string_view expected =
            encodedPart.substr(std::min(matched, encodedPart.size()), piece.size());
        if (expected != piece) {
            std::string_view back = piece;
            if (expected.size() < back.size()) back = back.substr(0, expected.size() + 1);
            difference = matched + FirstDifference(expected, back);
        }
        matched += piece.size();
    });
    if (!difference && matched != encodedPart.size()) difference = std::min(matched, encodedPart.size());
    if (difference) return CharacterAt(utf8, MoveToCharacterStart(utf8, start + *difference));
    if (stop) return CharacterAt(utf8, start + stop->offset);
    return std::nullopt;
}

bool IsValidUtf8Text(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// Appends a piece of a text with each of its line feeds written as CR LF.
void AppendCrLfPiece(std::string_view piece, std::string& out) {
    std::size_t start = 0;
    for (std::size_t feed; (feed = piece.find('\n', start)) != std::string_view::npos; start = feed + 1) {
        out.append(piece.substr(start, feed - start));
        out += "\r\n";
    }
    out.append(piece.substr(start));
}

// CR LF after a last line that has no line feed of its own.
void EndLastLine(std::string_view text, std::string& out) {
    if (!text.empty() && text.back() != '\n') out += "\r\n";
}

// The number of bytes a text grows by when its lines are ended by CR LF.
std::size_t CrLfGrowth(std::string_view text) {
    if (text.empty()) return 0;
    const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return feeds + (text.back() == '\n' ? 0 : 2);
}

// Appends the CP932 bytes of a text; stops at the first character CP932
// cannot hold (the bytes before it stay). Line feeds are ASCII, so only the
// ASCII runs can hold those that become CR LF.
std::optional<UnrepresentableChar> AppendCp932(Iconv& encoder, Iconv& decoder, std::string_view utf8,
                                               std::string& bytes, LineFeeds feeds = LineFeeds::Kept) {
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t ascii = AsciiRunLength(utf8, i);
        if (feeds == LineFeeds::ToCrLf)
            AppendCrLfPiece(utf8.substr(i, ascii), bytes);
        else
            bytes.append(utf8.substr(i, ascii));
        i += ascii;
        if (i == utf8.size()) break;
        const std::size_t run = Utf8RunLength(utf8, i);
        if (auto failure = EncodeCp932Run(encoder, decoder, utf8, i, run, bytes)) return failure;
        i += run;
    }
    return std::nullopt;
}

// Encodes to CP932; the bytes are complete when there is no failure.
Cp932Attempt TryEncodeCp932(std::string_view utf8, LineFeeds feeds = LineFeeds::Kept) {
    ValidateUtf8(utf8);
    Cp932Attempt attempt;
    attempt.bytes.reserve(utf8.size() + (feeds == LineFeeds::ToCrLf ? CrLfGrowth(utf8) : 0));
    Iconv encoder("CP932", "UTF-8");
    Iconv decoder("UTF-8", "CP932");
    attempt.failure = AppendCp932(encoder, decoder, utf8, attempt.bytes, feeds);
    if (!attempt.failure && feeds == LineFeeds::ToCrLf) EndLastLine(utf8, attempt.bytes);
    return attempt;
}

// Decodes CP932 onto utf8; where the bytes cannot be decoded.
std::optional<ConversionStop> DecodeCp932Into(Iconv& decoder, std::string_view bytes, std::string& utf8) {
    utf8.reserve(utf8.size() + bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t ascii = AsciiRunLength(bytes, i);
        utf8.append(bytes.substr(i, ascii));
        i += ascii;
        if (i == bytes.size()) break;
        const std::size_t run = Cp932RunLength(bytes, i);
        const auto stop = decoder.ConvertInto(bytes.substr(i, run),
                                              [&utf8](std::string_view piece) { utf8.append(piece); });
        if (stop) return ConversionStop{i + stop->offset, stop->incomplete};
        i += run;
    }
    return std::nullopt;
}

std::optional<ConversionStop> DecodeCp932Into(std::string_view bytes, std::string& utf8) {
    Iconv decoder("UTF-8", "CP932");
    return DecodeCp932Into(decoder, bytes, utf8);
}

// Appends a line of CP932 bytes as a UTF-8 string; false when it does not
// decode. Lines of ASCII only (most lines of a design file) are copied.
bool AppendCp932Line(std::string_view line, bool ascii, std::optional<Iconv>& decoder,
                     std::vector<std::string>& lines) {
    if (ascii) {
        lines.emplace_back(line);
        return true;
    }
    if (!decoder) decoder.emplace("UTF-8", "CP932");
    return !DecodeCp932Into(*decoder, line, lines.emplace_back());
}

}  // namespace

const char* EncodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Cp932 ? "CP932" : "UTF-8 (BOM)";
}

TextCodecError::TextCodecError(const std::string& message, std::size_t byteOffset, int line)
    : std::runtime_error(message), byteOffset_(byteOffset), line_(line) {}

std::string UnrepresentableChar::Describe() const {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    return character + " (" + code + ")";
}

void ValidateUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            const int line = LineAt(bytes, i);
            throw TextCodecError("UTF-8 として正しくないバイト " + HexBytes(bytes.substr(i, 1)) +
                                     " があります " + Place(i, line),
                                 i, line);
        }
        i += length;
    }
}

std::optional<UnrepresentableChar> FindFirstNonCp932(std::string_view utf8) {
    return TryEncodeCp932(utf8).failure;
}

bool IsCp932Representable(std::string_view utf8) {
    try {
        return !FindFirstNonCp932(utf8).has_value();
    } catch (const TextCodecError&) {
        return false;
    }
}

std::string EncodeCp932(std::string_view utf8) {
    Cp932Attempt attempt = TryEncodeCp932(utf8);
    if (attempt.failure) {
        const UnrepresentableChar& c = *attempt.failure;
        throw TextCodecError(
            "文字 " + c.Describe() + " は CP932 で表せません (" + std::to_string(c.line) + " 行目)",
            c.byteOffset, c.line);
    }
    return std::move(attempt.bytes);
}

std::string DecodeCp932(std::string_view bytes) {
    std::string utf8;
    const auto stop = DecodeCp932Into(bytes, utf8);
    if (!stop) return utf8;
    const int line = LineAt(bytes, stop->offset);
    if (stop->incomplete) {
        throw TextCodecError("CP932 の文字 " + HexBytes(bytes.substr(stop->offset)) +
                                 " が途中で終わっています " + Place(stop->offset, line),
                             stop->offset, line);
    }
    // Show the lead byte and, for a double-byte lead, its trail byte.
    const auto lead = static_cast<unsigned char>(bytes[stop->offset]);
    const bool doubleByte = IsCp932LeadByte(lead);
    const std::string_view shown = bytes.substr(stop->offset, doubleByte ? 2 : 1);
    throw TextCodecError(
        "CP932 として読めないバイト " + HexBytes(shown) + " があります " + Place(stop->offset, line),
        stop->offset, line);
}

namespace {

std::optional<std::vector<std::string>> DecodeLinesOf(std::string_view bytes) {
    // CR and LF are never the second byte of a CP932 character, so the
    // lines of the bytes are the lines of the text.
    std::vector<std::string> lines;
    std::optional<Iconv> decoder;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lineFeed = std::min(bytes.find('\n', start), bytes.size());
        // A CR ends the line too (searched only up to the line feed).
        std::string_view line = bytes.substr(start, lineFeed - start);
        line = line.substr(0, line.find('\r'));
        std::size_t end = start + line.size();
        if (!AppendCp932Line(line, IsAscii(line), decoder, lines)) return std::nullopt;
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::optional<std::vector<std::string>> DecodeCp932Lines(std::string_view bytes) {
    if (HasUtf8Bom(bytes)) return std::nullopt;
    // A large text is cut after line feeds into pieces of about 1 MiB, which
    // this thread and the worker decode at once, each taking the next piece.
    constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t lineFeed = bytes.find('\n', std::min(start + kPieceBytes, bytes.size()));
        const std::size_t end = lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1;
        pieces.push_back(bytes.substr(start, end - start));
        start = end;
    }
    if (pieces.size() <= 1) return DecodeLinesOf(bytes);
    std::vector<std::optional<std::vector<std::string>>> decoded(pieces.size());
    ShareWithWorker(pieces.size(), [&](std::size_t k) { decoded[k] = DecodeLinesOf(pieces[k]); });
    std::size_t total = 0;
    for (const auto& piece : decoded) {
        if (!piece) return std::nullopt;
        total += piece->size();
    }
    std::vector<std::string> lines;
    lines.reserve(total);
    for (auto& piece : decoded) std::move(piece->begin(), piece->end(), std::back_inserter(lines));
    return lines;
}

std::optional<std::size_t> EncodeCp932CrLfLines(std::vector<std::string>& lines, std::string& bytes) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    bytes.reserve(bytes.size() + size);
    Iconv encoder("CP932", "UTF-8");
    Iconv decoder("UTF-8", "CP932");
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (!IsValidUtf8Text(line)) return k;
        const std::size_t before = bytes.size();
        std::size_t start = 0;
        for (;;) {
            const std::size_t feed = std::min(line.find('\n', start), line.size());
            const std::size_t end =
                feed > start && feed < line.size() && line[feed - 1] == '\r' ? feed - 1 : feed;
            if (AppendCp932(encoder, decoder, line.substr(start, end - start), bytes)) {
                bytes.resize(before);
                return k;
            }
            bytes += "\r\n";
            if (feed == line.size()) break;
            start = feed + 1;
        }
        std::string().swap(lines[k]);
    }
    return std::nullopt;
}

bool HasUtf8Bom(std::string_view bytes) {
    return bytes.starts_with(kUtf8Bom);
}

DecodedText DecodeFileText(std::string_view bytes) {
    if (!HasUtf8Bom(bytes)) return {DecodeCp932(bytes), TextEncoding::Cp932};
    const std::string_view body = bytes.substr(kUtf8Bom.size());
    try {
        ValidateUtf8(body);
    } catch (const TextCodecError& e) {
        // Report the place in the file, BOM included.
        const std::size_t offset = e.byteOffset() + kUtf8Bom.size();
        throw TextCodecError("UTF-8 として正しくないバイト " + HexBytes(bytes.substr(offset, 1)) +
                                 " があります " + Place(offset, e.line()),
                             offset, e.line());
    }
    return {std::string(body), TextEncoding::Utf8Bom};
}

void AppendWithCrLf(std::string_view text, std::string& out) {
    out.reserve(out.size() + text.size() + CrLfGrowth(text));
    AppendCrLfPiece(text, out);
    EndLastLine(text, out);
}

EncodedText EncodeFileText(std::string_view utf8, LineFeeds feeds) {
    Cp932Attempt attempt = TryEncodeCp932(utf8, feeds);
    EncodedText result;
    if (!attempt.failure) {
        result.bytes = std::move(attempt.bytes);
        result.encoding = TextEncoding::Cp932;
        return result;
    }
    std::string().swap(attempt.bytes);
    result.bytes.append(kUtf8Bom);
    if (feeds == LineFeeds::ToCrLf) {
        AppendWithCrLf(utf8, result.bytes);
    } else {
        result.bytes.reserve(kUtf8Bom.size() + utf8.size());
        result.bytes.append(utf8);
    }
    result.encoding = TextEncoding::Utf8Bom;
    result.firstNonCp932 = std::move(attempt.failure);
    return result;
}

}  // namespace tabulorix
