// Character groups of a scheme and the manager that numbers them.
#include "engine/scheme/CharGroup.h"

#include <string>

#include "engine/text/EditorError.h"

namespace quinkle {

CharGroup CharGroup::Of(std::string_view chars, bool negated) {
    CharGroup group;
    group.Negated = negated;
    for (char c : chars) group.Add(static_cast<uint8_t>(c));
    return group;
}

CharGroup CharGroup::Range(uint8_t first, uint8_t last, bool negated) {
    CharGroup group;
    group.Negated = negated;
    group.AddRange(first, last);
    return group;
}

int32_t CharGroupManager::Intern(const CharGroup& group) {
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (m_groups[i] == group) return static_cast<int32_t>(i);
    if (m_groups.size() == m_groups.capacity()) m_groups.reserve(m_groups.size() + 16);
    m_groups.push_back(group);
    return static_cast<int32_t>(m_groups.size() - 1);
}

void CharGroupManager::ThrowInvalid(int32_t id) {
    throw ESourceEditor("Invalid Set ID (" + std::to_string(id) + ")");
}

}  // namespace quinkle
