// The reference the search's shortcuts are compared with: a plain matcher trying every start.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/search/CharReader.h"
#include "engine/search/RegexMatcher.h"
#include "engine/search/RegexProgram.h"

namespace quinkle::test {

/// The match list of the first start from `from` to `to` (both included, backwards when `to`
/// is below `from`) where a plain matcher matches; empty when there is none.
inline std::vector<int32_t> PlainSearch(const RegexProgram& program, const CharReader& text,
                                        int32_t from, int32_t to) {
    RegexMatcher matcher(program, text, RegexMatcher::Mode::Plain);
    int32_t step = to >= from ? 1 : -1;
    for (int32_t at = from; at != to + step; at += step) {
        if (!matcher.MatchAt(at)) continue;
        std::vector<int32_t> matches{at};
        for (int g = 1; g <= program.GroupCount; ++g) {
            matches.push_back(matcher.GroupStart(g));
            matches.push_back(matcher.GroupEnd(g));
        }
        matches.push_back(matcher.End());
        return matches;
    }
    return {};
}

}  // namespace quinkle::test
