// Arbitrary bytes loaded as a user store file: nothing may crash, and what was loaded must
// save to a text that loads back without problems to the very same store.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/store/UserStore.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Walks the tree and checks that every value listed can be read with its own type.
void Visit(const quinkle::UserStore& store, const std::string& key, int depth) {
    Require(store.KeyExists(key));
    for (const std::string& name : store.ValueNames(key)) {
        switch (store.ValueType(key, name)) {
            case quinkle::UserValueType::Text:
                Require(!store.ReadBinary(key, name).has_value());
                break;
            case quinkle::UserValueType::Binary:
                Require(store.ReadBinary(key, name).has_value());
                Require(store.ReadString(key, name, "\x01") == "\x01");
                break;
            case quinkle::UserValueType::None:
                Require(false);
        }
    }
    if (depth > 64) return;
    for (const std::string& sub : store.SubKeyNames(key)) Visit(store, key + "\\" + sub, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    quinkle::UserStore store = quinkle::UserStore::LoadFromText(input);
    Require(!store.Modified());
    Visit(store, "", 0);

    std::string text = store.ToText();
    quinkle::UserStore again = quinkle::UserStore::LoadFromText(text);
    Require(again.LoadProblems().empty());
    Require(again.ToText() == text);

    // Deleting every top-level key leaves an empty store.
    for (const std::string& key : again.SubKeyNames("")) Require(again.DeleteKey(key));
    Require(again.SubKeyNames("").empty());
    return 0;
}
