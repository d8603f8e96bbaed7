// Small schemes built by hand for the scanner and highlighter tests.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/scheme/Recognizers.h"
#include "engine/scheme/SyntaxScheme.h"

namespace quinkle::testkit {

/// Token values of the mini C-like scheme.
enum MiniValue : uint8_t {
    mvBlank = 1,
    mvIdent = 2,
    mvNumber = 3,
    mvKeyword = 4,
    mvOpen = 5,     // "/*", enters state 1
    mvComment = 6,  // text in state 1
    mvClose = 7,    // "*/", back to state 0
};

inline TokenEnd GroupEnd(std::initializer_list<int32_t> groups, bool include) {
    return TokenEnd::OfGroups(groups, include);
}

inline TokenPart GroupPart(int32_t group, bool star = false) {
    TokenPart part;
    part.Group = group;
    part.Star = star;
    return part;
}

/// A token started by `start`, continued by `body` up to `end`.
inline TokenDef GroupToken(int32_t start, int32_t body, bool star, TokenEnd end, uint8_t value,
                           StateSet valid = StateSet{0}) {
    TokenDef def;
    def.Start = GroupPart(start);
    def.Body = GroupPart(body, star);
    def.End = end;
    def.Value = value;
    def.Valid = valid;
    return def;
}

/// A token recognised by whole-token recognizer `entry` (10-20).
inline TokenDef RecognizerToken(SyntaxScheme& scheme, int32_t entry, uint8_t value,
                                StateSet valid = StateSet{0}) {
    TokenDef def;
    def.Start.IsRecognizer = true;
    def.Start.Number = static_cast<uint8_t>(entry);
    def.Start.Group = scheme.AddCharGroup(RecognizerFirstChars(entry));
    def.Value = value;
    def.Valid = valid;
    return def;
}

/// Blanks, identifiers, numbers, the keywords "begin" and "end", and block comments that
/// span lines through state 1 (ContextState of the comment values is {1}).
inline void BuildMiniScheme(SyntaxScheme& scheme, bool caseSensitive = true) {
    scheme.Reset();
    scheme.SetCaseSensitive(caseSensitive);
    int32_t blank = scheme.AddCharGroup(CharGroup::Range(1, ' '));
    int32_t notBlank = scheme.AddCharGroup(CharGroup::Range(1, ' ', true));
    scheme.AddToken(GroupToken(blank, blank, true, GroupEnd({notBlank}, false), mvBlank));
    scheme.AddToken(RecognizerToken(scheme, rcIdentifier, mvIdent));
    scheme.AddToken(RecognizerToken(scheme, rcNumberOrFP, mvNumber));
    int32_t wordEnd =
        scheme.AddCharGroup(CharGroup::Of("abcdefghijklmnopqrstuvwxyz0123456789_", true));
    scheme.AddKeyword("begin", wordEnd, mvKeyword);
    scheme.AddKeyword("end", wordEnd, mvKeyword);

    scheme.AddKeyword("/*", -1, mvOpen, StateSet{0});
    scheme.AddKeyword("*/", -1, mvClose, StateSet{1});
    TokenStateInfo open;
    open.Add = StateSet{1};
    open.Remove = StateSet{0};
    scheme.SetTokenStateInfo(mvOpen, open);
    TokenStateInfo close;
    close.Add = StateSet{0};
    close.Remove = StateSet{1};
    scheme.SetTokenStateInfo(mvClose, close);

    int32_t star = scheme.AddCharGroup(CharGroup::Of("*"));
    int32_t notStar = scheme.AddCharGroup(CharGroup::Of("*", true));
    int32_t any = scheme.AddCharGroup(CharGroup::Any());
    scheme.AddToken(GroupToken(notStar, notStar, true, GroupEnd({star}, false), mvComment), 1);
    scheme.AddToken(GroupToken(star, any, true, GroupEnd({}, false), mvComment), 1);
    scheme.SetContextState(mvOpen, StateSet{1});
    scheme.SetContextState(mvComment, StateSet{1});
}

/// The tokens of one line as (text, value) pairs, scanned after a line ending in `context`.
inline std::vector<std::pair<std::string, int>> Tokens(SyntaxScheme& scheme, std::string_view line,
                                                       uint8_t context = 0) {
    std::vector<std::pair<std::string, int>> tokens;
    scheme.SetLineContext(context);
    TextCursor cursor(line);
    int32_t length = 0;
    while (!cursor.AtEnd()) {
        int32_t start = cursor.Position();
        uint8_t value = scheme.ScanToken(cursor, length);
        tokens.emplace_back(std::string(line.substr(start, length)), value);
        if (length < 1) break;
    }
    return tokens;
}

using TokenList = std::vector<std::pair<std::string, int>>;

}  // namespace quinkle::testkit
