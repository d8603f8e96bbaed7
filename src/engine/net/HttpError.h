// The fault a web transfer reports, with the kind of failure behind its message.
#pragma once

#include "engine/text/EditorError.h"

namespace quinkle {

enum class HttpFailure {
    BadAddress,        ///< the address cannot be fetched (scheme, host, port)
    Status,            ///< the server answered with a status of 400 or above
    Resolve,           ///< the host name has no address
    Connect,           ///< no connection could be made
    Busy,              ///< the client is already fetching
    Certificate,       ///< the server's certificate could not be verified
    Timeout,           ///< connecting or the whole transfer took too long
    TooManyRedirects,  ///< the redirects went on past the limit
    TooLarge,          ///< the body passed the size limit
    Cancelled,         ///< the caller cancelled
    Other,
};

class EHttpError : public EQuinkleError {
public:
    EHttpError(HttpFailure failure, const std::string& message)
        : EQuinkleError(message), m_failure(failure) {}
    HttpFailure Failure() const { return m_failure; }

private:
    HttpFailure m_failure;
};

}  // namespace quinkle
