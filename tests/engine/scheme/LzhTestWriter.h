// A writer of LZH streams, used only by the tests to feed the decoder.
#pragma once

#include <string>
#include <string_view>

namespace quinkle::test {

/// The LZH stream (magic included) of data: greedy matches of 3..60 bytes found through a
/// hash of three bytes, at distances up to 4036, the starting spaces of the ring included.
std::string LzhCompress(std::string_view data);

}  // namespace quinkle::test
