// Reading the embedded scheme images and the user's stored changes to them.
#include "gui/app/ShippedSchemes.h"

#include <cstring>

#include "engine/scheme/SchemeImage.h"
#include "engine/store/UserStore.h"

namespace quinkle {
namespace {

struct Place {
    const char* Script;     // script file name without its extension
    const char* Component;  // the scheme component's name
    const char* RegistryKey;
};

// Parser1..Parser6.
constexpr Place kPlaces[] = {
    {"html", "pHTML", "\\Software\\HTML Quinkle\\HTML"},
    {"pascal", "pPascal", "\\Software\\HTML Quinkle\\Pascal"},
    {"cscript", "pCScript", "\\Software\\HTML Quinkle\\C Script"},
    {"sql", "pSQL", "\\Software\\HTML Quinkle\\SQL"},
    {"vbscript", "pINI", "\\Software\\HTML Quinkle\\INI Files"},
    {"plaintext", "pPlain", "\\Software\\HTML Quinkle\\PText"},
};

const ShippedSchemeImage* FindImage(const char* name) {
    for (size_t i = 0; i < kShippedSchemeImageCount; ++i)
        if (std::strcmp(kShippedSchemeImages[i].Name, name) == 0) return &kShippedSchemeImages[i];
    return nullptr;
}

}  // namespace

std::vector<std::unique_ptr<ShippedScheme>> LoadShippedSchemes(const UserStore& store,
                                                               std::vector<std::string>& problems) {
    std::vector<std::unique_ptr<ShippedScheme>> schemes;
    for (const Place& place : kPlaces) {
        auto scheme = std::make_unique<ShippedScheme>();
        scheme->Link = {place.Component, true, place.RegistryKey};
        try {
            const ShippedSchemeImage* image = FindImage(place.Script);
            if (!image) throw std::runtime_error(std::string("no compiled scheme ") + place.Script);
            std::string message = ReadParserValue(image->Value, scheme->Compiled, place.Component);
            if (!message.empty()) problems.push_back(message);
            LoadSchemeStyles(scheme->Compiled, store, scheme->Link);
        } catch (const std::exception& error) {
            problems.push_back(std::string(place.Component) + ": " + error.what());
        }
        schemes.push_back(std::move(scheme));
    }
    return schemes;
}

}  // namespace quinkle
