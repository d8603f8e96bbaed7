// Exception classes of the engine: the root every engine exception derives from, and those of
// the text foundation and the editor; each carries the program's own message text.
#pragma once

#include <stdexcept>
#include <string>

namespace quinkle {

/// The root of every exception the engine throws: a fault the user is told about in the
/// program's own words. The gui catches this class, and only this class, at its guard.
class EQuinkleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Faults inside the editor control: undo log states, index ranges and the like.
class ESourceEditor : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// A document could not be written to its stream.
class EFileSaveError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A file could not be opened.
class EFOpenError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A file could not be created.
class EFCreateError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// A stream refused an operation (reading past its end, writing to a read-only stream).
class EStreamError : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// Memory for a transfer buffer could not be had.
class EOutOfMemory : public ESourceEditor {
public:
    using ESourceEditor::ESourceEditor;
};

/// Formats one of the program's message texts that takes a single %s argument.
std::string FormatMessage(const char* format, const std::string& argument);

}  // namespace quinkle
