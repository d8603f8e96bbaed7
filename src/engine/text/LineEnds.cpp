// Line-end normalisation of inserted and loaded text.
#include "engine/text/LineEnds.h"

#include <unistd.h>

#include <cerrno>

#include "engine/text/TextRow.h"

namespace quinkle {

void LineEndNormaliser::Append(std::string_view text, std::string& out) {
    out.reserve(out.size() + text.size());
    for (char c : text) {
        if (c == kCR || c == kLF) {
            if (m_pending != 0 && m_pending != c) {  // second half of a CR LF or LF CR pair
                m_pending = 0;
                continue;
            }
            out.push_back(kCR);
            m_pending = c;
            continue;
        }
        m_pending = 0;
        auto byte = static_cast<unsigned char>(c);
        out.push_back(byte >= 32 || c == kTab ? c : '.');
    }
}

std::string NormaliseLineEnds(std::string_view text) {
    std::string out;
    LineEndNormaliser normaliser;
    normaliser.Append(text, out);
    return out;
}

bool ReadStoredText(int fd, std::string& out, size_t maxBytes) {
    LineEndNormaliser normaliser;
    char chunk[16384];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        normaliser.Append(std::string_view(chunk, static_cast<size_t>(got)), out);
        if (out.size() > maxBytes) {
            errno = EFBIG;
            return false;
        }
    }
}

}  // namespace quinkle
