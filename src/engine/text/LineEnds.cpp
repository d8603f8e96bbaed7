// Line-end normalisation of inserted and loaded text.
#include "engine/text/LineEnds.h"

#include <unistd.h>

#include <cerrno>

#include "engine/text/FileText.h"
#include "engine/text/TextRow.h"

namespace quinkle {

void LineEndNormaliser::Append(std::string_view text, std::string& out) {
    out.reserve(out.size() + text.size());
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        // Runs without a line end are copied whole: they are nearly all of a text.
        const char* run = p;
        while (p < end && *p != kCR && *p != kLF) ++p;
        if (p != run) {
            Settle();
            out.append(run, static_cast<size_t>(p - run));
            if (p == end) break;
        }
        const char c = *p++;
        if (m_pending != 0 && m_pending != c) {  // second half of a CR LF or LF CR pair
            ++m_counts[m_pending == kCR ? lkCRLF : lkLFCR];
            m_pending = 0;
            continue;
        }
        Settle();
        out.push_back(kCR);
        m_pending = c;
    }
}

std::array<int64_t, lkKindCount> LineEndNormaliser::Counts() const {
    std::array<int64_t, lkKindCount> counts = m_counts;
    if (m_pending != 0) ++counts[m_pending == kCR ? lkCR : lkLF];
    return counts;
}

std::string NormaliseLineEnds(std::string_view text) {
    std::string out;
    LineEndNormaliser normaliser;
    normaliser.Append(text, out);
    return out;
}

bool ReadStoredText(int fd, std::string& out, size_t maxBytes) {
    FileTextDecoder decoder;
    char chunk[16384];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) {
            decoder.Finish(out);
            if (out.size() > maxBytes) {
                errno = EFBIG;
                return false;
            }
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        decoder.Append(std::string_view(chunk, static_cast<size_t>(got)), out);
        if (out.size() > maxBytes) {
            errno = EFBIG;
            return false;
        }
    }
}

}  // namespace quinkle
