// Arbitrary bytes as a document: its declared charset is found without crashing, every
// charset shows the bytes as well-formed UTF-8, and the single-byte charsets give the very
// same bytes back when that display text is typed in again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/text/Charset.h"
#include "engine/text/Utf8.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsUtf8(std::string_view text) {
    char32_t codePoint = 0;
    for (size_t at = 0; at < text.size();) {
        size_t length = quinkle::DecodeUtf8(text.data() + at, text.size() - at, codePoint);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

constexpr quinkle::Charset kAll[] = {quinkle::Charset::Utf8,        quinkle::Charset::Iso8859_1,
                                     quinkle::Charset::Iso8859_2,   quinkle::Charset::Iso8859_15,
                                     quinkle::Charset::Windows1250, quinkle::Charset::Windows1252};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using quinkle::Charset;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    Charset declared = quinkle::DeclaredCharset(input);
    Require(quinkle::CharsetFromName(quinkle::CharsetName(declared)) == declared);

    for (Charset charset : kAll) {
        std::string shown = quinkle::DecodeForDisplay(charset, input);
        Require(IsUtf8(shown));
        std::string typed = quinkle::EncodeTyped(charset, shown);
        if (charset != Charset::Utf8) {
            Require(typed == input);
        } else if (IsUtf8(input)) {
            Require(shown == input && typed == input);
        }
    }
    return 0;
}
