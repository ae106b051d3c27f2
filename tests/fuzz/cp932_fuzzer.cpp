// CP932 decoding of arbitrary bytes, the file-text rules (BOM means UTF-8)
// and the way back: decoded text is CP932-representable and encodes to
// bytes that decode to the same text.
#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "base/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tabulorix;
    const std::string_view bytes = fuzzing::AsText(data, size);
    try {
        const std::string utf8 = DecodeCp932(bytes);
        ValidateUtf8(utf8);
        if (!IsCp932Representable(utf8)) std::abort();
        if (DecodeCp932(EncodeCp932(utf8)) != utf8) std::abort();
    } catch (const TextCodecError& error) {
        if (error.byteOffset() >= size || error.line() < 1) std::abort();
    }
    try {
        const DecodedText text = DecodeFileText(bytes);
        const EncodedText encoded = EncodeFileText(text.utf8);
        if (DecodeFileText(encoded.bytes).utf8 != text.utf8) std::abort();
        if (encoded.encoding == TextEncoding::Utf8Bom && !encoded.firstNonCp932) std::abort();
    } catch (const TextCodecError& error) {
        if (error.line() < 1) std::abort();
    }
    // Raw bytes taken as UTF-8: the representability check never throws.
    (void)IsCp932Representable(bytes);
    return 0;
}
