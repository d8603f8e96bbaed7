// The refusal of files too large for the editor or for the memory free.
#include <gtest/gtest.h>

#include "engine/text/LoadLimit.h"

namespace quinkle {
namespace {

constexpr int64_t kMB = int64_t{1} << 20;

TEST(LoadLimit, RefusesFilesTooLargeOrTooBigForTheFreeMemory) {
    struct Row {
        int64_t Size;
        int64_t Available;
        const char* Expected;  // a part of the refusal, or "" when the file may be read
    };
    const Row rows[] = {
        {0, 0, ""},
        {kMaxLoadBytes, -1, ""},  // unknown free memory: only the size counts
        {kMaxLoadBytes + 1, -1,
         "too large to open (1.0 GB). HTML Quinkle opens files of up to 1.0 GB."},
        {kMaxLoadBytes + 1, int64_t{64} << 30, "too large to open"},
        {200 * kMB, 500 * kMB, ""},  // exactly 2.5 times fits
        {200 * kMB, 499 * kMB, "it needs about 500 MB, and 499 MB is free."},
        {1000, 100, "(1000 bytes): it needs about 2 KB, and 100 bytes is free"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Size);
        std::string refusal = LoadRefusal("/x/page.htm", row.Size, row.Available);
        if (*row.Expected == '\0') {
            EXPECT_EQ(refusal, "");
        } else {
            EXPECT_NE(refusal.find(row.Expected), std::string::npos) << refusal;
            EXPECT_NE(refusal.find("\"/x/page.htm\""), std::string::npos) << refusal;
        }
    }
}

TEST(LoadLimit, FreeMemoryIsReadFromTheSystem) { EXPECT_GT(AvailableMemory(), 0); }

}  // namespace
}  // namespace quinkle
