// Arbitrary bytes decoded as a file: whole and in pieces cut anywhere the decoding must agree,
// marked text must come out as well-formed UTF-8, and a file said to be kept exactly must give
// its own bytes back when its stored text is written in its form. Loading the bytes straight
// into a store must give the rows of inserting the decoded text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/text/FileText.h"
#include "engine/text/TextStore.h"
#include "engine/text/Utf8.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// The stored text with each CR as the form's line end, then encoded: what a save writes.
std::string Write(std::string_view stored, quinkle::FileForm form) {
    const std::string_view lineEnd = form.LineEnds == quinkle::LineEnd::CRLF ? "\r\n"
                                     : form.LineEnds == quinkle::LineEnd::LF ? "\n"
                                                                             : "\r";
    std::string text;
    for (char c : stored) {
        if (c == '\r')
            text += lineEnd;
        else
            text += c;
    }
    return quinkle::EncodeUnicodeForm(text, form.Encoding);
}

bool WellFormedUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        size_t length = quinkle::DecodeUtf8(text.data() + i, text.size() - i, codePoint);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks a mark to put before the rest (or none) and where to cut it.
    static constexpr std::string_view kMarks[] = {
        {}, {"\xFF\xFE", 2}, {"\xFE\xFF", 2}, {"\xFF\xFE\0\0", 4}, {"\0\0\xFE\xFF", 4}};
    const uint8_t control = data[0];
    std::string file(kMarks[control % 5]);
    file.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t step = 1 + control / 5;

    quinkle::FileFacts facts;
    const std::string whole = quinkle::DecodeFileText(file, &facts);

    quinkle::FileTextDecoder pieces;
    std::string out;
    for (size_t at = 0; at < file.size(); at += step)
        pieces.Append(std::string_view(file).substr(at, step), out);
    pieces.Finish(out);
    Require(out == whole);
    Require(pieces.Facts().Form == facts.Form);
    Require(pieces.Facts().MixedLineEnds == facts.MixedLineEnds);
    Require(pieces.Facts().Binary == facts.Binary);
    Require(pieces.Facts().Undecodable == facts.Undecodable);

    // Loaded straight from its bytes, read in pieces of `step`, the store holds the rows that
    // inserting the decoded text gives, and the facts are the decoder's.
    quinkle::TextStore direct;
    size_t at = 0;
    const quinkle::FileFacts directFacts = direct.LoadFileBytes(
        [&](char* buffer, size_t room) {
            size_t take =
                std::min({file.size() - at, room, at == 0 ? std::max<size_t>(step, 4) : step});
            std::memcpy(buffer, file.data() + at, take);
            at += take;
            return take;
        },
        file.size());
    quinkle::TextStore inserted;
    inserted.Insert(0, whole);
    Require(direct.Check());
    Require(direct.RowCount() == inserted.RowCount());
    for (int32_t row = 0; row < direct.RowCount(); ++row) {
        const quinkle::TextRow* a = direct.Row(row);
        const quinkle::TextRow* b = inserted.Row(row);
        Require(a->View() == b->View() && a->Flags == b->Flags && a->MarkBits == b->MarkBits &&
                a->Capacity == b->Capacity);
    }
    Require(direct.LineEndCount() == inserted.LineEndCount());
    Require(directFacts.Form == facts.Form && directFacts.MixedLineEnds == facts.MixedLineEnds &&
            directFacts.Binary == facts.Binary && directFacts.Undecodable == facts.Undecodable);

    Require(whole.find('\n') == std::string::npos);
    if (facts.Form.Encoding != quinkle::FileEncoding::Bytes) Require(WellFormedUtf8(whole));
    if (facts.Exact()) Require(Write(whole, facts.Form) == file);
    return 0;
}
