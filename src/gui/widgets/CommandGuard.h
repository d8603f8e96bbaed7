// The one guard every entry point from Qt into the program runs behind: a command handler, a
// slot, an event override. An engine error is shown to the user; nothing escapes into Qt.
#pragma once

#include <functional>

#include "gui/widgets/Prompter.h"

namespace quinkle {

/// Runs `action`. An engine error (EQuinkleError) stops it and is shown through the Prompter
/// as a message of `kind`. Returns false when an error was shown, so a caller can leave its
/// own state as it was.
bool Guarded(const std::function<void()>& action, Prompter::Kind kind = Prompter::Kind::Error);

/// As Guarded, but the message is shown once the current event is over: for paint events,
/// which must not open a window.
bool GuardedDeferred(const std::function<void()>& action);

}  // namespace quinkle
