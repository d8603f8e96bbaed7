// Arbitrary bytes loaded as a document and written out in every mode: nothing may crash, the
// raw form must be the normalised input, and CR LF output must load back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/editor/SourceEditor.h"
#include "engine/text/LineEnds.h"
#include "engine/text/Streams.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

std::string Save(quinkle::SourceEditor& editor, quinkle::TextSaveFormat format) {
    editor.SaveFormat = format;
    quinkle::MemoryStream out;
    editor.SaveToStream(&out);
    return out.Data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    quinkle::SourceEditor editor;
    quinkle::FastMemoryStream stream(input);
    editor.LoadFromStream(stream);
    Require(editor.Store().Check());
    const quinkle::TextStore& store = editor.Store();
    Require(store.GetText(0, store.CharCount()) == quinkle::NormaliseLineEnds(input));

    std::string crlf = Save(editor, quinkle::sfTEXT);
    Require(static_cast<int32_t>(crlf.size()) == editor.GetTextLen());
    quinkle::SourceEditor again;
    quinkle::FastMemoryStream back(crlf);
    again.LoadFromStream(back);
    Require(again.GetText() == editor.GetText());

    Save(editor, quinkle::sfUNIX);
    Save(editor, quinkle::sfHTML);
    Save(editor, quinkle::sfRTF);
    editor.SelectAll();
    Require(static_cast<int32_t>(editor.SelText().size()) == editor.SelLength());
    return 0;
}
