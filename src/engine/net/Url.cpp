// Web addresses: splitting a typed address and building the one the transfer fetches.
#include "engine/net/Url.h"

#include "engine/net/HttpError.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSchemeWord(std::string_view word) {
    if (word.empty() || !IsAsciiLetter(word[0])) return false;
    for (const char c : word) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// %XX escapes decoded; a "%" without two hex digits stays as it is.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 &&
            HexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

UrlParts SplitUrl(std::string_view text) {
    text = TrimBlanks(text);
    UrlParts parts;
    parts.Scheme = "http";
    if (const size_t mark = text.find("://");
        mark != std::string_view::npos && IsSchemeWord(text.substr(0, mark))) {
        parts.Scheme = LowerAsciiText(text.substr(0, mark));
        text.remove_prefix(mark + 3);
    }
    const size_t pathStart = text.find_first_of("/?#");
    std::string_view authority = text.substr(0, pathStart);
    parts.Path = pathStart == std::string_view::npos ? "/" : std::string(text.substr(pathStart));
    if (parts.Path[0] != '/') parts.Path.insert(0, 1, '/');

    if (const size_t at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view userInfo = authority.substr(0, at);
        const size_t colon = userInfo.find(':');
        parts.HasUser = true;
        parts.User = PercentDecoded(userInfo.substr(0, colon));
        if (colon != std::string_view::npos)
            parts.Password = PercentDecoded(userInfo.substr(colon + 1));
        authority.remove_prefix(at + 1);
    }
    // The port's colon is the last one outside an IPv6 address's brackets.
    const size_t close = authority.rfind(']');
    const size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos && (close == std::string_view::npos || colon > close)) {
        parts.Host = std::string(authority.substr(0, colon));
        parts.Port = std::string(authority.substr(colon + 1));
    } else {
        parts.Host = std::string(authority);
    }
    if (parts.Port.empty()) parts.Port = parts.Scheme == "https" ? "443" : "80";
    return parts;
}

std::string CheckedTransferUrl(const UrlParts& parts) {
    if (parts.Scheme != "http" && parts.Scheme != "https")
        throw EHttpError(HttpFailure::BadAddress,
                         "Only http and https addresses can be fetched, not " + parts.Scheme + ".");
    if (parts.Host.empty()) throw EHttpError(HttpFailure::BadAddress, "The address names no host.");
    for (const char c : parts.Host) {
        // Anything that would change how the transfer reads the address has no place here.
        if (static_cast<unsigned char>(c) <= ' ' || c == 127 || c == '@' || c == '/' || c == '\\' ||
            c == '?' || c == '#' || c == '%')
            throw EHttpError(HttpFailure::BadAddress,
                             "The host name \"" + parts.Host + "\" is not valid.");
    }
    bool digits = !parts.Port.empty() && parts.Port.size() <= 5;
    for (const char c : parts.Port) digits = digits && IsAsciiDigit(c);
    if (!digits || std::stoi(parts.Port) < 1 || std::stoi(parts.Port) > 65535)
        throw EHttpError(HttpFailure::BadAddress, "The port \"" + parts.Port + "\" is not valid.");

    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = parts.Scheme + "://" + parts.Host + ":" + parts.Port;
    for (const char c : parts.Path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 127) {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 15];
        } else {
            url += c;
        }
    }
    return url;
}

}  // namespace quinkle
