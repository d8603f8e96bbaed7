// One line through the scanner, with the container protocol: the loop every caller shares.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "engine/scheme/SyntaxScheme.h"
#include "engine/scheme/TextCursor.h"
#include "engine/text/EditorError.h"

namespace quinkle {

/// Sets out[0, n) to `value`. Tokens are mostly a few bytes long, so short runs are written
/// with overlapping word stores instead of a call.
inline void FillValues(uint8_t* out, size_t n, uint8_t value) {
    if (n >= 16) {
        std::memset(out, value, n);
        return;
    }
    const uint64_t pattern = 0x0101010101010101ull * value;
    if (n >= 8) {
        std::memcpy(out, &pattern, 8);
        std::memcpy(out + n - 8, &pattern, 8);
    } else if (n >= 4) {
        const auto half = static_cast<uint32_t>(pattern);
        std::memcpy(out, &half, 4);
        std::memcpy(out + n - 4, &half, 4);
    } else if (n > 0) {
        out[0] = value;
        out[n / 2] = value;
        out[n - 1] = value;
    }
}

/// Scans the rest of the line under `cursor` with `scheme`, from the line context it was set
/// to. Each token goes to token(start, end, value, inner); a token that opens a container is
/// followed by the tokens of its text scanned again with the container's state change in
/// force (inner = true; an inner value 0 leaves the container's value standing). Every step
/// takes at least one character. A scheme error propagates with `cursor` where it happened.
template <class Token>
void ScanLineTokens(SyntaxScheme& scheme, TextCursor& cursor, Token&& token) {
    int32_t length = 0;
    while (!cursor.AtEnd()) {
        const int32_t start = cursor.Position();
        const uint8_t value = scheme.ScanToken(cursor, length);
        if (cursor.Position() <= start) cursor.SetPosition(start + 1);
        const int32_t end = cursor.Position();
        token(start, end, value, false);
        if (!scheme.InContainer()) continue;
        cursor.SetPosition(start);
        while (scheme.InContainer() && !cursor.AtEnd()) {
            const int32_t from = cursor.Position();
            const uint8_t inner = scheme.ScanToken(cursor, length);
            if (cursor.Position() <= from) cursor.SetPosition(from + 1);
            token(from, cursor.Position(), inner, true);
        }
        if (cursor.Position() < end) cursor.SetPosition(end);
    }
}

/// Scans the rest of the line as ScanLineTokens does and gives every character its token
/// value through paint(from, to, value), once per token in scan order, later calls
/// overriding earlier ones. A token found inside a container paints its value unless that
/// is 0, which leaves the container's value standing over the container's text (and paints
/// 0 only past it). When a scheme error stops the line, the token that failed and the rest
/// of the line are painted 0 and `failure` receives the error's message. Returns the value
/// the line's last character got (`incoming` when there was nothing to scan).
template <class Paint>
uint8_t ScanLineValues(SyntaxScheme& scheme, TextCursor& cursor, uint8_t incoming,
                       std::string& failure, Paint&& paint) {
    const int32_t size = cursor.Length();
    int32_t length = 0;
    int32_t done = cursor.Position();  // characters before the token being scanned are painted
    uint8_t last = incoming;
    try {
        while (!cursor.AtEnd()) {
            scheme.ScanShortTokens(cursor, [&](int32_t from, int32_t to, uint8_t value) {
                paint(from, to, value);
                done = to;
                last = value;
            });
            if (cursor.AtEnd()) break;
            const int32_t start = cursor.Position();
            const uint8_t value = scheme.ScanToken(cursor, length);
            if (cursor.Position() <= start) cursor.SetPosition(start + 1);
            const int32_t end = cursor.Position();
            paint(start, end, value);
            done = end;
            last = value;
            if (!scheme.InContainer()) continue;
            cursor.SetPosition(start);
            while (scheme.InContainer() && !cursor.AtEnd()) {
                const int32_t from = cursor.Position();
                const uint8_t inner = scheme.ScanToken(cursor, length);
                if (cursor.Position() <= from) cursor.SetPosition(from + 1);
                const int32_t to = cursor.Position();
                const int32_t paintFrom = inner != 0 || from > end ? from : end;
                if (to > paintFrom) {
                    paint(paintFrom, to, inner);
                    if (to == size) last = inner;
                }
                done = to;
            }
            if (cursor.Position() < end) cursor.SetPosition(end);
        }
    } catch (const ESourceEditor& error) {
        failure = error.what();
        if (done < size) {
            paint(done, size, 0);
            last = 0;
        }
    }
    return last;
}

}  // namespace quinkle
