// Exceptions of the highlighting engine; each carries the program's own message text.
#pragma once

#include "engine/text/EditorError.h"

namespace quinkle {

/// A keyword table refused a word or a table: "Duplicate keyword - '%s'" and the like.
class EKeywords : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

}  // namespace quinkle
