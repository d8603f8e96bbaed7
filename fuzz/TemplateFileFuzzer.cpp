// Arbitrary bytes read as a template file and as an activation-key text: nothing may crash,
// a table loaded from the file must read back the same after writing it out, and every
// name must be found again before a caret.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/CodeTemplates.h"
#include "engine/text/EditorError.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

quinkle::CodeTemplates Table(const std::vector<quinkle::CodeTemplate>& entries) {
    quinkle::CodeTemplates table;
    for (const quinkle::CodeTemplate& entry : entries)
        table.AddTemplate(entry.Name, entry.Description, entry.Text);
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);

    quinkle::CodeTemplates table = Table(quinkle::ParseTemplateFile(input));
    quinkle::CodeTemplates again =
        Table(quinkle::ParseTemplateFile(quinkle::FormatTemplateFile(table.Entries())));
    Require(again.Entries() == table.Entries());
    for (const quinkle::CodeTemplate& entry : table.Entries()) {
        const quinkle::CodeTemplate* found = table.MatchBefore("x" + entry.Name);
        Require(found && found->Name.size() >= entry.Name.size());
    }
    table.MatchBefore(input);

    try {
        std::vector<uint16_t> keys = quinkle::ParseActivationKeys(input);
        for (size_t i = 0; i < keys.size(); ++i) {
            Require(keys[i] != 0);
            for (size_t j = 0; j < i; ++j) Require(keys[i] != keys[j]);
        }
    } catch (const quinkle::ESourceEditor& error) {
        Require(std::string_view(error.what()) == "Bad key specifier");
    }
    return 0;
}
