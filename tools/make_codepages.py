#!/usr/bin/env python3
"""Writes src/engine/html/CodePages.cpp: the upper halves (bytes 128-255) of the single-byte
code pages that rich-text files name, from Python's own codecs. Undefined bytes become U+FFFD.
Usage: tools/make_codepages.py > src/engine/html/CodePages.cpp"""

PAGES = [437, 850, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 10000]
CODECS = {10000: "mac_roman"}

print("// The upper halves of the single-byte code pages rich-text files name (bytes 128-255).")
print("// Written by tools/make_codepages.py; undefined bytes stand for U+FFFD.")
print('#include "engine/html/CodePages.h"')
print()
print("#include <array>")
print()
print("namespace quinkle {")
print("namespace {")
print()
print("struct Page {")
print("    int Number;")
print("    std::array<char16_t, 128> High;")
print("};")
print()
print("// clang-format off")
print("constexpr Page kPages[] = {")
for page in PAGES:
    codes = []
    for byte in range(128, 256):
        try:
            ch = bytes([byte]).decode(CODECS.get(page, "cp%d" % page))
            codes.append(ord(ch))
        except UnicodeDecodeError:
            codes.append(0xFFFD)
    print("    {%d, {" % page)
    for row in range(0, 128, 8):
        print("        " + ", ".join("0x%04X" % c for c in codes[row:row + 8]) + ",")
    print("    }},")
print("};")
print("// clang-format on")
print()
print("}  // namespace")
print()
print("const std::array<char16_t, 128>* CodePageHighHalf(int codePage) {")
print("    for (const Page& page : kPages)")
print("        if (page.Number == codePage) return &page.High;")
print("    return nullptr;")
print("}")
print()
print("}  // namespace quinkle")
