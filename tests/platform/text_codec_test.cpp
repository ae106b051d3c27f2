#include "base/text_codec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "support/thrown.h"

using namespace tabulorix;
using tabulorix::testing::Thrown;

namespace {

// Windows-31J extensions, half-width katakana and ordinary Japanese, with the
// CP932 bytes of the code table. 表 and ソ carry 0x5C ("\") as trail byte.
const std::string kJapanese = "～－①髙ｱｲｳ日本語の表ソ";
const std::string kJapaneseCp932 =
    "\x81\x60"
    "\x81\x7C"
    "\x87\x40"
    "\xFB\xFC"
    "\xB1\xB2\xB3"
    "\x93\xFA\x96\x7B\x8C\xEA"
    "\x82\xCC"
    "\x95\x5C"
    "\x83\x5C";

}  // namespace

TEST(TextCodec, Windows31JExtensionsAndKatakanaRoundTrip) {
    EXPECT_TRUE(IsCp932Representable(kJapanese));
    EXPECT_EQ(EncodeCp932(kJapanese), kJapaneseCp932);
    EXPECT_EQ(DecodeCp932(kJapaneseCp932), kJapanese);
    // ASCII, control characters and NUL pass unchanged.
    const std::string ascii("A,\"b\"\r\n\t\0z", 11);
    EXPECT_EQ(EncodeCp932(ascii), ascii);
    EXPECT_EQ(DecodeCp932(ascii), ascii);
}

TEST(TextCodec, CharactersThatComeBackAsOthersAreNotRepresentable) {
    // These encode without an error but decode to ～, －, ∥ and "\".
    for (const std::string c : {"〜", "−", "‖", "¥"}) {
        EXPECT_FALSE(IsCp932Representable("ab" + c)) << c;
    }
    EXPECT_FALSE(IsCp932Representable("😀"));
    EXPECT_FALSE(IsCp932Representable("\xFF"));  // not UTF-8 at all
}

TEST(TextCodec, FirstOffendingCharacterIsNamedWithItsPlace) {
    // 〜 round-trips wrongly, 😀 cannot be encoded at all: the first one wins.
    const auto first = FindFirstNonCp932("ab\r\n表〜😀");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->character, "〜");
    EXPECT_EQ(first->codePoint, U'\u301C');
    EXPECT_EQ(first->byteOffset, 7u);
    EXPECT_EQ(first->line, 2);
    EXPECT_EQ(first->Describe(), "〜 (U+301C)");

    const auto emoji = FindFirstNonCp932("表\n\n😀−");
    ASSERT_TRUE(emoji.has_value());
    EXPECT_EQ(emoji->codePoint, U'\U0001F600');
    EXPECT_EQ(emoji->line, 3);

    EXPECT_FALSE(FindFirstNonCp932(kJapanese).has_value());

    // Found in a later run of Japanese text, past ASCII between the runs.
    const auto later = FindFirstNonCp932("表 a\n社員〜");
    ASSERT_TRUE(later.has_value());
    EXPECT_EQ(later->byteOffset, 12u);
    EXPECT_EQ(later->line, 2);
}

TEST(TextCodec, EncodingFailsNamingTheCharacter) {
    const auto e = Thrown<TextCodecError>([] { EncodeCp932("ok\r\nx−y"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line(), 2);
    EXPECT_EQ(e->byteOffset(), 5u);
    EXPECT_NE(std::string(e->what()).find("U+2212"), std::string::npos) << e->what();
    EXPECT_NE(std::string(e->what()).find("2 行目"), std::string::npos) << e->what();
    EXPECT_THROW(EncodeCp932("a\xC3"), TextCodecError);     // truncated UTF-8
    EXPECT_THROW(EncodeCp932("\xC0\xAF"), TextCodecError);  // overlong "/"
}

TEST(TextCodec, InvalidCp932BytesAreReportedWithOffsetAndLine) {
    // 0x85 0x40 is an unassigned double-byte code.
    const auto e = Thrown<TextCodecError>([] { DecodeCp932("ok\r\nline\r\x82\xA0\x85\x40 rest"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->byteOffset(), 11u);
    EXPECT_EQ(e->line(), 3);
    EXPECT_NE(std::string(e->what()).find("0x85 0x40"), std::string::npos) << e->what();
    EXPECT_NE(std::string(e->what()).find("3 行目"), std::string::npos) << e->what();
    // Trail bytes in the ASCII range belong to their lead byte (表 and ソ end
    // in 0x5C), and a fault in a later run is placed in the whole text.
    EXPECT_EQ(DecodeCp932("\x95\x5C\x83\x5C\\"), "表ソ\\");
    EXPECT_EQ(EncodeCp932("表ソ\\"), "\x95\x5C\x83\x5C\\");
    const auto later = Thrown<TextCodecError>([] { DecodeCp932("\x95\x5C ok\n\x82\xA0\x85\x40"); });
    ASSERT_TRUE(later);
    EXPECT_EQ(later->byteOffset(), 8u);
    EXPECT_EQ(later->line(), 2);
    // Single bytes that no CP932 character starts with.
    for (const std::string bad : {"\x80", "\xA0", "\xFD"}) {
        EXPECT_THROW(DecodeCp932("a" + bad), TextCodecError);
    }
    // A lead byte at the very end of the file.
    const auto truncated = Thrown<TextCodecError>([] { DecodeCp932("a\nb\x81"); });
    ASSERT_TRUE(truncated);
    EXPECT_EQ(truncated->byteOffset(), 3u);
    EXPECT_EQ(truncated->line(), 2);
}

TEST(TextCodec, ByteOrderMarkMeansUtf8) {
    const std::string bom(kUtf8Bom);
    EXPECT_TRUE(HasUtf8Bom(bom + "x"));
    EXPECT_FALSE(HasUtf8Bom("\xEF\xBB"));

    const DecodedText utf8 = DecodeFileText(bom + "〜 − 😀\r\n");
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(utf8.utf8, "〜 − 😀\r\n");

    const DecodedText sjis = DecodeFileText(kJapaneseCp932);
    EXPECT_EQ(sjis.encoding, TextEncoding::Cp932);
    EXPECT_EQ(sjis.utf8, kJapanese);

    const auto e = Thrown<TextCodecError>([&] { DecodeFileText(bom + "ok\nbad \xFF"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line(), 2);
    EXPECT_EQ(e->byteOffset(), 10u);  // counted in the file, BOM included
}

TEST(TextCodec, FileTextFallsBackToUtf8WithBomOnlyWhenNeeded) {
    const EncodedText plain = EncodeFileText(kJapanese);
    EXPECT_EQ(plain.encoding, TextEncoding::Cp932);
    EXPECT_EQ(plain.bytes, kJapaneseCp932);
    EXPECT_FALSE(plain.firstNonCp932.has_value());

    const EncodedText wide = EncodeFileText("表〜");
    EXPECT_EQ(wide.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(wide.bytes, std::string(kUtf8Bom) + "表〜");
    ASSERT_TRUE(wide.firstNonCp932.has_value());
    EXPECT_EQ(wide.firstNonCp932->character, "〜");
    EXPECT_EQ(DecodeFileText(wide.bytes).utf8, "表〜");
}

TEST(TextCodec, Cp932LinesAreTheLinesOfTheDecodedText) {
    using Lines = std::vector<std::string>;
    // Every kind of line end, empty lines, a last line without an end and
    // lines with 0x5C trail bytes (表 and ソ), which are not line ends.
    const std::string bytes = "A\r\n\r\n" + kJapaneseCp932 + "\rB\n\x95\x5C\r\r\nC \x83\x5C" + "\n\nlast";
    const Lines expected{"A", "", kJapanese, "B", "表", "", "C ソ", "", "last"};
    EXPECT_EQ(DecodeCp932Lines(bytes), std::optional<Lines>(expected));
    EXPECT_EQ(DecodeCp932Lines("x\r\n"), std::optional<Lines>(Lines{"x"}));
    EXPECT_EQ(DecodeCp932Lines("\n"), std::optional<Lines>(Lines{""}));
    EXPECT_EQ(DecodeCp932Lines(""), std::optional<Lines>(Lines{}));
    // A BOM or bytes that are not CP932 leave the text to DecodeFileText.
    EXPECT_FALSE(DecodeCp932Lines(std::string(kUtf8Bom) + "x\n"));
    EXPECT_FALSE(DecodeCp932Lines("ok\nline\r\x82\xA0\x85\x40 rest\n"));
    EXPECT_FALSE(DecodeCp932Lines("a\nb\x81\r\nc"));
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
    // The lines the whole text decoded in one piece splits into.
    EXPECT_EQ(*lines, SplitLines(DecodeCp932(bytes)));
    // A fault (an unassigned code) in the last piece or in a middle one is
    // found as in the first.
    const std::string damagedAtEnd = bytes.substr(0, bytes.size() - 4) + "\x85\x40st";
    EXPECT_FALSE(DecodeCp932Lines(damagedAtEnd));
    EXPECT_THROW(DecodeCp932(damagedAtEnd), TextCodecError);
    std::string damagedInMiddle = bytes;
    damagedInMiddle.replace(bytes.size() / 2, 2, "\x85\x40");
    EXPECT_FALSE(DecodeCp932Lines(damagedInMiddle));
}
