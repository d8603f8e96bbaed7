// Web addresses as Load From Web reads them: the parts of a typed address, and the address
// handed to the transfer.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

/// The parts of a typed address. Every part is as typed except the scheme, which is in lower
/// case, and the user name and password, whose %XX escapes are decoded.
struct UrlParts {
    std::string Scheme;  ///< "http" when the text names none
    std::string User;
    std::string Password;
    bool HasUser = false;  ///< an "@" came before the host
    std::string Host;      ///< an IPv6 address keeps its brackets
    std::string Port;      ///< "80" for http and "443" for https when none is given
    std::string Path;      ///< from the first "/", "?" or "#" after the host; "/" when none
    bool operator==(const UrlParts&) const = default;
};

/// Splits an address: [scheme "://"] [user [":" password] "@"] host [":" port] [path]. Blanks
/// around the text are ignored. A "://" counts only after a word of letters, digits, "+", "-"
/// and "." that starts with a letter, so "host/page?next=http://x" is an http address of
/// "host". Never fails; CheckedTransferUrl judges the result.
UrlParts SplitUrl(std::string_view text);

/// The address to fetch, without the user name and password: scheme "://" host ":" port
/// path, with blanks, control characters and bytes above 127 of the path written as %XX.
/// Throws EHttpError for a scheme other than http and https, an empty host or a port that is
/// not a number from 1 to 65535.
std::string CheckedTransferUrl(const UrlParts& parts);

}  // namespace quinkle
