// How a scheme's token values look: effects, the token-to-effect map and the editable styles.
#include "engine/scheme/SchemeStyles.h"

namespace quinkle {

void SchemeStyles::Reset() {
    Effects.fill(EffectDef{});
    Effects[0].Defined = true;
    TokenEffect.fill(0);
    EditableStyles.clear();
}

bool SchemeStyles::AddEditableStyle(std::string_view name, uint8_t effect) {
    if (EditableStyles.size() >= kMaxEditableStyles) return false;
    EditableStyles.push_back(
        EditableStyle{std::string(name.substr(0, kMaxStyleNameLength)), effect});
    return true;
}

}  // namespace quinkle
