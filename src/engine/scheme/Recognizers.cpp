// The built-in recognizers a scheme's tokens and handlers may call (table entries 7-20).
#include "engine/scheme/Recognizers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quinkle {
namespace {

constexpr uint8_t kCR = 13;

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
bool IsLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsIdentChar(uint8_t c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

bool IsWebChar(uint8_t c) {
    return c == '#' || c == '&' || (c >= '-' && c <= ':') || c == '=' || (c >= '?' && c <= 'Z') ||
           c == '\\' || c == '_' || (c >= 'a' && c <= 'z') || c == '|' || c == '~';
}

bool IsMailChar(uint8_t c) {
    return IsLetter(c) || IsDigit(c) || c == '~' || c == '.' || c == '@' || c == '-';
}

// A run of `accept` characters without a final '.'; accepts when anything is left.
template <class Accept>
bool TakeRunWithoutFinalDot(TextCursor& cursor, Accept accept) {
    int32_t start = cursor.Position();
    while (!cursor.AtEnd() && accept(cursor.Current())) cursor.Advance();
    if (cursor.Position() > start && cursor.Peek(-1) == '.') cursor.StepBack();
    return cursor.Position() > start;
}

bool PascalChar(TextCursor& cursor) {
    uint8_t c = cursor.Current();
    if (cursor.AtEnd() || c == kCR) return false;
    if (c == '\'') {
        if (cursor.Peek(1) != '\'') return false;
        cursor.Advance();
    }
    cursor.Advance();
    return true;
}

bool OriginalChar(TextCursor& cursor, int32_t length) {
    if (cursor.Position() - length != 0) return false;
    while (!cursor.AtEnd() && cursor.Current() != kCR) cursor.Advance();
    return true;
}

bool Identifier(TextCursor& cursor) {
    uint8_t c = cursor.Current();
    if (cursor.AtEnd() || !(IsLetter(c) || c == '_')) return false;
    while (!cursor.AtEnd() && IsIdentChar(cursor.Current())) cursor.Advance();
    return true;
}

void TakeDigits(TextCursor& cursor) {
    while (!cursor.AtEnd() && IsDigit(cursor.Current())) cursor.Advance();
}

bool Number(TextCursor& cursor, bool signedForm) {
    int32_t start = cursor.Position();
    if (signedForm && (cursor.Current() == '+' || cursor.Current() == '-')) cursor.Advance();
    int32_t digitsFrom = cursor.Position();
    TakeDigits(cursor);
    bool digits = cursor.Position() > digitsFrom;
    // A '.' belongs to the number only when a digit follows it.
    if (cursor.Current() == '.' && IsDigit(cursor.Peek(1))) {
        cursor.Advance();
        TakeDigits(cursor);
        digits = true;
    }
    if (!digits) {
        cursor.SetPosition(start);
        return false;
    }
    if (cursor.Current() == 'e' || cursor.Current() == 'E') {
        int32_t at = 1;
        if (signedForm && (cursor.Peek(1) == '+' || cursor.Peek(1) == '-')) at = 2;
        if (IsDigit(cursor.Peek(at))) {
            for (int32_t i = 0; i < at; ++i) cursor.Advance();
            TakeDigits(cursor);
        }
    }
    return true;
}

bool Digits(TextCursor& cursor) {
    int32_t start = cursor.Position();
    TakeDigits(cursor);
    return cursor.Position() > start;
}

// The first position from `at` on holding CR, `a` or `b`, or `size`. Sixteen characters at a
// time: quoted strings (addresses in attribute values) run long.
int32_t NextOf(const uint8_t* text, int32_t at, int32_t size, uint8_t a, uint8_t b) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8(static_cast<char>(kCR));
    const __m128i first = _mm_set1_epi8(static_cast<char>(a));
    const __m128i second = _mm_set1_epi8(static_cast<char>(b));
    for (; at + 16 <= size; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i hits =
            _mm_or_si128(_mm_cmpeq_epi8(chunk, cr),
                         _mm_or_si128(_mm_cmpeq_epi8(chunk, first), _mm_cmpeq_epi8(chunk, second)));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) return at + __builtin_ctz(mask);
    }
#endif
    for (; at < size; ++at)
        if (text[at] == kCR || text[at] == a || text[at] == b) return at;
    return size;
}

// A quoted string ending after its closing quote or before CR; with `escapes`, a backslash
// takes the next character; with `doubled`, two quotes stand for one. Strings are long enough
// for the walk over the text to matter, so it reads the characters directly.
bool QuotedString(TextCursor& cursor, uint8_t quote, bool escapes, bool doubled) {
    if (cursor.AtEnd() || cursor.Current() != quote) return false;
    const auto* text = reinterpret_cast<const uint8_t*>(cursor.Text().data());
    const int32_t size = cursor.Length();
    int32_t at = cursor.Position() + 1;
    while (at < size) {
        at = NextOf(text, at, size, quote, escapes ? '\\' : kCR);
        if (at >= size) break;
        const uint8_t c = text[at];
        if (c == kCR) break;
        ++at;
        if (c == quote) {
            if (doubled && at < size && text[at] == quote) {
                ++at;
                continue;
            }
            break;
        }
        if (escapes && c == '\\' && at < size && text[at] != kCR) ++at;
    }
    cursor.SetPosition(at);
    return true;
}

bool MailUrl(TextCursor& cursor) {
    int32_t start = cursor.Position();
    bool at = false;
    while (!cursor.AtEnd() && IsMailChar(cursor.Current())) {
        at = at || cursor.Current() == '@';
        cursor.Advance();
    }
    if (!at) {
        cursor.SetPosition(start);
        return false;
    }
    if (cursor.Peek(-1) == '.') cursor.StepBack();
    return true;
}

bool JsLineComment(TextCursor& cursor) {
    while (!cursor.AtEnd() && cursor.Current() != kCR) {
        if (cursor.Current() == '-' && cursor.Peek(1) == '-') {
            int32_t run = 2;
            while (cursor.Peek(run) == '-') ++run;
            if (cursor.Peek(run) == '>') break;
        }
        cursor.Advance();
    }
    return true;
}

}  // namespace

bool RunRecognizer(int32_t entry, TextCursor& cursor, int32_t& length) {
    const int32_t start = cursor.Position();
    bool accepted = false;
    switch (entry) {
        case rcPascalChar:
            accepted = PascalChar(cursor);
            break;
        case rcWebChar:
            accepted = TakeRunWithoutFinalDot(cursor, IsWebChar);
            break;
        case rcOriginalChar:
            accepted = OriginalChar(cursor, length);
            break;
        case rcIdentifier:
            accepted = Identifier(cursor);
            break;
        case rcNumberOrFP:
            accepted = Number(cursor, false);
            break;
        case rcPascalString:
            accepted = QuotedString(cursor, '\'', false, true);
            break;
        case rcCString:
            accepted = QuotedString(cursor, '"', true, false);
            break;
        case rcCChar:
            accepted = QuotedString(cursor, '\'', true, false);
            break;
        case rcCNumberOrFPSigned:
            accepted = Number(cursor, true);
            break;
        case rcNumber:
            accepted = Digits(cursor);
            break;
        case rcMailUrl:
            accepted = MailUrl(cursor);
            break;
        case rcHtmlString:
            accepted = QuotedString(cursor, '"', false, false);
            break;
        case rcJsLineComment:
            accepted = JsLineComment(cursor);
            break;
        case rcCStringSingleQuote:
            accepted = QuotedString(cursor, '\'', true, false);
            break;
        default:
            break;
    }
    if (!accepted) {
        cursor.SetPosition(start);
        return false;
    }
    length += cursor.Position() - start;
    return true;
}

CharGroup RecognizerFirstChars(int32_t entry) {
    CharGroup group;
    auto letters = [&] {
        group.AddRange('A', 'Z');
        group.AddRange('a', 'z');
    };
    switch (entry) {
        case rcIdentifier:
            letters();
            group.Add('_');
            break;
        case rcNumberOrFP:
            group.Add('.');
            group.AddRange('0', '9');
            break;
        case rcPascalString:
        case rcCChar:
        case rcCStringSingleQuote:
            group.Add('\'');
            break;
        case rcCString:
        case rcHtmlString:
            group.Add('"');
            break;
        case rcCNumberOrFPSigned:
            group.Add('+');
            group.Add('-');
            group.Add('.');
            group.AddRange('0', '9');
            break;
        case rcNumber:
            group.AddRange('0', '9');
            break;
        case rcMailUrl:
            letters();
            group.AddRange('0', '9');
            break;
        case rcJsLineComment:
            group.Add('/');
            break;
        default:
            break;
    }
    return group;
}

}  // namespace quinkle
