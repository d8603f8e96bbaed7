// One line through the scanner, with the container protocol: the loop every caller shares.
#pragma once

#include <cstdint>

#include "scheme/SyntaxScheme.h"
#include "scheme/TextCursor.h"

namespace quinkle {

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

}  // namespace quinkle
