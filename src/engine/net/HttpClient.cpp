// The HTTP(S) client over libcurl's multi interface, so a cancel is seen between short polls
// even while the server sends nothing.
#include "engine/net/HttpClient.h"

#include <curl/curl.h>

#include <cstring>
#include <memory>
#include <mutex>

#include "engine/net/HttpError.h"
#include "engine/net/Url.h"
#include "engine/net/WebPage.h"

namespace quinkle {
namespace {

constexpr long kPollMilliseconds = 50;

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What the callbacks gather while the transfer runs.
struct Transfer {
    const FetchOptions* Options = nullptr;
    FetchResult Result;
    StatusLine LastStatus;
    bool TooLarge = false;
    bool Cancelled = false;

    bool CancelAsked() const { return Options->Cancel && Options->Cancel->load(); }
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer.CancelAsked()) {
        transfer.Cancelled = true;
        return 0;
    }
    if (bytes > transfer.Options->MaxBody - transfer.Result.Body.size()) {
        transfer.TooLarge = true;
        return 0;
    }
    transfer.Result.Body.append(data, bytes);
    if (transfer.Options->Progress) transfer.Options->Progress(transfer.Result.Body.size());
    return bytes;
}

// Header lines of every response on the way, redirects included: each status line starts a
// new response, so the last one's values win.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    if (auto status = ParseStatusLine(line)) {
        transfer.LastStatus = std::move(*status);
        transfer.Result.ContentType.clear();
    } else if (auto type = HeaderValue(line, "Content-Type")) {
        transfer.Result.ContentType = std::move(*type);
    }
    return size * count;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(user);
    if (!transfer.CancelAsked()) return 0;
    transfer.Cancelled = true;
    return 1;
}

// A count of milliseconds as seconds for a message: "15 seconds", "0.2 seconds".
std::string Seconds(std::chrono::milliseconds time) {
    const long long ms = time.count();
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
        while (fraction.back() == '0') fraction.pop_back();
        text += "." + fraction;
    }
    return text + (ms == 1000 ? " second" : " seconds");
}

std::string Size(size_t bytes) {
    if (bytes % (size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    if (bytes % 1024 == 0) return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + " bytes";
}

[[noreturn]] void Fail(CURLcode code, CURL* easy, const Transfer& transfer, const char* detail) {
    const FetchOptions& options = *transfer.Options;
    const std::string text = detail[0] != '\0' ? detail : curl_easy_strerror(code);
    if (transfer.Cancelled || code == CURLE_ABORTED_BY_CALLBACK)
        throw EHttpError(HttpFailure::Cancelled, "The transfer was cancelled.");
    if (transfer.TooLarge || code == CURLE_FILESIZE_EXCEEDED)
        throw EHttpError(HttpFailure::TooLarge,
                         "The page is larger than " + Size(options.MaxBody) + ".");
    switch (code) {
        case CURLE_HTTP_RETURNED_ERROR: {
            const StatusLine& status = transfer.LastStatus;
            throw EHttpError(HttpFailure::Status, status.Reason.empty()
                                                      ? "HTTP error " + std::to_string(status.Code)
                                                      : status.Reason);
        }
        case CURLE_COULDNT_RESOLVE_HOST:
            throw EHttpError(HttpFailure::Resolve, "can't resolve hostname to IP address");
        case CURLE_COULDNT_RESOLVE_PROXY:
            throw EHttpError(HttpFailure::Resolve,
                             "can't resolve the proxy's hostname to IP "
                             "address");
        case CURLE_COULDNT_CONNECT: {
            long error = 0;
            curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &error);
            throw EHttpError(
                HttpFailure::Connect,
                "can't connect: " +
                    (error != 0 ? std::string(std::strerror(static_cast<int>(error))) : text) +
                    " (Error #" + std::to_string(error) + ")");
        }
        case CURLE_OPERATION_TIMEDOUT: {
            double connectTime = 0;
            curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME, &connectTime);
            if (connectTime <= 0)
                throw EHttpError(HttpFailure::Timeout, "The server did not answer within " +
                                                           Seconds(options.ConnectTimeout) + ".");
            throw EHttpError(HttpFailure::Timeout, "The page did not arrive within " +
                                                       Seconds(options.TotalTimeout) + ".");
        }
        case CURLE_TOO_MANY_REDIRECTS:
            throw EHttpError(HttpFailure::TooManyRedirects,
                             "The address was redirected more than " +
                                 std::to_string(options.MaxRedirects) + " times.");
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
            throw EHttpError(HttpFailure::Certificate,
                             "The server's certificate could not be verified: " + text);
        case CURLE_UNSUPPORTED_PROTOCOL:
            throw EHttpError(HttpFailure::BadAddress,
                             "A redirect led to an address that "
                             "cannot be fetched.");
        default:
            throw EHttpError(HttpFailure::Other, text);
    }
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Runs the prepared transfer to its end, polling so that a cancel is seen between waits.
CURLcode Perform(CURL* easy, Transfer& transfer) {
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi.get(), easy);
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_RECV_ERROR;
            break;
        }
        if (running == 0) break;
        if (transfer.CancelAsked()) {
            transfer.Cancelled = true;
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr);
    }
    if (running == 0) {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
            if (message->msg == CURLMSG_DONE) result = message->data.result;
        }
    }
    curl_multi_remove_handle(multi.get(), easy);
    return result;
}

}  // namespace

FetchResult HttpClient::Get(std::string_view address, const FetchOptions& options) {
    if (m_busy.exchange(true)) throw EHttpError(HttpFailure::Busy, "HTTP component is busy");
    struct Release {
        std::atomic<bool>& Busy;
        ~Release() { Busy = false; }
    } release{m_busy};

    const UrlParts parts = SplitUrl(address);
    const std::string url = CheckedTransferUrl(parts);
    InitialiseOnce();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) throw EHttpError(HttpFailure::Other, "The transfer could not be started.");
    CURL* e = easy.get();

    Transfer transfer;
    transfer.Options = &options;
    char error[CURL_ERROR_SIZE] = {};
    std::unique_ptr<curl_slist, ListDeleter> headers(
        curl_slist_append(nullptr, (std::string("Accept: ") + kWebAccept).c_str()));

    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(e, CURLOPT_USERAGENT, kWebAgent);
    if (parts.HasUser) {
        curl_easy_setopt(e, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(e, CURLOPT_USERNAME, parts.User.c_str());
        curl_easy_setopt(e, CURLOPT_PASSWORD, parts.Password.c_str());
    }
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, options.MaxRedirects);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options.ConnectTimeout.count()));
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(options.TotalTimeout.count()));
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.MaxBody));
    // An empty list asks for every coding libcurl can decode: gzip and deflate at least.
    curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!options.CaFile.empty()) curl_easy_setopt(e, CURLOPT_CAINFO, options.CaFile.c_str());
    if (!options.EnvironmentProxy) curl_easy_setopt(e, CURLOPT_PROXY, "");
    curl_easy_setopt(e, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode result = Perform(e, transfer);
    if (result != CURLE_OK) Fail(result, e, transfer, error);
    long status = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
    transfer.Result.Status = static_cast<int>(status);
    if (const char* effective = nullptr;
        curl_easy_getinfo(e, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective)
        transfer.Result.Url = effective;
    return std::move(transfer.Result);
}

}  // namespace quinkle
