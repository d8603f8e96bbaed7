// An expression and a text: matching must end in a result or "Expression is too complex"
// within its step budgets, find the same first match as a plain matcher trying every start, give
// the same results however the text is cut into pieces, and keep the match list inside the text.
// The plain search is checked against a naive one alongside.
//
// Input: one flag byte (bit 0: ignore case, bit 1: backwards, bits 2-7: longest piece), the
// pattern up to the first NUL, then the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "../tests/engine/search/ChoppedReader.h"
#include "engine/search/PlainSearch.h"
#include "engine/search/REParser.h"
#include "engine/search/RegexMatcher.h"
#include "engine/search/Replacement.h"

namespace {

using namespace quinkle;

struct Outcome {
    bool Failed = false;
    std::vector<std::vector<int32_t>> Matches;
    bool operator==(const Outcome&) const = default;
};

/// Every match from the start (or from the end, backwards), as a find-all walks them.
Outcome FindAll(REParser& parser, const CharReader& text, bool backwards) {
    Outcome outcome;
    try {
        int32_t at = backwards ? text.Length() : 0;
        for (int guard = 0; guard <= text.Length() + 1; ++guard) {
            if (!parser.Search(text, at, backwards ? 0 : text.Length())) break;
            const std::vector<int32_t>& list = parser.Matches();
            int32_t start = list.front();
            int32_t end = list.back();
            if (start < 0 || end < start || end > text.Length()) std::abort();
            for (size_t i = 1; i + 1 < list.size(); i += 2) {
                bool unset = list[i] == -1 && list[i + 1] == -1;
                if (!unset && (list[i] < start || list[i + 1] > end || list[i + 1] < list[i]))
                    std::abort();
            }
            outcome.Matches.push_back(list);
            if (backwards) {
                if (start == 0) break;
                at = start - 1;
            } else {
                at = end > start ? end : start + 1;
                if (at > text.Length()) break;
            }
        }
    } catch (const ERegExpError& error) {
        if (std::string_view(error.what()) != re_message::kTooComplex) std::abort();
        outcome.Failed = true;
    }
    return outcome;
}

void CheckPlain(std::string_view pattern, const std::string& text, const CharReader& pieces,
                bool matchCase) {
    PlainSearcher searcher(pattern, matchCase);
    auto fold = [&](char c) {
        return matchCase ? c : static_cast<char>(FoldToUpper(static_cast<uint8_t>(c)));
    };
    auto naive = [&](size_t from) -> int32_t {
        for (size_t at = from; !pattern.empty() && at + pattern.size() <= text.size(); ++at) {
            size_t i = 0;
            while (i < pattern.size() && fold(text[at + i]) == fold(pattern[i])) ++i;
            if (i == pattern.size()) return static_cast<int32_t>(at);
        }
        return -1;
    };
    for (int32_t at = 0;;) {
        int32_t expected = naive(static_cast<size_t>(at));
        if (searcher.FindForward(pieces, at, pieces.Length()) != expected) std::abort();
        if (expected < 0) return;
        at = expected + static_cast<int32_t>(pattern.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    uint8_t flags = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t split = rest.find('\0');
    if (split == std::string_view::npos) return 0;
    std::string_view pattern = rest.substr(0, split);
    std::string text(rest.substr(split + 1));
    bool matchCase = (flags & 1) == 0;
    bool backwards = (flags & 2) != 0;
    int32_t longestPiece = 1 + (flags >> 2);

    StringReader whole(text);
    test::ChoppedReader pieces = test::ChoppedReader::Random(text, flags, longestPiece);
    CheckPlain(pattern, text, pieces, matchCase);

    REParser parser;
    try {
        parser.Compile(pattern, matchCase);
    } catch (const ERegExpError&) {
        return 0;
    }
    // The search skips start positions by what a match can begin with, and its matcher skips
    // and remembers what cannot succeed; a plain matcher trying every position in turn must
    // find the same first match, with the same groups, wherever both finish.
    std::vector<int32_t> plain;
    bool plainFinished = true;
    try {
        RegexMatcher matcher(parser.Program(), whole, RegexMatcher::Mode::Plain);
        for (int32_t at = 0; at <= whole.Length() && plain.empty(); ++at) {
            if (!matcher.MatchAt(at)) continue;
            plain.push_back(at);
            for (int g = 1; g <= parser.Program().GroupCount; ++g) {
                plain.push_back(matcher.GroupStart(g));
                plain.push_back(matcher.GroupEnd(g));
            }
            plain.push_back(matcher.End());
        }
    } catch (const ERegExpError& error) {
        if (std::string_view(error.what()) != re_message::kTooComplex) std::abort();
        plainFinished = false;
    }
    try {
        bool found = parser.Search(whole, 0, whole.Length());
        if (plainFinished && (found != !plain.empty() || parser.Matches() != plain)) std::abort();
    } catch (const ERegExpError& error) {
        if (std::string_view(error.what()) != re_message::kTooComplex) std::abort();
    }
    Outcome one = FindAll(parser, whole, backwards);
    Outcome many = FindAll(parser, pieces, backwards);
    if (!one.Failed && !many.Failed && !(one == many)) std::abort();
    if (!one.Matches.empty()) {
        std::string expanded = ExpandReplacement(
            "%1<%2>%%\\n\\x4", one.Matches.front(),
            [&](int32_t from, int32_t to) { return text.substr(from, to - from); });
        if (expanded.size() > text.size() * 2 + 8) std::abort();
    }
    return 0;
}
