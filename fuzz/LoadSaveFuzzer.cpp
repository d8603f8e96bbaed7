// Arbitrary bytes loaded as a document and written out in every mode: nothing may crash, the
// stored text must be the decoded input, an unedited text save must give the input back (but
// for a text with mixed line ends), and the LF output must load back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/editor/SourceEditor.h"
#include "engine/text/FileText.h"
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
    Require(store.GetText(0, store.CharCount()) == quinkle::DecodeFileText(input));

    // Saved unedited, a file is its own bytes again, unless its line ends were unified.
    const quinkle::FileFacts& facts = editor.LastLoad();
    if (facts.Exact() || facts.KeepsLoadedBytes()) Require(Save(editor, quinkle::sfTEXT) == input);
    std::string unix = Save(editor, quinkle::sfUNIX);
    quinkle::SourceEditor again;
    quinkle::FastMemoryStream back(unix);
    again.LoadFromStream(back);
    // Undecodable units came in as U+FFFD and go out as it; only the text must survive.
    Require(again.GetText() == editor.GetText());

    Save(editor, quinkle::sfHTML);
    Save(editor, quinkle::sfRTF);
    editor.SelectAll();
    Require(static_cast<int32_t>(editor.SelText().size()) == editor.SelLength());
    return 0;
}
