// Gives an editor widget the font and colours a scheme carries.
#pragma once

#include "engine/scheme/SchemeSettings.h"

namespace quinkle {

class SourceEditorWidget;

/// Takes the scheme's font (name and size), its selection, gutter and margin colours (those
/// marked "use default" keep the widget's own) and the colours of effect 0 as the default
/// text colours, then repaints.
void ApplySchemeLook(SourceEditorWidget& widget, const SchemeSettings& settings);

}  // namespace quinkle
