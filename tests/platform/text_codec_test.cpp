// CP932 at the file boundary: the Windows-31J table, characters that cannot
// be written, undecodable bytes with their place, the byte-order mark, and
// lines decoded in pieces.
#include "base/text_codec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "base/file_io.h"
#include "support/thrown.h"

using namespace tabulorix;
using tabulorix::testing::Thrown;
using Lines = std::vector<std::string>;

namespace {

// Windows-31J extensions, half-width katakana and ordinary Japanese, with the
// CP932 bytes of the code table. 表 and ソ carry 0x5C ("\") as trail byte.
const std::string kJapanese = "～－①髙ｱｲｳ日本語の表ソ";
const std::string kJapaneseCp932 =
    "\x81\x60\x81\x7C\x87\x40\xFB\xFC\xB1\xB2\xB3\x93\xFA\x96\x7B\x8C\xEA\x82\xCC"
    "\x95\x5C\x83\x5C";

// The error names the place (offset and line, also in its text) and what
// stands there.
void ExpectNamed(const std::optional<TextCodecError>& e, std::size_t byteOffset, int line,
                 const std::string& shown) {
    ASSERT_TRUE(e);
    EXPECT_EQ(std::pair(e->byteOffset(), e->line()), std::pair(byteOffset, line));
    EXPECT_NE(std::string(e->what()).find(shown), std::string::npos) << e->what();
    EXPECT_NE(std::string(e->what()).find(std::to_string(line) + " 行目"), std::string::npos) << e->what();
}

}  // namespace

TEST(TextCodec, Windows31JTextRoundTripsAndFileTextIsCp932) {
    EXPECT_TRUE(IsCp932Representable(kJapanese));
    EXPECT_EQ(EncodeCp932(kJapanese), kJapaneseCp932);
    EXPECT_EQ(DecodeCp932(kJapaneseCp932), kJapanese);
    const std::string ascii("A,\"b\"\r\n\t\0z\\", 12);  // control characters and NUL pass unchanged
    EXPECT_EQ(EncodeCp932(ascii), ascii);
    EXPECT_EQ(DecodeCp932(ascii), ascii);
    const EncodedText plain = EncodeFileText(kJapanese);
    EXPECT_EQ(std::pair(plain.encoding, plain.bytes), std::pair(TextEncoding::Cp932, kJapaneseCp932));
    EXPECT_FALSE(plain.firstNonCp932);
    const DecodedText back = DecodeFileText(kJapaneseCp932);
    EXPECT_EQ(std::pair(back.encoding, back.utf8), std::pair(TextEncoding::Cp932, kJapanese));
}

// Line ends made while encoding: every line feed becomes CR LF and a last
// line without one gets CR LF, in CP932 as in the UTF-8 a file falls back
// to; a carriage return already there stays. By default nothing changes.
TEST(TextCodec, FileTextGetsItsCrLfLineEndsWhileEncoded) {
    const std::string bom(kUtf8Bom);
    const struct {
        std::string text;
        std::string bytes;
        int unrepresentableLine;  // 0: the file is CP932
    } cases[] = {
        {"", "", 0},
        {"a\n\n", "a\r\n\r\n", 0},
        {"a\nb", "a\r\nb\r\n", 0},
        {"表\nソ", "\x95\x5C\r\n\x83\x5C\r\n", 0},
        {"x\r\ny\n", "x\r\r\ny\r\n", 0},
        {"表\n〜", bom + "表\r\n〜\r\n", 2},
        {"〜\n\n", bom + "〜\r\n\r\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const EncodedText file = EncodeFileText(c.text, LineFeeds::ToCrLf);
        EXPECT_EQ(file.bytes, c.bytes);
        EXPECT_EQ(file.encoding, c.unrepresentableLine == 0 ? TextEncoding::Cp932 : TextEncoding::Utf8Bom);
        EXPECT_EQ(file.firstNonCp932 ? file.firstNonCp932->line : 0, c.unrepresentableLine);
    }
    EXPECT_EQ(EncodeFileText("a\nb").bytes, "a\nb");
}

// The first character CP932 cannot hold, with its place: some encode without
// an error but come back as others (〜 − ‖ ¥ as ～ － ∥ "\"). A file with one
// is written as UTF-8 with a byte-order mark; plain encoding refuses it.
TEST(TextCodec, TheFirstUnrepresentableCharacterIsNamedWithItsPlace) {
    const struct {
        std::string text;
        std::string character;
        char32_t codePoint;
        std::size_t byteOffset;
        int line;
    } cases[] = {
        {"ab〜", "〜", U'\u301C', 2, 1},
        {"ab−", "−", U'\u2212', 2, 1},
        {"ab‖", "‖", U'\u2016', 2, 1},
        {"ab¥", "¥", U'\u00A5', 2, 1},
        {"ab\r\n表〜😀", "〜", U'\u301C', 7, 2},
        {"表\n\n😀−", "😀", U'\U0001F600', 5, 3},
        {"表 a\n社員〜", "〜", U'\u301C', 12, 2},  // in a later run of Japanese, past ASCII
        {"ok\r\nx−y", "−", U'\u2212', 5, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(IsCp932Representable(c.text));
        const auto first = FindFirstNonCp932(c.text);
        ASSERT_TRUE(first);
        EXPECT_EQ(std::tie(first->character, first->codePoint, first->byteOffset, first->line),
                  std::tie(c.character, c.codePoint, c.byteOffset, c.line));
        const EncodedText file = EncodeFileText(c.text);
        EXPECT_EQ(std::pair(file.encoding, file.bytes),
                  std::pair(TextEncoding::Utf8Bom, std::string(kUtf8Bom) + c.text));
        EXPECT_EQ(DecodeFileText(file.bytes).utf8, c.text);
        ExpectNamed(Thrown<TextCodecError>([&] { EncodeCp932(c.text); }), c.byteOffset, c.line,
                    first->Describe());
    }
    EXPECT_EQ(FindFirstNonCp932("ab〜")->Describe(), "〜 (U+301C)");
    EXPECT_FALSE(FindFirstNonCp932(kJapanese));
    for (const std::string bad : {"\xFF", "a\xC3", "\xC0\xAF"}) {  // not UTF-8: truncated, overlong "/"
        EXPECT_FALSE(IsCp932Representable(bad));
        EXPECT_THROW(EncodeCp932(bad), TextCodecError);
    }
}

// Bytes that are no CP932 character are reported with their offset and line
// in the whole text, by every decoder; a BOM counts in the file's offsets.
TEST(TextCodec, UndecodableBytesAreReportedWithOffsetAndLine) {
    const std::string bom(kUtf8Bom);
    const struct {
        std::string bytes;
        std::size_t byteOffset;
        int line;
        std::string shown;
    } cases[] = {
        {"ok\r\nline\r\x82\xA0\x85\x40 rest", 11, 3, "0x85 0x40"},  // an unassigned double-byte code
        {"\x95\x5C ok\n\x82\xA0\x85\x40", 8, 2, "0x85 0x40"},       // in a later run
        {"a\nb\x81", 3, 2, "0x81"},                                 // a lead byte at the very end
        {"a\x80", 1, 1, "0x80"},
        {"a\xA0", 1, 1, "0xA0"},
        {"a\xFD", 1, 1, "0xFD"},
        {bom + "ok\nbad \xFF", 10, 2, "0xFF"},  // UTF-8 after a BOM
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown + " at " + std::to_string(c.byteOffset));
        ExpectNamed(Thrown<TextCodecError>([&] { DecodeFileText(c.bytes); }), c.byteOffset, c.line, c.shown);
        EXPECT_FALSE(DecodeCp932Lines(c.bytes)) << "left to DecodeFileText";
    }
    EXPECT_TRUE(HasUtf8Bom(bom + "x"));
    EXPECT_FALSE(HasUtf8Bom("\xEF\xBB"));
    const DecodedText utf8 = DecodeFileText(bom + "〜 − 😀\r\n");
    EXPECT_EQ(std::pair(utf8.encoding, utf8.utf8),
              std::pair(TextEncoding::Utf8Bom, std::string("〜 − 😀\r\n")));
}

// Every kind of line end, empty lines, a last line without an end, and 0x5C
// trail bytes (表 and ソ), which are not line ends: the lines decoded at once
// are the lines of the decoded text.
TEST(TextCodec, Cp932LinesAreTheLinesOfTheDecodedText) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"\n", {""}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"\r\r\n", {"", ""}},  // CR then CR LF: two line ends
        {"x\n\ry", {"x", "", "y"}},
        {"A\r\n\r\n" + kJapaneseCp932 + "\rB\n\x95\x5C\r\r\nC \x83\x5C\n\nlast",
         {"A", "", kJapanese, "B", "表", "", "C ソ", "", "last"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeCp932Lines(c.bytes), std::optional<Lines>(c.lines)) << c.bytes;
        EXPECT_EQ(SplitLines(DecodeCp932(c.bytes)), c.lines) << c.bytes;
    }
    EXPECT_FALSE(DecodeCp932Lines(std::string(kUtf8Bom) + "x\n"));
}

TEST(TextCodec, LinesOfALargeTextCutInPiecesAreTheLinesOfTheWhole) {
    // Several megabytes, so that pieces are decoded on two threads; every
    // kind of line end and Japanese lines fall at the cuts.
    std::string bytes;
    for (int i = 0; bytes.size() < (std::size_t{7} << 19); ++i) {
        bytes += "\"row" + std::to_string(i) + "\",\"" + kJapaneseCp932 + "\"";
        bytes += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r";
        if (i % 7 == 0) bytes += "\r\n";
    }
    bytes += "last";
    const auto lines = DecodeCp932Lines(bytes);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, SplitLines(DecodeCp932(bytes)));
    // A fault in the last piece or in a middle one is found as in the first.
    const std::string damagedAtEnd = bytes.substr(0, bytes.size() - 4) + "\x85\x40st";
    EXPECT_FALSE(DecodeCp932Lines(damagedAtEnd));
    EXPECT_THROW(DecodeCp932(damagedAtEnd), TextCodecError);
    std::string damagedInMiddle = bytes;
    damagedInMiddle.replace(bytes.size() / 2, 2, "\x85\x40");
    EXPECT_FALSE(DecodeCp932Lines(damagedInMiddle));
}
