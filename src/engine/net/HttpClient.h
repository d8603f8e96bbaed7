// The HTTP(S) client behind Load From Web: one GET of an address into a byte buffer, over
// libcurl.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quinkle {

/// The request headers the client sends besides Host and the authorisation.
inline constexpr const char* kWebAgent = "Mozilla/3.0 (compatible)";
inline constexpr const char* kWebAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";

struct FetchOptions {
    std::chrono::milliseconds ConnectTimeout{15'000};
    std::chrono::milliseconds TotalTimeout{60'000};
    size_t MaxBody = size_t{64} << 20;  ///< bytes of the decoded body
    long MaxRedirects = 10;
    std::string CaFile;  ///< certificates to trust instead of the system's; empty: the system's
    /// Whether the proxy named by http_proxy, https_proxy, all_proxy and no_proxy is used.
    bool EnvironmentProxy = true;
    /// Told the body's bytes received so far; called on the fetching thread.
    std::function<void(uint64_t)> Progress;
    /// Set from any thread to stop the transfer; it then fails as cancelled within about
    /// a tenth of a second.
    const std::atomic<bool>* Cancel = nullptr;
};

struct FetchResult {
    std::string Body;         ///< decoded when the server sent it gzip or deflate coded
    std::string ContentType;  ///< of the last response, after redirects
    int Status = 0;
    std::string Url;  ///< where the body came from, after redirects
};

/// Fetches one address at a time. Get blocks the calling thread; the object may be shared by
/// threads, and a Get while another runs fails as busy.
class HttpClient {
public:
    /// GET of `address` (read by SplitUrl): HTTP or HTTPS with the server's certificate
    /// checked, redirects followed up to the limit, gzip and deflate accepted, Basic
    /// authorisation from a user name in the address. Throws EHttpError carrying the message
    /// for the user: the reason text for a status of 400 or more, "can't resolve hostname to
    /// IP address", "can't connect: <error> (Error #<number>)", "HTTP component is busy", or
    /// a sentence for a certificate failure, a time-out, too many redirects, a body over the
    /// limit and a cancelled transfer.
    FetchResult Get(std::string_view address, const FetchOptions& options = {});

    bool Busy() const { return m_busy; }

private:
    std::atomic<bool> m_busy{false};
};

}  // namespace quinkle
