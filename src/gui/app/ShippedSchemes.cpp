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
        if (const ShippedSchemeImage* image = FindImage(place.Script)) {
            for (std::string& problem :
                 LoadStoredScheme(image->Value, scheme->Compiled, store, scheme->Link))
                problems.push_back(std::move(problem));
        } else {
            problems.push_back(std::string(place.Component) + ": no compiled scheme " +
                               place.Script);
        }
        schemes.push_back(std::move(scheme));
    }
    return schemes;
}

}  // namespace quinkle
