// Arbitrary bytes as what a web transfer reads: a typed address, a status line, a
// Content-Type value and a body. Splitting never fails, a checked address holds no blank or
// control byte, and the body's lines hold no LF and no NUL and never grow.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/net/HttpError.h"
#include "engine/net/Url.h"
#include "engine/net/WebPage.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const quinkle::UrlParts parts = quinkle::SplitUrl(input);
    Require(!parts.Path.empty() && parts.Path[0] == '/');
    Require(!parts.Port.empty());
    try {
        const std::string url = quinkle::CheckedTransferUrl(parts);
        for (const char c : url) Require(static_cast<unsigned char>(c) > ' ' && c != 127);
        Require(url.starts_with("http://") || url.starts_with("https://"));
    } catch (const quinkle::EHttpError& error) {
        Require(error.Failure() == quinkle::HttpFailure::BadAddress);
    }

    if (const auto status = quinkle::ParseStatusLine(input))
        Require(status->Code >= 0 && status->Code <= 999);
    quinkle::HeaderValue(input, "Content-Type");

    const quinkle::WebPage page = quinkle::PageFromResponse(input, input);
    Require(page.Text.size() <= input.size());
    Require(page.Text.find('\n') == std::string::npos);
    Require(page.Text.find('\0') == std::string::npos);
    Require(page.ServedCharset == quinkle::ContentTypeCharset(input));
    return 0;
}
